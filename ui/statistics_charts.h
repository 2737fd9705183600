#pragma once

#include <vector>

#include <QChart>

#include "session/classify_tally.h"
#include "session/play_counts.h"

namespace bruso {

// The charts of the statistics window, each with its title and labelled axes. The caller
// owns the chart it gets.

// The share of positions where the recorded move was the model's suggestion, overall, per
// role and per branch of the move choice, beside the share the model expects.
QChart* NewAgreementChart(const PositionCounts& total);

// The same shares at each position of the lines: first move, second move, ...
QChart* NewPlaceChart(const std::vector<Agreement>& by_place);

// The solved plays of the artificial players and the recorded lines that reach 2H, by
// their number of moves, each as a share of its own solved plays.
QChart* NewMovesChart(const PlayCounts& artificial, const PlayCounts& recorded);

}  // namespace bruso
