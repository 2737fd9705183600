#include "model/profile_interval.h"

#include <cmath>
#include <limits>

#include "model/parameter_search.h"

namespace bruso {

namespace {

// How close to a bound an estimate counts as on it.
constexpr double BoundTolerance = 1e-5;
// An interval's end is found when the profile there lies this close to the floor, or the
// bracket around it is this narrow.
constexpr double LikelihoodTolerance = 1e-3;
constexpr double EndTolerance = 1e-4;

// The p-quantile of the standard normal distribution, by bisection of its distribution.
double NormalQuantile(double p) {
  double low = -40;
  double high = 40;
  for (int step = 0; step < 200; ++step) {
    const double middle = (low + high) / 2;
    (0.5 * std::erfc(-middle / std::sqrt(2.0)) < p ? low : high) = middle;
  }
  return (low + high) / 2;
}

// The log-likelihood maximised over the free parameters other than `index`, which is held
// at `value`, or the first log-likelihood found that reaches `enough`. The search starts
// from `warm` and leaves its end point there, for the next value nearby.
double ProfileAt(const FitData& data, FixedParameters held, int index, double value, ParameterPoint& warm,
                 const FitWatch& watch, double enough = NoEnough) {
  held[index] = value;
  const LikelihoodSearch search(data, held, watch);
  warm[index] = value;
  double best = 0;
  const std::vector<double> x = search.Maximise({warm}, &best, enough);
  warm = search.PointAt(x);
  // The search's own value at its end point, unless that is not a finite number.
  return best > -std::numeric_limits<double>::max() ? best : search.ScoreAt(warm).logLikelihood;
}

// The end of the interval between the estimate and `bound`: where the profile falls to
// `floor`, or the bound when it stays above. The profile falls from the estimate outwards:
// a first guess from the standard error, then regula falsi (Illinois) narrows the bracket.
double IntervalEnd(const FitData& data, const FixedParameters& fixed, int index, const FitResult& fit, double bound,
                   double floor, double guess, const FitWatch& watch) {
  ParameterPoint warm;
  for (int i = 0; i < ParameterCount; ++i) warm[i] = fit.parameters[i].value;
  const auto excess = [&](double value, double enough = NoEnough) {
    return ProfileAt(data, fixed, index, value, warm, watch, enough) - floor;
  };
  double inner = fit.parameters[index].value;
  double inner_excess = fit.logLikelihood - floor;
  double outer = bound;
  double outer_excess = 0;
  bool bracketed = false;
  if (std::isfinite(guess) && (guess - inner) * (bound - guess) > 0) {
    const double value = excess(guess);
    if (std::abs(value) < LikelihoodTolerance) return guess;
    (value > 0 ? inner : outer) = guess;
    (value > 0 ? inner_excess : outer_excess) = value;
    bracketed = value < 0;
  }
  if (!bracketed) {
    // Whether the profile stays above the floor up to the bound: the first point that
    // reaches the floor tells, and the search stops there.
    outer_excess = excess(bound, floor);
    if (outer_excess >= 0) return bound;
  }
  enum { None, Inner, Outer } last_moved = None;
  for (int step = 0; step < 60 && std::abs(outer - inner) > EndTolerance; ++step) {
    const double next = inner + inner_excess * (outer - inner) / (inner_excess - outer_excess);
    const double value = excess(next);
    if (std::abs(value) < LikelihoodTolerance) return next;
    // Illinois: an end kept twice in a row counts half, so that both ends move.
    if (value > 0) {
      if (last_moved == Inner) outer_excess /= 2;
      inner = next;
      inner_excess = value;
      last_moved = Inner;
    } else {
      if (last_moved == Outer) inner_excess /= 2;
      outer = next;
      outer_excess = value;
      last_moved = Outer;
    }
  }
  return (inner + outer) / 2;
}

}  // namespace

double IntervalCutoff(double level, bool one_sided) {
  const double z = NormalQuantile(one_sided ? level : (1 + level) / 2);
  return z * z / 2;
}

void MarkEstimatesOnBounds(FitResult& fit) {
  for (int i = 0; i < ParameterCount; ++i) {
    ParameterEstimate& estimate = fit.parameters[i];
    if (!estimate.determined || estimate.fixed) continue;
    estimate.onBound = estimate.value <= LowerBound(i) + BoundTolerance || estimate.value >= UpperBound(i) - BoundTolerance;
  }
}

void AddProfileIntervals(const FitData& data, const FixedParameters& fixed, double level, FitResult& fit,
                         const FitWatch& watch) {
  fit.intervalLevel = level;
  MarkEstimatesOnBounds(fit);
  const FitWatch stop_only{.stopRequested = watch.stopRequested};
  for (int i = 0; i < ParameterCount; ++i) {
    ParameterEstimate& estimate = fit.parameters[i];
    if (!estimate.determined || estimate.fixed) continue;
    const double low = LowerBound(i);
    const double high = UpperBound(i);
    const bool at_low = estimate.value <= low + BoundTolerance;
    const bool at_high = estimate.value >= high - BoundTolerance;
    const double floor = fit.logLikelihood - IntervalCutoff(level, estimate.onBound);
    const double reach = std::sqrt(2 * IntervalCutoff(level, estimate.onBound)) * estimate.standardError;
    estimate.lower = at_low ? low : IntervalEnd(data, fixed, i, fit, low, floor, estimate.value - reach, stop_only);
    estimate.upper = at_high ? high : IntervalEnd(data, fixed, i, fit, high, floor, estimate.value + reach, stop_only);
  }
}

FitResult FitVariantWithIntervals(const HandList& hands, ModelVariant variant, const AnalysisSettings& base,
                                  const FixedParameters& fixed, int jobs, double level, const FitWatch& watch) {
  const FitData data = CompileFitData(hands, variant, base, jobs, watch);
  FitResult fit = FitParameters(data, fixed, watch);
  fit.variant = variant;
  if (level > 0) {
    AddProfileIntervals(data, fixed, level, fit, watch);
  } else {
    MarkEstimatesOnBounds(fit);
  }
  return fit;
}

}  // namespace bruso
