#pragma once

#include <array>
#include <functional>
#include <limits>
#include <vector>

#include "model/fit.h"

namespace bruso {

// A value for each parameter, in the order of ParameterName.
using ParameterPoint = std::array<double, ParameterCount>;

// A search that goes on until it ends by itself.
inline constexpr double NoEnough = std::numeric_limits<double>::infinity();

// The log-likelihood of the data as a function of the free parameters (those some
// position depends on and not held), the held ones at their values and the others at 0.5.
class LikelihoodSearch {
 public:
  LikelihoodSearch(const FitData& data, const FixedParameters& fixed, const FitWatch& watch);
  // The search keeps the watch it is given; a temporary one would be gone before it is read.
  LikelihoodSearch(const FitData& data, const FixedParameters& fixed, FitWatch&& watch) = delete;

  const std::vector<int>& free() const { return free_; }
  ParameterPoint PointAt(const std::vector<double>& x) const;
  // The free parameters' values of a point.
  std::vector<double> FreeOf(const ParameterPoint& point) const;
  LineScore ScoreAt(const ParameterPoint& point) const;
  double LogLikelihood(const std::vector<double>& x) const { return ScoreAt(PointAt(x)).logLikelihood; }
  // The log-likelihood, and its gradient in the free parameters put in `gradient`.
  double LogLikelihood(const std::vector<double>& x, std::vector<double>& gradient) const;
  const std::vector<double>& lower() const { return lower_; }
  const std::vector<double>& upper() const { return upper_; }

  // The best end point of a bounded search from each start (the first of equal ones), the
  // free parameters' values; empty when none is free. `best`, when given, is set to the
  // log-likelihood there (not a finite number: the lowest double). A search stops at the
  // first point whose log-likelihood reaches `enough`. Throws FitCancelled when the watch
  // asks for a stop.
  std::vector<double> Maximise(const std::vector<ParameterPoint>& starts, double* best = nullptr,
                               double enough = NoEnough) const;

 private:
  bool StopRequested() const { return watch_.stopRequested && watch_.stopRequested(); }
  double Objective(const std::vector<double>& x, std::vector<double>& gradient) const;

  const FitData& data_;
  const FitWatch& watch_;
  ParameterPoint held_;
  std::vector<int> free_;
  std::vector<double> lower_, upper_;
};

using SearchObjective = std::function<double(const std::vector<double>&)>;
// A function's value at x, and its gradient put in `gradient` when that is not empty.
using GradientObjective = std::function<double(const std::vector<double>& x, std::vector<double>& gradient)>;

// The best end point of a bounded search of `f` from each start (the first of equal ones),
// each ending when a step changes `f` by less than `tolerance`. `f` may throw nlopt::forced_stop to end the searches: they end with FitCancelled.
// `search_done`, when given, is told after each search.
std::vector<double> BestOfSearches(const SearchObjective& f, const std::vector<double>& lower,
                                   const std::vector<double>& upper, const std::vector<std::vector<double>>& starts,
                                   double tolerance, const std::function<void()>& search_done = {});

// As BestOfSearches, by a bounded quasi-Newton search (L-BFGS) that follows f's gradient,
// each search ending when a step changes f by less than `tolerance` times its size, or at
// the first point where f reaches `enough`. `best`, when given, is set to f at the point
// returned.
std::vector<double> BestOfGradientSearches(const GradientObjective& f, const std::vector<double>& lower,
                                           const std::vector<double>& upper,
                                           const std::vector<std::vector<double>>& starts, double tolerance,
                                           const std::function<void()>& search_done = {}, double* best = nullptr,
                                           double enough = NoEnough);

// The lowest and highest value a parameter can take in a fit.
double LowerBound(int index);
double UpperBound(int index);

}  // namespace bruso
