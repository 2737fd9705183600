#include "model/line_compiler.h"

#include <algorithm>
#include <stdexcept>

#include "analysis/chance_enumerator.h"

namespace bruso {

namespace {

// The weight of an outcome: one half per coin, p or 1 - p for the card rule.
OutcomeWeight WeightOf(const std::vector<Decision>& decisions) {
  OutcomeWeight weight;
  for (const Decision& decision : decisions) {
    if (decision.rule == CoinDecision) {
      weight.constant *= 0.5;
      weight.slope *= 0.5;
      continue;
    }
    if (weight.rule != 0) throw std::logic_error("a position asked more than one card rule");
    weight.rule = decision.rule;
    weight.slope = decision.answer ? weight.constant : -weight.constant;
    weight.constant = decision.answer ? 0 : weight.constant;
  }
  return weight;
}

template <typename T>
int IndexOf(std::vector<T>& list, const T& value) {
  const auto found = std::find(list.begin(), list.end(), value);
  if (found != list.end()) return static_cast<int>(found - list.begin());
  list.push_back(value);
  return static_cast<int>(list.size()) - 1;
}

TreeNode Alone(const TreeNode& node) {
  TreeNode copy = node;
  copy.parent = copy.firstChild = copy.nextSibling = nullptr;
  return copy;
}

}  // namespace

void AddTransition(std::vector<Transition>& transitions, const Transition& added) {
  for (Transition& t : transitions) {
    if (t.from != added.from || t.to != added.to || t.suggestion != added.suggestion) continue;
    if (t.weight.rule != 0 && added.weight.rule != 0 && t.weight.rule != added.weight.rule) continue;
    if (t.weight.rule == 0) t.weight.rule = added.weight.rule;
    t.weight.constant += added.weight.constant;
    t.weight.slope += added.weight.slope;
    if (t.weight.slope == 0) t.weight.rule = 0;
    return;
  }
  transitions.push_back(added);
}

LineCompiler::LineCompiler(const AnalysisSettings& settings)
    : settings_(settings), marksMatter_(settings.ConflictMode == 1) {
  settings_.AnalysisMode = 'B';
  analyser_.SetTraceStream(nullptr);
}

void LineCompiler::LineStarted() {
  line_ = {};
  line_.facts.reserve(8);  // a line has a handful of positions: spare the regrowth
  windows_.clear();
  previous_ = nullptr;
}

void LineCompiler::PositionAnalysed(const AnalysedPosition& position) {
  if (position.recorded == '\0') return;  // the string ends here: no move is played from it
  const TreeNode& node = *position.node;
  Window window{.node = Alone(node)};
  if (node.parent != nullptr) {
    window.parent = Alone(*node.parent);
    ++window.ancestors;
    if (node.parent->parent != nullptr) {
      window.grandparent = Alone(*node.parent->parent);
      ++window.ancestors;
    }
  }
  if (!windows_.empty()) window.depth = windows_.back().depth + (&node == previous_ ? 0 : 1);
  window.readsMarkBack = marksMatter_ && ReadsMarkBack(window);
  windows_.push_back(window);
  previous_ = &node;

  AnalysedPosition seen = position;
  seen.node = nullptr;
  seen.lookedFor = {};
  line_.facts.push_back({seen, node.board, std::string(position.lookedFor)});
}

// Runs the analysis on the window with the marks, linking the copies.
void LineCompiler::Analyse(Window& window, const Marks& marks, Chance& chance) {
  TreeNode grandparent = window.grandparent;
  TreeNode parent = window.parent;
  TreeNode& own = window.node;
  own.mark = marks.own;
  own.parent = window.ancestors >= 1 ? &parent : nullptr;
  parent.mark = marks.parent;
  parent.parent = window.ancestors >= 2 ? &grandparent : nullptr;
  grandparent.mark = marks.grandparent;
  analyser_.AnalysePosition(own, settings_, chance);
  own.parent = nullptr;
}

// Whether the " M " rule reads the grandparent's mark here: it depends on the Boards and
// moves, not on the marks, so one run of the analysis tells.
bool LineCompiler::ReadsMarkBack(Window window) {
  EnumeratingChance chance;
  Analyse(window, Marks{}, chance);
  return analyser_.ReadMarkBack();
}

// The marks after position t with the ones no later position reads blanked out: the
// grandparent's is read again only at the same position (after a refused T), the parent's
// by the position's children, its own by its grandchildren.
LineCompiler::Marks LineCompiler::Live(std::size_t t, Marks marks) const {
  if (!marksMatter_) return Marks{};  // no position reads a mark back
  const int depth = windows_[t].depth;
  bool reads[3] = {false, false, false};  // by positions at depth, depth + 1, depth + 2
  for (std::size_t s = t + 1; s < windows_.size(); ++s) {
    const int ahead = windows_[s].depth - depth;
    if (ahead <= 2 && windows_[s].readsMarkBack) reads[ahead] = true;
  }
  if (!reads[0]) marks.grandparent = BlankMark;
  if (!reads[1]) marks.parent = BlankMark;
  if (!reads[2]) marks.own = BlankMark;
  return marks;
}

// Position t: the states carried over from the position before, then every outcome from
// each of them.
CompiledStep LineCompiler::Compile(std::size_t t, std::vector<Marks>& states) {
  CompiledStep step;
  step.recorded = line_.facts[t].seen.recorded;
  step.carry.resize(states.size());
  std::vector<Marks>& before = before_;
  before.clear();
  for (std::size_t i = 0; i < states.size(); ++i) {
    const bool moved = t > 0 && windows_[t].depth != windows_[t - 1].depth;
    const Marks carried = moved ? Marks{.grandparent = states[i].parent, .parent = states[i].own} : states[i];
    step.carry[i] = IndexOf(before, carried);
  }
  std::vector<Marks>& after = after_;
  after.clear();
  for (int from = 0; from < static_cast<int>(before.size()); ++from) {
    EnumeratingChance& chance = chance_;  // back at its start after the last outcome
    do {
      Window window = windows_[t];
      Analyse(window, before[from], chance);
      const bool suggests = analyser_.SuggestedBranch() != MoveBranch::None;
      Marks left = before[from];
      left.own = window.node.mark;
      AddTransition(step.transitions, {.from = from, .to = IndexOf(after, Live(t, left)),
                                       .weight = WeightOf(chance.decisions()),
                                       .suggestion = suggests ? analyser_.SuggestedMove() : '\0'});
    } while (chance.NextOutcome());
  }
  step.statesBefore = static_cast<int>(before.size());
  step.statesAfter = static_cast<int>(after.size());
  states.swap(after);
  return step;
}

CompiledLine LineCompiler::TakeLine() {
  std::vector<Marks> states = {Marks{}};
  line_.steps.reserve(windows_.size());
  for (std::size_t t = 0; t < windows_.size(); ++t) line_.steps.push_back(Compile(t, states));
  CompiledLine line = std::move(line_);
  LineStarted();
  return line;
}

}  // namespace bruso
