#pragma once

#include "model/fit.h"

namespace bruso {

// The confidence level of the intervals of fit, the window's fit and the Python module's.
inline constexpr double DefaultIntervalLevel = 0.95;

// How far below the best log-likelihood the ends of a profile-likelihood interval lie at a
// confidence level (0.5 < level < 1): half the χ²₁ quantile at the level (1.92 for 0.95),
// or for a one-sided interval, that of an estimate on a bound, half the quantile at
// 1 − 2(1 − level) (1.35 for 0.95).
double IntervalCutoff(double level, bool one_sided);

// Marks each estimated parameter of the fit that lies on its lowest or highest value.
// AddProfileIntervals does it too.
void MarkEstimatesOnBounds(FitResult& fit);

// Adds to a fit of `data` (FitParameters with the same held parameters) the
// profile-likelihood interval of each estimated parameter: the values whose log-likelihood,
// maximised over the other free parameters, lies within the cutoff of the fit's. An
// estimate on a bound gets the one-sided interval from the bound. Throws FitCancelled when
// the watch asks for a stop.
void AddProfileIntervals(const FitData& data, const FixedParameters& fixed, double level, FitResult& fit,
                         const FitWatch& watch = {});

// FitVariant with the intervals at `level` added; with `level` 0, without them, the
// estimates on a bound marked.
FitResult FitVariantWithIntervals(const HandList& hands, ModelVariant variant, const AnalysisSettings& base,
                                  const FixedParameters& fixed, int jobs, double level, const FitWatch& watch = {});

}  // namespace bruso
