#pragma once

#include <cstdint>
#include <vector>

#include "session/classify_run.h"
#include "session/play_counts.h"
#include "session/recorded_plays.h"
#include "session/shared_state.h"

namespace bruso {

// The figures of the window's batch commands, for the statistics window: the same counts,
// from the same code, as bruso-batch prints.

// One hand's recorded lines under the model.
struct HandClassifyFigures {
  long long lines = 0;  // replayed
  long long linesReachingGoal = 0;
  Agreement agreement;
  double logLikelihood = 0;
};

struct ClassifyStatistics {
  std::uint64_t seed = 0;
  double lapse = 0;
  ClassifyTally tally;
  std::vector<HandClassifyFigures> byHand;  // in shoe order
};

struct PlayStatistics {
  std::uint64_t seed = 0;
  PlayTally<HandPlays> artificial;  // each hand in brief
  RecordedPlays recorded;  // the shoe's recorded lines as plays
};

// "Classify All Hands" with its figures, for a player with the lapse rate. The hand on
// screen is kept, as the window's command keeps it. `watcher`, when given, sees the run as
// it goes and may stop it between lines.
ClassifyStatistics ClassifyAllHandsWithFigures(SharedState& state, double lapse, ClassifyWatcher* watcher = nullptr);

// The recorded lines of the state's hands set beside the artificial plays of a run.
PlayStatistics PlayStatisticsOf(const SharedState& state, PlayTally<HandPlays> artificial);

// The summary rows of the statistics window, as bruso-batch words them.
Summary ClassifySummary(const ClassifyStatistics& statistics);
Summary PlaySummary(const PlayStatistics& statistics);

}  // namespace bruso
