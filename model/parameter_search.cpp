#include "model/parameter_search.h"

#include <cmath>
#include <limits>
#include <nlopt.hpp>

namespace bruso {

double LowerBound(int index) { return index == LapseIndex ? LapseMargin : 0.0; }
double UpperBound(int index) { return index == LapseIndex ? 1 - LapseMargin : 1.0; }

namespace {

PlayerParameters PlayerAt(const ParameterPoint& point) {
  PlayerParameters player;
  for (int k = 1; k <= CardRuleCount; ++k) player.probabilities[k] = point[k - 1];
  player.lapse = point[LapseIndex];
  return player;
}

}  // namespace

LikelihoodSearch::LikelihoodSearch(const FitData& data, const FixedParameters& fixed, const FitWatch& watch)
    : data_(data), watch_(watch) {
  for (int i = 0; i < ParameterCount; ++i) {
    held_[i] = fixed[i].value_or(0.5);
    const bool determined = i == LapseIndex || data.dependsOn[i];
    if (!determined || fixed[i]) continue;
    free_.push_back(i);
    lower_.push_back(LowerBound(i));
    upper_.push_back(UpperBound(i));
  }
}

ParameterPoint LikelihoodSearch::PointAt(const std::vector<double>& x) const {
  ParameterPoint point = held_;
  for (std::size_t j = 0; j < free_.size(); ++j) point[free_[j]] = x[j];
  return point;
}

std::vector<double> LikelihoodSearch::FreeOf(const ParameterPoint& point) const {
  std::vector<double> x(free_.size());
  for (std::size_t j = 0; j < free_.size(); ++j) x[j] = point[free_[j]];
  return x;
}

LineScore LikelihoodSearch::ScoreAt(const ParameterPoint& point) const {
  return ScoreData(data_, PlayerAt(point));
}

double LikelihoodSearch::LogLikelihood(const std::vector<double>& x, std::vector<double>& gradient) const {
  ParameterGradient all;
  const double value = LogLikelihoodWithGradient(data_, PlayerAt(PointAt(x)), all);
  gradient.resize(free_.size());
  for (std::size_t j = 0; j < free_.size(); ++j) gradient[j] = all[free_[j]];
  return value;
}

double LikelihoodSearch::Objective(const std::vector<double>& x, std::vector<double>& gradient) const {
  if (StopRequested()) throw nlopt::forced_stop();  // NLopt ends the search and throws it again
  // The value alone where the search asks for no slope: a pass without the backward half.
  if (gradient.empty()) {
    const double value = LogLikelihood(x);
    return std::isfinite(value) ? value : -std::numeric_limits<double>::max();
  }
  std::vector<double> slope;
  const double value = LogLikelihood(x, slope);
  // The search cannot step on from -inf or NaN: such a point counts as the worst there is,
  // with no slope to follow.
  const bool finite = std::isfinite(value);
  for (std::size_t j = 0; j < gradient.size(); ++j) gradient[j] = finite && std::isfinite(slope[j]) ? slope[j] : 0;
  return finite ? value : -std::numeric_limits<double>::max();
}

std::vector<double> LikelihoodSearch::Maximise(const std::vector<ParameterPoint>& starts, double* best,
                                               double enough) const {
  if (free_.empty()) {
    if (best != nullptr) *best = LogLikelihood({});
    return {};
  }
  std::vector<std::vector<double>> points;
  for (const ParameterPoint& start : starts) points.push_back(FreeOf(start));
  return BestOfGradientSearches([this](const std::vector<double>& x, std::vector<double>& gradient) {
    return Objective(x, gradient);
  }, lower_, upper_, points, 1e-12, watch_.searchDone, best, enough);
}

namespace {

double CallObjective(const std::vector<double>& x, std::vector<double>&, void* data) {
  return (*static_cast<const SearchObjective*>(data))(x);
}

double CallGradientObjective(const std::vector<double>& x, std::vector<double>& gradient, void* data) {
  return (*static_cast<const GradientObjective*>(data))(x, gradient);
}

// A search of its own from each start (NLopt keeps one start's step sizes for the next
// search of the same object), leaving its end point in x and returning f there.
using Search = std::function<double(std::vector<double>& x)>;

// Runs the search set up by `opt` from x: f at its end point, where rounding stopped it
// if so.
double RunSearch(nlopt::opt& opt, const SearchObjective& f, std::vector<double>& x) {
  double value = 0;
  try {
    opt.optimize(x, value);
  } catch (const nlopt::roundoff_limited&) {
    value = f(x);  // as far as rounding lets the search go
  }
  return value;
}

std::vector<double> BestOf(const Search& search, const std::vector<std::vector<double>>& starts,
                           const std::function<void()>& search_done, double* best_of_all = nullptr) {
  std::vector<double> best;
  double best_value = -std::numeric_limits<double>::infinity();
  for (std::vector<double> x : starts) {
    double value = 0;
    try {
      value = search(x);
    } catch (const nlopt::forced_stop&) {
      throw FitCancelled();
    }
    if (search_done) search_done();
    if (best.empty() || value > best_value) {
      best_value = value;
      best = x;
    }
  }
  if (best_of_all != nullptr) *best_of_all = best_value;
  return best;
}

double DerivativeFreeSearch(const SearchObjective& f, const std::vector<double>& lower,
                            const std::vector<double>& upper, double tolerance, std::vector<double>& x,
                            double enough = NoEnough) {
  const std::size_t n = lower.size();
  // BOBYQA needs two parameters at least; one is left to the subplex method.
  nlopt::opt opt(n >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX, static_cast<unsigned>(n));
  opt.set_lower_bounds(lower);
  opt.set_upper_bounds(upper);
  opt.set_max_objective(CallObjective, const_cast<SearchObjective*>(&f));
  opt.set_ftol_abs(tolerance);
  opt.set_xtol_abs(1e-7);
  opt.set_maxeval(20000);
  if (enough < NoEnough) opt.set_stopval(enough);
  return RunSearch(opt, f, x);
}

}  // namespace

std::vector<double> BestOfSearches(const SearchObjective& f, const std::vector<double>& lower,
                                   const std::vector<double>& upper, const std::vector<std::vector<double>>& starts,
                                   double tolerance, const std::function<void()>& search_done) {
  return BestOf([&](std::vector<double>& x) { return DerivativeFreeSearch(f, lower, upper, tolerance, x); }, starts,
                search_done);
}

std::vector<double> BestOfGradientSearches(const GradientObjective& f, const std::vector<double>& lower,
                                           const std::vector<double>& upper,
                                           const std::vector<std::vector<double>>& starts, double tolerance,
                                           const std::function<void()>& search_done, double* best,
                                           double enough) {
  const SearchObjective value_at = [&f](const std::vector<double>& x) {
    std::vector<double> no_gradient;
    return f(x, no_gradient);
  };
  return BestOf([&](std::vector<double>& x) {
    const std::vector<double> start = x;
    nlopt::opt opt(nlopt::LD_LBFGS, static_cast<unsigned>(lower.size()));
    opt.set_lower_bounds(lower);
    opt.set_upper_bounds(upper);
    opt.set_max_objective(CallGradientObjective, const_cast<GradientObjective*>(&f));
    opt.set_ftol_rel(tolerance);
    opt.set_maxeval(5000);
    if (enough < NoEnough) opt.set_stopval(enough);
    try {
      return RunSearch(opt, value_at, x);
    } catch (const nlopt::forced_stop&) {
      throw;
    } catch (const std::runtime_error&) {
      // L-BFGS gives up now and then where the slope changes abruptly (on a bound): the
      // search without the gradient goes on from the same start.
      x = start;
      return DerivativeFreeSearch(value_at, lower, upper, 1e-7, x, enough);
    }
  }, starts, search_done, best);
}

}  // namespace bruso
