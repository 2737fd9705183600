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

// What a row of a fit table is a fit of: a variant of the analysis (whose estimates can be
// used as model settings), a rule player (its rules files and a lapse rate), or the player
// who moves uniformly at random.
enum class FitModel { Analysis, Rules, Uniform };

// The maximum-likelihood fit of one variant, or a row for another model of the same lines.
struct FitResult {
  FitModel model = FitModel::Analysis;
  ModelVariant variant;  // of the analysis only
  double logLikelihood = 0;
  long long positions = 0;  // positions with a suggestion: the terms of the likelihood
  int freeParameters = 0;
  double aic = 0;
  double bic = 0;
  std::array<ParameterEstimate, ParameterCount> parameters;
  double expectedAgreement = 0;  // at the estimate
  // The row of a rule player: its rules files, "CK,NK" (only the lapse rate applies of the
  // parameters); empty for a variant of the analysis.
  std::string rules;
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

// Lines without a position where the analysis suggests a move: nothing to estimate.
class NothingToFit : public std::runtime_error {
 public:
  NothingToFit() : std::runtime_error("there is no position to fit") {}
};

// The player who moves uniformly at random over `positions` positions: n ln(1/5), nothing
// free, so its AIC and BIC are -2 ln L.
FitResult UniformFit(long long positions);

// The rows of a fit table: the fits, then the uniform player over the first fit's positions.
std::vector<FitResult> FitTableRows(const std::vector<FitResult>& fits);

// The row of lowest AIC among all the rows given (the first of equal ones), or none when
// there is none. A row whose model is not the analysis may win: then no variant explains
// the lines better than it.
const FitResult* LowestAic(const std::vector<FitResult>& rows);

// Fits p1..p10 and the lapse rate by maximum likelihood, bounded, from several fixed
// starting points (the best end point wins, so the result does not depend on chance).
// Throws NothingToFit when no position of the data has a suggestion.
FitResult FitParameters(const FitData& data, const FixedParameters& fixed, const FitWatch& watch = {});

// Compiles the hands' recorded lines for the variant (the other settings from `base`).
FitData CompileFitData(const HandList& hands, ModelVariant variant, const AnalysisSettings& base, int jobs,
                       const FitWatch& watch = {});

// Compiles the hands' recorded lines for the variant (the other settings from `base`) and
// fits it.
FitResult FitVariant(const HandList& hands, ModelVariant variant, const AnalysisSettings& base,
                     const FixedParameters& fixed, int jobs, const FitWatch& watch = {});

}  // namespace bruso
