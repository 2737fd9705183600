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

// Adds the outcome to a transition with the same ends and move, so that a probability
// whose outcomes lead to the same place drops out of the position's weights.
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

}  // namespace

LineCompiler::LineCompiler(const AnalysisSettings& settings)
    : settings_(settings), marksMatter_(settings.ConflictMode == 1) {
  settings_.AnalysisMode = 'B';
  analyser_.SetTraceStream(nullptr);
  LineStarted();
}

void LineCompiler::LineStarted() {
  line_ = {};
  states_ = {Marks{}};
  previous_ = nullptr;
}

// Maps the states after the previous position to the states before this one: the same
// states when a refused T keeps the position, shifted by one ply when a move was made.
std::vector<int> LineCompiler::CarryStates(const TreeNode* node) {
  std::vector<int> carry(states_.size(), 0);
  if (previous_ == nullptr || node == previous_ || !marksMatter_) {
    for (std::size_t i = 0; i < carry.size(); ++i) carry[i] = static_cast<int>(i);
    return carry;
  }
  std::vector<Marks> shifted;
  for (std::size_t i = 0; i < states_.size(); ++i) {
    carry[i] = IndexOf(shifted, Marks{.grandparent = states_[i].parent, .parent = states_[i].own});
  }
  states_ = std::move(shifted);
  return carry;
}

void LineCompiler::PositionAnalysed(const AnalysedPosition& position) {
  if (position.recorded == '\0') return;  // the string ends here: no move is played from it
  const TreeNode& node = *position.node;
  CompiledStep step;
  step.carry = CarryStates(&node);
  step.statesBefore = static_cast<int>(states_.size());
  step.recorded = position.recorded;
  std::vector<Marks> after;
  for (int from = 0; from < step.statesBefore; ++from) FollowOutcomes(node, from, step, after);
  step.statesAfter = static_cast<int>(after.size());
  states_ = std::move(after);
  previous_ = &node;

  AnalysedPosition seen = position;
  seen.node = nullptr;
  seen.lookedFor = {};
  line_.facts.push_back({seen, node.board, std::string(position.lookedFor)});
  line_.steps.push_back(std::move(step));
}

// Runs the analysis of the position once per outcome, on copies of the position and its
// two ancestors that carry the marks of the state.
void LineCompiler::FollowOutcomes(const TreeNode& node, int from, CompiledStep& step, std::vector<Marks>& after) {
  const Marks& marks = states_[from];
  EnumeratingChance chance;
  do {
    TreeNode grandparent;
    TreeNode parent;
    TreeNode own = node;
    own.mark = marks.own;
    if (node.parent != nullptr) {
      parent = *node.parent;
      parent.mark = marks.parent;
      own.parent = &parent;
      if (node.parent->parent != nullptr) {
        grandparent = *node.parent->parent;
        grandparent.mark = marks.grandparent;
        parent.parent = &grandparent;
      }
    }
    analyser_.AnalysePosition(own, settings_, chance);
    const bool suggests = analyser_.SuggestedBranch() != MoveBranch::None;
    Marks left = marks;
    if (marksMatter_) left.own = own.mark;
    AddTransition(step.transitions, {.from = from, .to = IndexOf(after, left), .weight = WeightOf(chance.decisions()),
                                     .suggestion = suggests ? analyser_.SuggestedMove() : '\0'});
  } while (chance.NextOutcome());
}

CompiledLine LineCompiler::TakeLine() {
  // Nothing reads the marks after the last position: its outcomes all end in one state.
  if (!line_.steps.empty()) {
    CompiledStep& last = line_.steps.back();
    std::vector<Transition> merged;
    for (Transition t : last.transitions) {
      t.to = 0;
      AddTransition(merged, t);
    }
    last.transitions = std::move(merged);
    last.statesAfter = 1;
  }
  CompiledLine line = std::move(line_);
  LineStarted();
  return line;
}

}  // namespace bruso
