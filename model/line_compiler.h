#pragma once

#include <array>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/chance_enumerator.h"
#include "analysis/replay_observer.h"
#include "analysis/score.h"
#include "model/compiled_line.h"

namespace bruso {

// Adds the outcome to a transition from `first` on with the same ends and move, so that a
// probability whose outcomes lead to the same place drops out of the position's weights.
void AddTransition(std::vector<Transition>& transitions, const Transition& added, std::size_t first = 0);

// Watches the seeded replay of a line and compiles it for the exact likelihood: at every
// position it follows every outcome of the analysis's random decisions with its
// probability (the card rules, the coins of the exploring moves) and, with conflict mode
// 1, the marks of earlier positions that the " M " rule reads back. Those marks are the
// hidden state of the line; a position's outcomes lead from the states before it to the
// states after it, and a mark that no later position reads is left out of the state.
// Each line is taken as the only line of its hand: its root's mark starts as two blanks,
// whatever the replay's root holds.
class LineCompiler : public ReplayObserver {
 public:
  explicit LineCompiler(const AnalysisSettings& settings);

  void LineStarted();
  void PositionAnalysed(const AnalysedPosition& position) override;
  // The line compiled since LineStarted, kept until the next LineStarted, which reuses its
  // memory.
  const CompiledLine& FinishLine();
  // The same, taken away.
  CompiledLine TakeLine();

 private:
  // A position with copies of its parent and grandparent, all the analysis reads.
  struct Window {
    TreeNode node;
    TreeNode parent;
    TreeNode grandparent;
    int ancestors = 0;
    int depth = 0;          // plies from the root
    bool readsMarkBack = false;
  };
  // The marks a position's analysis reads or leaves for later: its grandparent's (read by
  // the " M " rule), its parent's (its child's grandparent) and its own.
  struct Marks {
    std::array<char, 2> grandparent = BlankMark;
    std::array<char, 2> parent = BlankMark;
    std::array<char, 2> own = BlankMark;
    bool operator==(const Marks&) const = default;
  };

  // Where a step's lists start in the line's stores, until the line is finished.
  struct Extent {
    std::size_t firstCarry = 0;
    std::size_t firstTransition = 0;
  };

  bool ReadsMarkBack(Window window);
  void Analyse(Window& window, const Marks& marks, Chance& chance);
  Marks Live(std::size_t t, Marks marks) const;
  void StartStep(char recorded, int states_before);
  void AddOutcome(const Transition& outcome) { AddTransition(line_.transitions, outcome, extents_.back().firstTransition); }
  void CompileAlone(const AnalysedPosition& position);
  void Compile(std::size_t t, std::vector<Marks>& states);

  AnalysisSettings settings_;
  Score analyser_;  // an analyser of its own, which writes no trace anywhere
  bool marksMatter_;
  const TreeNode* previous_ = nullptr;
  std::vector<Window> windows_;
  std::vector<Marks> before_, after_;  // Compile's states, kept to save allocations
  EnumeratingChance chance_;  // Compile's, kept to save an allocation a position
  CompiledLine line_;
  std::vector<Extent> extents_;  // one per step
  bool finished_ = false;
};

}  // namespace bruso
