#include "model/fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/curvature.h"
#include "model/parameter_search.h"

namespace bruso {

std::string ParameterName(int index) {
  if (index == LapseIndex) return "lapse";
  std::string name = "p";  // appended, not "p" + ...: GCC 12 warns wrongly of overlap on that at -O3
  name += std::to_string(index + 1);
  return name;
}

namespace {

// The fixed starting points of the search: alike and mixed probabilities, small and
// larger lapse rates.
std::vector<ParameterPoint> StartingPoints() {
  std::vector<ParameterPoint> starts;
  const auto add = [&](double low, double high, double lapse) {
    ParameterPoint point;
    for (int k = 0; k < CardRuleCount; ++k) point[k] = k % 2 == 0 ? low : high;
    point[LapseIndex] = lapse;
    starts.push_back(point);
  };
  add(0.5, 0.5, 0.05);
  add(0.2, 0.2, 0.01);
  add(0.8, 0.8, 0.2);
  add(0.3, 0.7, 0.1);
  add(0.7, 0.3, 0.02);
  return starts;
}

}  // namespace

FitResult UniformFit(long long positions) {
  FitResult uniform{.model = FitModel::Uniform, .positions = positions};
  uniform.logLikelihood = static_cast<double>(positions) * std::log(1.0 / MoveCount);
  uniform.aic = -2 * uniform.logLikelihood;
  uniform.bic = uniform.aic;
  return uniform;
}

std::vector<FitResult> FitTableRows(const std::vector<FitResult>& fits) {
  std::vector<FitResult> rows = fits;
  rows.push_back(UniformFit(fits.empty() ? 0 : fits.front().positions));
  return rows;
}

const FitResult* LowestAic(const std::vector<FitResult>& rows) {
  const auto lowest = std::min_element(rows.begin(), rows.end(),
                                       [](const FitResult& a, const FitResult& b) { return a.aic < b.aic; });
  return lowest == rows.end() ? nullptr : &*lowest;
}

FitResult FitParameters(const FitData& data, const FixedParameters& fixed, const FitWatch& watch) {
  if (ScoreData(data, PlayerParameters{}).suggested == 0) throw NothingToFit();
  const LikelihoodSearch search(data, fixed, watch);
  const std::size_t n = search.free().size();
  const std::vector<double> x = search.Maximise(StartingPoints());
  const ParameterPoint point = search.PointAt(x);
  const LineScore score = search.ScoreAt(point);
  const std::vector<double> errors = n == 0 ? std::vector<double>{}
                                            : StandardErrorsFromGradient([&](const std::vector<double>& y) {
                                                std::vector<double> gradient;
                                                search.LogLikelihood(y, gradient);
                                                return gradient;
                                              }, x, search.lower(), search.upper());

  if (!std::isfinite(score.logLikelihood)) throw std::runtime_error("the log-likelihood is not a finite number");
  FitResult result;
  result.logLikelihood = score.logLikelihood;
  result.positions = score.suggested;
  result.freeParameters = static_cast<int>(n);
  result.aic = 2.0 * n - 2 * score.logLikelihood;
  result.bic = n * std::log(static_cast<double>(std::max(1LL, score.suggested))) - 2 * score.logLikelihood;
  result.expectedAgreement = score.suggested > 0 ? score.expectedAgreements / score.suggested : 0;
  for (int i = 0; i < ParameterCount; ++i) {
    ParameterEstimate& estimate = result.parameters[i];
    estimate.determined = i == LapseIndex || data.dependsOn[i];
    estimate.fixed = fixed[i].has_value();
    estimate.value = point[i];
  }
  for (std::size_t j = 0; j < n; ++j) result.parameters[search.free()[j]].standardError = errors[j];
  return result;
}

FitData CompileFitData(const HandList& hands, ModelVariant variant, const AnalysisSettings& base, int jobs,
                       const FitWatch& watch) {
  AnalysisSettings settings = base;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  FitData data = CompileFitDataOf(hands, settings, jobs, watch.stopRequested);
  if (watch.stopRequested && watch.stopRequested()) throw FitCancelled();  // some hands were left out
  return data;
}

FitResult FitVariant(const HandList& hands, ModelVariant variant, const AnalysisSettings& base,
                     const FixedParameters& fixed, int jobs, const FitWatch& watch) {
  FitResult result = FitParameters(CompileFitData(hands, variant, base, jobs, watch), fixed, watch);
  result.variant = variant;
  return result;
}

}  // namespace bruso
