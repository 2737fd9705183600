#include "study/recovery.h"

#include <algorithm>

#include "model/profile_interval.h"
#include "study/data_set.h"

namespace bruso {

namespace {

bool Same(ModelVariant a, ModelVariant b) { return a.conflictMode == b.conflictMode && a.altruism == b.altruism; }

ParameterPoint DrawTruth(const RecoveryDesign& design, Random& random) {
  ParameterPoint truth;
  for (int i = 0; i < ParameterCount; ++i) {
    const double low = i == LapseIndex ? design.lapseLow : design.probLow;
    const double high = i == LapseIndex ? design.lapseHigh : design.probHigh;
    const double drawn = low + (high - low) * random.Next();
    truth[i] = design.fixed[i].value_or(drawn);
  }
  return truth;
}

}  // namespace

const FitResult* RecoveryUnit::Own() const {
  for (const FitResult& fit : fits) {
    if (Same(fit.variant, generating)) return &fit;
  }
  return nullptr;
}

std::uint64_t RecoverySeed(const RecoveryDesign& design, int replicate, ModelVariant generating) {
  return UnitSeed(design.seed, static_cast<std::uint64_t>(replicate) * 4 + VariantIndex(generating));
}

RecoveryUnit RunRecoveryUnit(const HandList& hands, const RecoveryDesign& design, ModelVariant generating,
                             std::uint64_t seed, int replicate, const FitWatch& watch) {
  RecoveryUnit unit{.replicate = replicate, .generating = generating, .seed = seed};
  Random random(seed);
  unit.truth = DrawTruth(design, random);
  const HandList data =
      SimulateDataSet(hands, std::vector<int>(hands.size(), design.linesPerHand), generating, unit.truth, random);
  for (const ModelVariant fitted : design.fitted) {
    const FitData fit_data = CompileFitData(data, fitted, AnalysisSettings{}, 1, watch);
    FitResult fit = FitParameters(fit_data, design.fixed, watch);
    fit.variant = fitted;
    if (Same(fitted, generating)) {
      if (design.intervals) {
        AddProfileIntervals(fit_data, design.fixed, design.level, fit, watch);
      } else {
        MarkEstimatesOnBounds(fit);
      }
    }
    unit.fits.push_back(fit);
  }
  return unit;
}

std::vector<RecoveryUnit> RunRecovery(const HandList& hands, const RecoveryDesign& design, int jobs,
                                      const StudyWatch& watch) {
  const std::size_t total = static_cast<std::size_t>(design.replicates) * design.generating.size();
  std::vector<RecoveryUnit> units(total);
  const std::size_t begun = RunStudyUnits(total, jobs, watch, [&](std::size_t u) {
    const int replicate = static_cast<int>(u / design.generating.size());
    const ModelVariant generating = design.generating[u % design.generating.size()];
    units[u] = RunRecoveryUnit(hands, design, generating, RecoverySeed(design, replicate, generating), replicate);
  });
  units.resize(begun);
  return units;
}

std::array<EstimateSummary, ParameterCount> SummariseRecovery(const std::vector<RecoveryUnit>& units) {
  std::array<EstimateSummary, ParameterCount> summaries;
  for (int i = 0; i < ParameterCount; ++i) {
    std::vector<EstimateRecord> records;
    for (const RecoveryUnit& unit : units) {
      const FitResult* own = unit.Own();
      if (own == nullptr) continue;
      const ParameterEstimate& estimate = own->parameters[i];
      if (estimate.fixed) continue;
      records.push_back({.truth = unit.truth[i],
                         .estimated = estimate.determined,
                         .estimate = estimate.value,
                         .lower = estimate.lower,
                         .upper = estimate.upper,
                         .onBound = estimate.onBound});
    }
    summaries[i] = SummariseEstimates(records);
  }
  return summaries;
}

ModelConfusion RecoveryConfusion(const std::vector<RecoveryUnit>& units, bool by_bic) {
  ModelConfusion confusion;
  for (const RecoveryUnit& unit : units) {
    const auto best = std::min_element(unit.fits.begin(), unit.fits.end(), [&](const FitResult& a, const FitResult& b) {
      return by_bic ? a.bic < b.bic : a.aic < b.aic;
    });
    if (best != unit.fits.end()) confusion.Add(unit.generating, best->variant);
  }
  return confusion;
}

}  // namespace bruso
