#include "tools/classify_tally.h"

#include "engine/board.h"

namespace bruso {

namespace {

void Count(Agreement& agreement, bool agrees) {
  ++agreement.suggested;
  if (agrees) ++agreement.agreed;
}

}  // namespace

void PositionCounts::Add(const AnalysedPosition& position) {
  if (position.recorded == '\0') return;  // the string ends here: there is no move to compare
  ++positions;
  if (position.branch == MoveBranch::None) {
    ++noSuggestion;
    return;
  }
  const bool agrees = position.suggested == position.recorded;
  Count(overall, agrees);
  Count(position.role == RoleCK ? ck : nk, agrees);
  Count(byBranch[static_cast<int>(position.branch)], agrees);
}

void PositionCounts::AddExpected(const AnalysedPosition& position, double chance) {
  if (position.branch == MoveBranch::None) return;
  overall.expected += chance;
  (position.role == RoleCK ? ck : nk).expected += chance;
  byBranch[static_cast<int>(position.branch)].expected += chance;
}

void ClassifyTally::LineScored(const CompiledLine& line, const std::vector<PositionChances>& chances,
                               const LineScore& score) {
  for (std::size_t t = 0; t < chances.size(); ++t) {
    const double chance = chances[t].suggests ? chances[t].Of(line.facts[t].seen.recorded) : 0;
    line_.AddExpected(line.facts[t].seen, chance);
    total_.AddExpected(line.facts[t].seen, chance);
  }
  logLikelihood_ += score.logLikelihood;
}

void ClassifyTally::PositionAnalysed(const AnalysedPosition& position) {
  line_.Add(position);
  total_.Add(position);
}

void ClassifyTally::LineEnded(const MoveLineOutcome& outcome) {
  if (!outcome.usable) {
    ++linesNotUsable_;
    return;
  }
  ++linesReplayed_;
  if (outcome.reachesGoal) ++linesReachingGoal_;
}

}  // namespace bruso
