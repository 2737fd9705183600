#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/fit.h"
#include "model/parameter_search.h"
#include "study/estimate_summary.h"
#include "study/model_confusion.h"
#include "study/study_units.h"

namespace bruso {

// Parameter and model recovery on a shoe's hands: for each replicate and generating
// variant, true values drawn uniformly from the ranges, lines simulated with them, and a fit
// of every fitted variant to those lines.
struct RecoveryDesign {
  int linesPerHand = 1;
  int replicates = 10;
  std::vector<ModelVariant> generating{std::begin(EveryModelVariant), std::end(EveryModelVariant)};
  std::vector<ModelVariant> fitted{std::begin(EveryModelVariant), std::end(EveryModelVariant)};
  double probLow = 0.05, probHigh = 0.95;
  double lapseLow = 0.01, lapseHigh = 0.2;
  FixedParameters fixed;  // held at their values in the simulation and in the fits
  double level = 0.95;    // of the intervals of the generating variant's own fit
  bool intervals = true;  // false: the own fit without them, which costs several fits less
  std::uint64_t seed = 0;
};

// One replicate of one generating variant: everything follows from its seed.
struct RecoveryUnit {
  int replicate = 0;
  ModelVariant generating;
  std::uint64_t seed = 0;
  ParameterPoint truth{};
  std::vector<FitResult> fits;  // one per fitted variant; the generating one with intervals
  const FitResult* Own() const;
};

// The seed of a replicate of a generating variant, from the design's seed.
std::uint64_t RecoverySeed(const RecoveryDesign& design, int replicate, ModelVariant generating);

// Draws the true values (the held ones at their values), simulates and fits: the same
// result for the same seed, wherever it runs. Throws FitCancelled when the watch asks for
// a stop.
RecoveryUnit RunRecoveryUnit(const HandList& hands, const RecoveryDesign& design, ModelVariant generating,
                             std::uint64_t seed, int replicate = 0, const FitWatch& watch = {});

// Every unit, replicate by replicate and in each the generating variants in the design's
// order, spread over `jobs` threads (the result is the same for any number). A stop leaves
// out the units not begun, so that the result is the units before them.
std::vector<RecoveryUnit> RunRecovery(const HandList& hands, const RecoveryDesign& design, int jobs,
                                      const StudyWatch& watch = {});

// Per parameter, its recovery in the generating variants' own fits.
std::array<EstimateSummary, ParameterCount> SummariseRecovery(const std::vector<RecoveryUnit>& units);

// The variant chosen in each unit by the lowest AIC, or by the lowest BIC.
ModelConfusion RecoveryConfusion(const std::vector<RecoveryUnit>& units, bool by_bic);

}  // namespace bruso
