#pragma once

#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/analysis_settings.h"
#include "model/fit_data.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The parameters of the player: p1 to p10 (indices 0 to 9) and the lapse rate (index 10).
inline constexpr int ParameterCount = CardRuleCount + 1;
inline constexpr int LapseIndex = CardRuleCount;
// "p1" to "p10", "lapse".
std::string ParameterName(int index);
// The lapse rate stays inside (0, 1): the search keeps it this far from either end.
inline constexpr double LapseMargin = 1e-6;

// Parameters held at a value instead of estimated.
using FixedParameters = std::array<std::optional<double>, ParameterCount>;

struct ParameterEstimate {
  bool determined = false;  // false: no position of the data depends on it
  bool fixed = false;
  double value = 0;
  double standardError = 0;  // NaN when the curvature gives none; 0 when fixed
  // The profile-likelihood interval, when the fit was asked for one (NaN otherwise): see
  // profile_interval.h.
  double lower = std::numeric_limits<double>::quiet_NaN();
  double upper = std::numeric_limits<double>::quiet_NaN();
  bool onBound = false;  // the estimate is the parameter's lowest or highest value
};

// The maximum-likelihood fit of one variant.
struct FitResult {
  ModelVariant variant;
  double logLikelihood = 0;
  long long positions = 0;  // positions with a suggestion: the terms of the likelihood
  int freeParameters = 0;
  double aic = 0;
  double bic = 0;
  std::array<ParameterEstimate, ParameterCount> parameters;
  double expectedAgreement = 0;  // at the estimate
  double intervalLevel = 0;      // the confidence level of the intervals; 0 without them
};

// How many searches a fit makes, one from each fixed starting point.
inline constexpr int FitStartCount = 5;

// What a caller that shows a fit's progress or lets the user stop it gives the fit.
struct FitWatch {
  // Asked before each hand is compiled and at every step of the search (from several
  // threads while the lines are compiled): true ends the fit with FitCancelled.
  std::function<bool()> stopRequested;
  // Told after each search from a starting point.
  std::function<void()> searchDone;
};

// A fit ended by its watch.
class FitCancelled : public std::runtime_error {
 public:
  FitCancelled() : std::runtime_error("the fit was cancelled") {}
};

// The fit of lowest AIC (the first of equal ones), or none when there is no fit.
const FitResult* LowestAic(const std::vector<FitResult>& fits);

// Fits p1..p10 and the lapse rate by maximum likelihood, bounded, from several fixed
// starting points (the best end point wins, so the result does not depend on chance).
FitResult FitParameters(const FitData& data, const FixedParameters& fixed, const FitWatch& watch = {});

// Compiles the hands' recorded lines for the variant (the other settings from `base`).
FitData CompileFitData(const HandList& hands, ModelVariant variant, const AnalysisSettings& base, int jobs,
                       const FitWatch& watch = {});

// Compiles the hands' recorded lines for the variant (the other settings from `base`) and
// fits it.
FitResult FitVariant(const HandList& hands, ModelVariant variant, const AnalysisSettings& base,
                     const FixedParameters& fixed, int jobs, const FitWatch& watch = {});

}  // namespace bruso
