#pragma once

#include <array>
#include <vector>

#include "analysis/replay_observer.h"
#include "model/compiled_line.h"
#include "model/line_likelihood.h"
#include "session/classify_commands.h"
#include "session/summary.h"

namespace bruso {

// How often the move the model suggested was the move the player recorded.
// The expected count is the sum of the exact chances that the model suggests the recorded
// move.
struct Agreement {
  long long suggested = 0;
  long long agreed = 0;
  double expected = 0;

  // The agreed and expected counts as percentages of the suggestions (0 without any).
  double AgreedShare() const { return suggested == 0 ? 0 : 100.0 * agreed / suggested; }
  double ExpectedShare() const { return suggested == 0 ? 0 : 100.0 * expected / suggested; }
};

inline constexpr int MoveBranchCount = static_cast<int>(MoveBranch::HandOver) + 1;

// The positions of one line, or of a whole run, that the replay analysed and then played a
// recorded move from (the last position of a string that simply ends is not one of them).
struct PositionCounts {
  long long positions = 0;
  long long noSuggestion = 0;
  Agreement overall;
  Agreement ck;
  Agreement nk;
  std::array<Agreement, MoveBranchCount> byBranch;  // indexed by MoveBranch

  void Add(const AnalysedPosition& position);
  // The exact chance that the model suggested the recorded move at a position that Add
  // has counted.
  void AddExpected(const AnalysedPosition& position, double chance);
  const Agreement& Branch(MoveBranch branch) const { return byBranch[static_cast<int>(branch)]; }
};

// What the classify batch counts: hands and lines, how the lines ended, and the model's
// agreement with the players, for the line being replayed and for the whole run. It
// watches the replay; the batch tells it where lines begin and end.
class ClassifyTally : public ReplayObserver {
 public:
  void PositionAnalysed(const AnalysedPosition& position) override;

  void HandSetUp() { ++hands_; }
  void LineStarted() { line_ = {}; }
  void LineEnded(const MoveLineOutcome& outcome);
  // The exact figures of the line just ended.
  void LineScored(const CompiledLine& line, const std::vector<PositionChances>& chances, const LineScore& score);

  long long hands() const { return hands_; }
  long long linesReplayed() const { return linesReplayed_; }
  long long linesNotUsable() const { return linesNotUsable_; }
  long long linesReachingGoal() const { return linesReachingGoal_; }
  const PositionCounts& line() const { return line_; }
  const PositionCounts& total() const { return total_; }
  // The agreement at each place of the lines: [0] at the first position of every line.
  const std::vector<Agreement>& byPlace() const { return byPlace_; }
  double logLikelihood() const { return logLikelihood_; }

 private:
  long long hands_ = 0;
  long long linesReplayed_ = 0;
  long long linesNotUsable_ = 0;
  long long linesReachingGoal_ = 0;
  PositionCounts line_;
  PositionCounts total_;
  std::vector<Agreement> byPlace_;
  double logLikelihood_ = 0;
};

// The figures of the tally as the classify summary gives them, from "hands" to
// "log-likelihood" (for a player with the lapse rate).
void AddClassifyFigures(Summary& summary, const ClassifyTally& tally, double lapse);

// "agreed of suggested (share%)".
std::string AgreementText(const Agreement& agreement);

// "expected of suggested (share%)".
std::string ExpectedText(const Agreement& agreement);

}  // namespace bruso
