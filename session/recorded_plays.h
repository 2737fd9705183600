#pragma once

#include <vector>

#include "analysis/analysis_settings.h"
#include "session/play_counts.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The recorded lines of each hand counted as plays, so that the players' own lines can be
// set beside the artificial players': a line is solved when its replay brings 2H to the
// Target, and its moves are the moves made until then (a refused letter makes none). A
// line that is not usable counts as a play that is not solved; none counts as stopped.
struct RecordedPlays {
  PlayCounts total;
  std::vector<HandPlays> byHand;  // in shoe order
};

RecordedPlays RecordedPlaysOf(const HandList& hands, const AnalysisSettings& settings);

}  // namespace bruso
