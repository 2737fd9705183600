#include "study/participant_fits.h"

#include <algorithm>
#include <cmath>

#include "model/profile_interval.h"

namespace bruso {

const FitResult& ParticipantFit::Best() const { return *LowestAic(fits); }

ParticipantFit FitParticipant(const Participant& participant, const std::vector<ModelVariant>& variants,
                              const FixedParameters& fixed, int jobs, double level, const FitWatch& watch) {
  ParticipantFit result{.id = participant.id, .condition = participant.condition};
  for (const ModelVariant& variant : variants) {
    result.fits.push_back(FitVariantWithIntervals(participant.hands, variant, AnalysisSettings{}, fixed, jobs, level, watch));
  }
  result.uniform = FitTableRows(result.fits).back();
  return result;
}

EstimateSpread SpreadOf(std::vector<double> values) {
  EstimateSpread spread{.participants = static_cast<int>(values.size())};
  if (values.empty()) return spread;
  double sum = 0;
  for (double v : values) sum += v;
  spread.mean = sum / static_cast<double>(values.size());
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  spread.median = values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  if (values.size() < 2) return spread;
  double squares = 0;
  for (double v : values) squares += (v - spread.mean) * (v - spread.mean);
  spread.spread = std::sqrt(squares / static_cast<double>(values.size() - 1));
  return spread;
}

GroupSummary SummariseGroup(const std::vector<ParticipantFit>& fits, const std::string& condition) {
  GroupSummary summary{.condition = condition};
  std::vector<std::array<std::vector<double>, ParameterCount>> estimates;
  for (const ParticipantFit& participant : fits) {
    if (!condition.empty() && participant.condition != condition) continue;
    ++summary.participants;
    summary.beatUniform += participant.BeatsUniform();
    if (summary.variants.empty()) {
      for (const FitResult& fit : participant.fits) summary.variants.push_back({.variant = fit.variant});
      estimates.resize(participant.fits.size());
    }
    for (std::size_t v = 0; v < participant.fits.size(); ++v) {
      const FitResult& fit = participant.fits[v];
      GroupVariantSummary& group = summary.variants[v];
      group.logLikelihood += fit.logLikelihood;
      group.aic += fit.aic;
      group.bic += fit.bic;
      group.bestFor += &fit == &participant.Best();
      for (int i = 0; i < ParameterCount; ++i) {
        if (fit.parameters[i].determined) estimates[v][i].push_back(fit.parameters[i].value);
      }
    }
  }
  for (std::size_t v = 0; v < summary.variants.size(); ++v) {
    for (int i = 0; i < ParameterCount; ++i) summary.variants[v].parameters[i] = SpreadOf(estimates[v][i]);
  }
  return summary;
}

}  // namespace bruso
