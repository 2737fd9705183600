#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/chance.h"
#include "model/compiled_line.h"
#include "model/line_likelihood.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The first line after a hand line is not one of its move lines: a hand's recorded lines
// are its MoveLines from this index on, as classify replays them.
inline constexpr std::size_t FirstRecordedLine = 1;

// How many recorded lines the hands hold.
long long RecordedLineCount(const HandList& hands);

// Compiles every recorded line of the hands for the model the settings describe, in the
// order of the shoe, spreading the hands over `jobs` threads (the result is the same for
// any number).
// `stop_requested`, when given, is asked before each hand (from the threads): true leaves
// the remaining hands out.
std::vector<CompiledLine> CompileLines(const HandList& hands, const AnalysisSettings& settings, int jobs,
                                       const std::function<bool()>& stop_requested = {});

// The lines cut where their marks leave one state (where the past says nothing more about
// the future), with equal pieces counted once: a line's likelihood is the product of its
// pieces', so that evaluating the likelihood costs one pass over the distinct pieces.
struct FitData {
  std::vector<CompiledLine> pieces;  // steps only
  std::vector<long long> counts;
  // Whether some position's chances depend on p[k] (index k - 1).
  std::array<bool, CardRuleCount> dependsOn{};
};

FitData FitDataFrom(const std::vector<CompiledLine>& lines);

// The sums over all lines.
LineScore ScoreData(const FitData& data, const PlayerParameters& player);

}  // namespace bruso
