#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/replay_observer.h"
#include "engine/board.h"
#include "engine/move_engine.h"
#include "engine/output_files.h"

namespace bruso {

// The probability of one outcome of a position's analysis as a function of the card
// rules' probabilities: constant + slope * p[rule]. A position asks at most one card rule,
// so the weight is linear in one probability (rule 0: in none).
struct OutcomeWeight {
  int rule = 0;
  double constant = 1;
  double slope = 0;

  double At(const ProbTable& p) const { return rule == 0 ? constant : constant + slope * p[rule]; }
};

// One way the analysis of a position can go: from one state of the marks that later
// positions can read back, to another, with the move it suggests ('\0' for none).
struct Transition {
  int from = 0;
  int to = 0;
  OutcomeWeight weight;
  char suggestion = '\0';
};

// One position of a line, compiled: the states of the marks before it (the states after
// the previous position, some of them merged through `carry`), every way its analysis can
// go, and the recorded move played from it. Its lists lie in its line's store.
struct CompiledStep {
  std::span<const int> carry;  // state after the previous position -> state before this one
  int statesBefore = 1;
  int statesAfter = 1;
  std::span<const Transition> transitions;
  char recorded = '\0';
};

// What the seeded replay saw at a position, for the table of positions.
struct PositionFacts {
  AnalysedPosition seen;  // its node and looked-for card are not kept
  Board board;
  std::string lookedFor;
};

// A recorded line ready for the likelihood: one step per position (a position is one that
// the replay analysed and then played a recorded move from), starting from one state.
// The steps' lists lie one after the other in two flat stores, so that a line costs a few
// allocations, not two a position; a copy's steps read the copy's stores.
struct CompiledLine {
  std::vector<CompiledStep> steps;
  std::vector<PositionFacts> facts;  // one per step
  std::vector<int> carries;
  std::vector<Transition> transitions;

  CompiledLine() = default;
  CompiledLine(const CompiledLine& other) { *this = other; }
  CompiledLine& operator=(const CompiledLine& other);
  CompiledLine(CompiledLine&&) noexcept = default;  // the stores' memory moves with them
  CompiledLine& operator=(CompiledLine&&) noexcept = default;
};

inline CompiledLine& CompiledLine::operator=(const CompiledLine& other) {
  if (this == &other) return *this;
  steps = other.steps;
  facts = other.facts;
  carries = other.carries;
  transitions = other.transitions;
  for (CompiledStep& step : steps) {
    step.carry = {carries.data() + (step.carry.data() - other.carries.data()), step.carry.size()};
    step.transitions = {transitions.data() + (step.transitions.data() - other.transitions.data()),
                        step.transitions.size()};
  }
  return *this;
}

}  // namespace bruso
