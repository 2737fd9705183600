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

// The move the last analysis suggests, '\0' for none.
char SuggestionOf(const Score& analyser) {
  return analyser.SuggestedBranch() != MoveBranch::None ? analyser.SuggestedMove() : '\0';
}

TreeNode Alone(const TreeNode& node) {
  TreeNode copy = node;
  copy.parent = copy.firstChild = copy.nextSibling = nullptr;
  return copy;
}

}  // namespace

void AddTransition(std::vector<Transition>& transitions, const Transition& added, std::size_t first) {
  for (std::size_t i = first; i < transitions.size(); ++i) {
    Transition& t = transitions[i];
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
  line_.steps.clear();
  line_.facts.clear();
  line_.carries.clear();
  line_.transitions.clear();
  line_.facts.reserve(8);  // a line has a handful of positions: spare the regrowth
  extents_.clear();
  windows_.clear();
  previous_ = nullptr;
  finished_ = false;
}

void LineCompiler::PositionAnalysed(const AnalysedPosition& position) {
  if (position.recorded == '\0') return;  // the string ends here: no move is played from it
  const TreeNode& node = *position.node;
  AnalysedPosition seen = position;
  seen.node = nullptr;
  seen.lookedFor = {};
  seen.decisions = {};  // valid only during this call
  line_.facts.push_back({seen, node.board, std::string(position.lookedFor)});
  if (!marksMatter_) {
    CompileAlone(position);
    return;
  }
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
  window.readsMarkBack = ReadsMarkBack(window);
  windows_.push_back(window);
  previous_ = &node;
}

// Without marks read back, a position's outcomes depend only on it and on its parent and
// grandparent as the replay's tree holds them, so it is compiled as the replay meets it:
// the replay's own outcome is taken as it is, and each other one is followed on a copy of
// the node (the analysis writes its mark) linked to the tree.
void LineCompiler::CompileAlone(const AnalysedPosition& position) {
  StartStep(position.recorded, 1);
  line_.carries.push_back(0);
  TreeNode own = *position.node;
  // chance_ is back at its start after the last outcome of the previous position.
  do {
    if (chance_.NextRunIs(position.decisions)) {
      chance_.Skip(position.decisions);
      AddOutcome({.weight = WeightOf(chance_.decisions()), .suggestion = position.suggested});
      continue;
    }
    analyser_.AnalysePosition(own, settings_, chance_);
    AddOutcome({.weight = WeightOf(chance_.decisions()), .suggestion = SuggestionOf(analyser_)});
  } while (chance_.NextOutcome());
}

// A new step with its lists starting at the ends of the line's stores.
void LineCompiler::StartStep(char recorded, int states_before) {
  extents_.push_back({.firstCarry = line_.carries.size(), .firstTransition = line_.transitions.size()});
  line_.steps.push_back({.statesBefore = states_before, .recorded = recorded});
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
void LineCompiler::Compile(std::size_t t, std::vector<Marks>& states) {
  StartStep(line_.facts[t].seen.recorded, 0);
  std::vector<Marks>& before = before_;
  before.clear();
  for (std::size_t i = 0; i < states.size(); ++i) {
    const bool moved = t > 0 && windows_[t].depth != windows_[t - 1].depth;
    const Marks carried = moved ? Marks{.grandparent = states[i].parent, .parent = states[i].own} : states[i];
    line_.carries.push_back(IndexOf(before, carried));
  }
  std::vector<Marks>& after = after_;
  after.clear();
  for (int from = 0; from < static_cast<int>(before.size()); ++from) {
    EnumeratingChance& chance = chance_;  // back at its start after the last outcome
    do {
      Window window = windows_[t];
      Analyse(window, before[from], chance);
      Marks left = before[from];
      left.own = window.node.mark;
      AddOutcome({.from = from, .to = IndexOf(after, Live(t, left)), .weight = WeightOf(chance.decisions()),
                  .suggestion = SuggestionOf(analyser_)});
    } while (chance.NextOutcome());
  }
  CompiledStep& step = line_.steps.back();
  step.statesBefore = static_cast<int>(before.size());
  step.statesAfter = static_cast<int>(after.size());
  states.swap(after);
}

const CompiledLine& LineCompiler::FinishLine() {
  if (finished_) return line_;
  if (!windows_.empty()) {
    std::vector<Marks> states = {Marks{}};
    for (std::size_t t = 0; t < windows_.size(); ++t) Compile(t, states);
  }
  // The stores have stopped growing: the steps' lists can point into them.
  for (std::size_t t = 0; t < line_.steps.size(); ++t) {
    const Extent& extent = extents_[t];
    const bool last = t + 1 == line_.steps.size();
    const std::size_t carry_end = last ? line_.carries.size() : extents_[t + 1].firstCarry;
    const std::size_t transition_end = last ? line_.transitions.size() : extents_[t + 1].firstTransition;
    line_.steps[t].carry = {line_.carries.data() + extent.firstCarry, carry_end - extent.firstCarry};
    line_.steps[t].transitions = {line_.transitions.data() + extent.firstTransition,
                                  transition_end - extent.firstTransition};
  }
  finished_ = true;
  return line_;
}

CompiledLine LineCompiler::TakeLine() {
  FinishLine();
  CompiledLine line = std::move(line_);
  LineStarted();
  return line;
}

}  // namespace bruso
