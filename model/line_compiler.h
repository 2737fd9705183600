#pragma once

#include <array>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/replay_observer.h"
#include "analysis/score.h"
#include "model/compiled_line.h"

namespace bruso {

// Watches the seeded replay of a line and, at every position, follows every outcome of
// the analysis's random decisions with its probability: the card rules, the coins of the
// exploring moves, and (with conflict mode 1) the marks of earlier positions that the
// " M " rule reads back. The marks are the hidden state of the line; a position's outcomes
// lead from the states before it to the states after it. Each line is taken as the only
// line of its hand: its root's mark starts as two blanks, whatever the replay's root holds.
class LineCompiler : public ReplayObserver {
 public:
  explicit LineCompiler(const AnalysisSettings& settings);

  void LineStarted();
  void PositionAnalysed(const AnalysedPosition& position) override;
  // The line compiled since LineStarted.
  CompiledLine TakeLine();

 private:
  // The marks a position's analysis reads or leaves for later: its grandparent's (read by
  // the " M " rule), its parent's (its child's grandparent) and its own.
  struct Marks {
    std::array<char, 2> grandparent = BlankMark;
    std::array<char, 2> parent = BlankMark;
    std::array<char, 2> own = BlankMark;
    bool operator==(const Marks&) const = default;
  };

  std::vector<int> CarryStates(const TreeNode* node);
  void FollowOutcomes(const TreeNode& node, int from, CompiledStep& step, std::vector<Marks>& after);

  AnalysisSettings settings_;
  Score analyser_;  // an analyser of its own, which writes no trace anywhere
  bool marksMatter_;
  std::vector<Marks> states_;
  const TreeNode* previous_ = nullptr;
  CompiledLine line_;
};

}  // namespace bruso
