#include "model/parameter_search.h"

#include <cmath>
#include <limits>
#include <nlopt.hpp>

namespace bruso {

double LowerBound(int index) { return index == LapseIndex ? LapseMargin : 0.0; }
double UpperBound(int index) { return index == LapseIndex ? 1 - LapseMargin : 1.0; }

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
  PlayerParameters player;
  for (int k = 1; k <= CardRuleCount; ++k) player.probabilities[k] = point[k - 1];
  player.lapse = point[LapseIndex];
  return ScoreData(data_, player);
}

double LikelihoodSearch::Objective(const std::vector<double>& x, std::vector<double>&, void* data) {
  const LikelihoodSearch& search = *static_cast<const LikelihoodSearch*>(data);
  if (search.StopRequested()) throw nlopt::forced_stop();  // NLopt ends the search and throws it again
  // The search cannot step on from -inf or NaN: such a point counts as the worst there is.
  const double value = search.LogLikelihood(x);
  return std::isfinite(value) ? value : -std::numeric_limits<double>::max();
}

std::vector<double> LikelihoodSearch::Maximise(const std::vector<ParameterPoint>& starts) const {
  if (free_.empty()) return {};
  std::vector<std::vector<double>> points;
  for (const ParameterPoint& start : starts) points.push_back(FreeOf(start));
  return BestOfSearches([this](const std::vector<double>& x) {
    std::vector<double> unused;
    return Objective(x, unused, const_cast<LikelihoodSearch*>(this));
  }, lower_, upper_, points, 1e-7, watch_.searchDone);
}

namespace {

double CallObjective(const std::vector<double>& x, std::vector<double>&, void* data) {
  return (*static_cast<const SearchObjective*>(data))(x);
}

}  // namespace

std::vector<double> BestOfSearches(const SearchObjective& f, const std::vector<double>& lower,
                                   const std::vector<double>& upper, const std::vector<std::vector<double>>& starts,
                                   double tolerance, const std::function<void()>& search_done) {
  const std::size_t n = lower.size();
  std::vector<double> best;
  double best_value = -std::numeric_limits<double>::infinity();
  for (std::vector<double> x : starts) {
    // BOBYQA needs two parameters at least; one is left to the subplex method.
    nlopt::opt opt(n >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX, static_cast<unsigned>(n));
    opt.set_lower_bounds(lower);
    opt.set_upper_bounds(upper);
    opt.set_max_objective(CallObjective, const_cast<SearchObjective*>(&f));
    opt.set_ftol_abs(tolerance);
    opt.set_xtol_abs(1e-7);
    opt.set_maxeval(20000);
    double value = 0;
    try {
      try {
        opt.optimize(x, value);
      } catch (const nlopt::roundoff_limited&) {
        value = f(x);  // as far as rounding lets the search go
      }
    } catch (const nlopt::forced_stop&) {
      throw FitCancelled();
    }
    if (search_done) search_done();
    if (best.empty() || value > best_value) {
      best_value = value;
      best = x;
    }
  }
  return best;
}

}  // namespace bruso
