#include "model/fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlopt.hpp>
#include <vector>

#include "model/curvature.h"

namespace bruso {

std::string ParameterName(int index) {
  if (index == LapseIndex) return "lapse";
  std::string name = "p";  // appended, not "p" + ...: GCC 12 warns wrongly of overlap on that at -O3
  name += std::to_string(index + 1);
  return name;
}

namespace {

using Point = std::array<double, ParameterCount>;

// The fixed starting points of the search: alike and mixed probabilities, small and
// larger lapse rates.
std::vector<Point> StartingPoints() {
  std::vector<Point> starts;
  const auto add = [&](double low, double high, double lapse) {
    Point point;
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

// The log-likelihood as a function of the free parameters, the others held.
class Search {
 public:
  Search(const FitData& data, const FixedParameters& fixed, const FitWatch& watch) : data_(data), watch_(watch) {
    for (int i = 0; i < ParameterCount; ++i) {
      held_[i] = fixed[i].value_or(0.5);
      const bool determined = i == LapseIndex || data.dependsOn[i];
      if (determined && !fixed[i]) free_.push_back(i);
    }
  }

  const std::vector<int>& free() const { return free_; }
  Point PointAt(const std::vector<double>& x) const {
    Point point = held_;
    for (std::size_t j = 0; j < free_.size(); ++j) point[free_[j]] = x[j];
    return point;
  }
  LineScore ScoreAt(const Point& point) const {
    PlayerParameters player;
    for (int k = 1; k <= CardRuleCount; ++k) player.probabilities[k] = point[k - 1];
    player.lapse = point[LapseIndex];
    return ScoreData(data_, player);
  }
  double LogLikelihood(const std::vector<double>& x) const { return ScoreAt(PointAt(x)).logLikelihood; }
  bool StopRequested() const { return watch_.stopRequested && watch_.stopRequested(); }
  void SearchDone() const {
    if (watch_.searchDone) watch_.searchDone();
  }
  double Lower(int i) const { return i == LapseIndex ? LapseMargin : 0.0; }
  double Upper(int i) const { return i == LapseIndex ? 1 - LapseMargin : 1.0; }

 private:
  const FitData& data_;
  const FitWatch& watch_;
  Point held_;
  std::vector<int> free_;
};

double Objective(const std::vector<double>& x, std::vector<double>&, void* data) {
  const Search& search = *static_cast<const Search*>(data);
  if (search.StopRequested()) throw nlopt::forced_stop();  // NLopt ends the search and throws it again
  // The search cannot step on from -inf or NaN: such a point counts as the worst there is.
  const double value = search.LogLikelihood(x);
  return std::isfinite(value) ? value : -std::numeric_limits<double>::max();
}

// The best end point of a bounded search from each start.
std::vector<double> Maximise(Search& search, std::vector<double>& lower, std::vector<double>& upper) {
  const std::size_t n = search.free().size();
  std::vector<double> best;
  double best_value = -std::numeric_limits<double>::infinity();
  for (const Point& start : StartingPoints()) {
    std::vector<double> x(n);
    for (std::size_t j = 0; j < n; ++j) x[j] = start[search.free()[j]];
    // BOBYQA needs two parameters at least; one is left to the subplex method.
    nlopt::opt opt(n >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_SBPLX, static_cast<unsigned>(n));
    opt.set_lower_bounds(lower);
    opt.set_upper_bounds(upper);
    opt.set_max_objective(Objective, &search);
    opt.set_ftol_abs(1e-7);
    opt.set_xtol_abs(1e-7);
    opt.set_maxeval(20000);
    double value = 0;
    try {
      opt.optimize(x, value);
    } catch (const nlopt::roundoff_limited&) {
      value = search.LogLikelihood(x);  // as far as rounding lets the search go
    } catch (const nlopt::forced_stop&) {
      throw FitCancelled();
    }
    search.SearchDone();
    if (best.empty() || value > best_value) {
      best_value = value;
      best = x;
    }
  }
  return best;
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
  Search search(data, fixed, watch);
  const std::size_t n = search.free().size();
  std::vector<double> lower(n);
  std::vector<double> upper(n);
  for (std::size_t j = 0; j < n; ++j) {
    lower[j] = search.Lower(search.free()[j]);
    upper[j] = search.Upper(search.free()[j]);
  }
  const std::vector<double> x = n == 0 ? std::vector<double>{} : Maximise(search, lower, upper);
  const Point point = search.PointAt(x);
  const LineScore score = search.ScoreAt(point);
  const std::vector<double> errors = n == 0 ? std::vector<double>{}
                                            : StandardErrors([&](const std::vector<double>& y) {
                                                return search.LogLikelihood(y);
                                              }, x, lower, upper);

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

FitResult FitVariant(const HandList& hands, ModelVariant variant, const AnalysisSettings& base,
                     const FixedParameters& fixed, int jobs, const FitWatch& watch) {
  AnalysisSettings settings = base;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  const std::vector<CompiledLine> lines = CompileLines(hands, settings, jobs, watch.stopRequested);
  if (watch.stopRequested && watch.stopRequested()) throw FitCancelled();  // some hands were left out
  FitResult result = FitParameters(FitDataFrom(lines), fixed, watch);
  result.variant = variant;
  return result;
}

}  // namespace bruso
