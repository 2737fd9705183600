#include "study/hierarchical_fit.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <limits>
#include <numbers>
#include <thread>

#include "model/curvature.h"

namespace bruso {

namespace {

// The logit of the lowest and highest lapse rate the fits allow: each logit stays within it.
const double LogitBound = std::log((1 - LapseMargin) / LapseMargin);
constexpr int MostIterations = 500;
// The rise of the log marginal likelihood in one round that ends the search. A spread that
// the lines cannot place shrinks on for hundreds of rounds while the likelihood hardly moves.
constexpr double Settled = 1e-3;
// Finer than a fit's: the group's flat directions move the modes by small steps.
constexpr double MapTolerance = 1e-9;
constexpr double SmallestSpread = 0.01;  // a spread of 0 would hold every participant at the mean

double Logistic(double x) { return 1 / (1 + std::exp(-x)); }

// The group distribution of the estimated parameters, in the order of `free`.
struct Group {
  std::vector<int> free;
  std::vector<double> mean, spread;
};

// The held values with the group's parameters at the logits' probabilities.
ParameterPoint PointOf(ParameterPoint point, const Group& group, const std::vector<double>& logits) {
  for (std::size_t j = 0; j < logits.size(); ++j) point[group.free[j]] = Logistic(logits[j]);
  return point;
}

// A participant's log posterior over the logits of the group's parameters: the likelihood of
// their lines and the group's normal densities.
class Posterior {
 public:
  Posterior(const FitData& data, const ParameterPoint& held, const Group& group)
      : data_(data), held_(held), group_(group) {}

  double LogLikelihood(const std::vector<double>& logits) const {
    ParameterPoint point = PointAt(logits);
    PlayerParameters player;
    for (int k = 1; k <= CardRuleCount; ++k) player.probabilities[k] = point[k - 1];
    player.lapse = point[LapseIndex];
    const double value = ScoreData(data_, player).logLikelihood;
    return std::isfinite(value) ? value : -std::numeric_limits<double>::max();
  }
  double LogPrior(const std::vector<double>& logits) const {
    double sum = 0;
    for (std::size_t j = 0; j < logits.size(); ++j) {
      const double z = (logits[j] - group_.mean[j]) / group_.spread[j];
      sum += -0.5 * z * z - std::log(group_.spread[j]) - 0.5 * std::log(2 * std::numbers::pi);
    }
    return sum;
  }
  double operator()(const std::vector<double>& logits) const { return LogLikelihood(logits) + LogPrior(logits); }
  ParameterPoint PointAt(const std::vector<double>& logits) const { return PointOf(held_, group_, logits); }

 private:
  const FitData& data_;
  ParameterPoint held_;
  const Group& group_;
};

// A participant's most probable logits under the group, their covariance (the inverse of
// minus the log posterior's curvature there) and the Laplace approximation of the log of
// their lines' marginal likelihood.
struct Mode {
  std::vector<double> logits;
  std::vector<std::vector<double>> covariance;
  double logEvidence = 0;
};

std::vector<double> MostProbable(const Posterior& posterior, const std::vector<std::vector<double>>& starts) {
  const std::size_t n = starts.front().size();
  return BestOfSearches([&](const std::vector<double>& x) { return posterior(x); }, std::vector<double>(n, -LogitBound),
                        std::vector<double>(n, LogitBound), starts, MapTolerance);
}

// The logarithm of the determinant of a symmetric positive definite matrix by its Cholesky
// factor; NaN when it is not positive definite.
double LogDeterminant(std::vector<std::vector<double>> a) {
  double sum = 0;
  for (std::size_t j = 0; j < a.size(); ++j) {
    for (std::size_t k = 0; k < j; ++k) a[j][j] -= a[j][k] * a[j][k];
    if (!(a[j][j] > 0)) return std::numeric_limits<double>::quiet_NaN();
    a[j][j] = std::sqrt(a[j][j]);
    sum += 2 * std::log(a[j][j]);
    for (std::size_t i = j + 1; i < a.size(); ++i) {
      for (std::size_t k = 0; k < j; ++k) a[i][j] -= a[i][k] * a[j][k];
      a[i][j] /= a[j][j];
    }
  }
  return sum;
}

Mode FindMode(const Posterior& posterior, const Group& group, const std::vector<std::vector<double>>& starts) {
  Mode mode;
  mode.logits = MostProbable(posterior, starts);
  const std::size_t n = mode.logits.size();
  std::vector<std::vector<double>> precision = Hessian(posterior, mode.logits);
  for (auto& row : precision) {
    for (double& value : row) value = -value;
  }
  double log_determinant = LogDeterminant(precision);
  mode.covariance = std::isnan(log_determinant) ? std::vector<std::vector<double>>{} : Inverse(precision);
  if (mode.covariance.empty()) {
    // Rounding left the curvature without a proper inverse: each parameter alone, no
    // flatter than the group's distribution.
    mode.covariance.assign(n, std::vector<double>(n, 0.0));
    log_determinant = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const double p = std::max(precision[j][j], 1 / (group.spread[j] * group.spread[j]));
      mode.covariance[j][j] = 1 / p;
      log_determinant += std::log(p);
    }
  }
  mode.logEvidence = posterior(mode.logits) + 0.5 * static_cast<double>(n) * std::log(2 * std::numbers::pi) -
                     0.5 * log_determinant;
  return mode;
}

// Each participant's mode under the group, spread over `jobs` threads (each participant's
// is the same on any thread); starts from their last mode and from the group's means.
std::vector<Mode> FindModes(const std::vector<FitData>& data, const ParameterPoint& held, const Group& group,
                            const std::vector<Mode>& last, const FitWatch& watch, int jobs) {
  std::vector<Mode> modes(data.size());
  std::vector<std::exception_ptr> failures(data.size());
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t i = next++; i < data.size(); i = next++) {
      if (watch.stopRequested && watch.stopRequested()) return;
      try {
        std::vector<std::vector<double>> starts = {group.mean};
        if (!last.empty() && last[i].logits != group.mean) starts.push_back(last[i].logits);
        modes[i] = FindMode(Posterior(data[i], held, group), group, starts);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  };
  {
    std::vector<std::jthread> threads;
    for (int worker = 1; worker < jobs; ++worker) threads.emplace_back(work);
    work();
  }
  if (watch.stopRequested && watch.stopRequested()) throw FitCancelled();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return modes;
}

// The group's means and spreads that best fit the participants' modes and their covariances.
Group NextGroup(const Group& group, const std::vector<Mode>& modes) {
  Group next = group;
  const double count = static_cast<double>(modes.size());
  for (std::size_t j = 0; j < group.free.size(); ++j) {
    double sum = 0, squares = 0;
    for (const Mode& mode : modes) {
      sum += mode.logits[j];
      squares += mode.logits[j] * mode.logits[j] + mode.covariance[j][j];
    }
    next.mean[j] = sum / count;
    next.spread[j] = std::sqrt(std::max(SmallestSpread * SmallestSpread, squares / count - next.mean[j] * next.mean[j]));
  }
  return next;
}

double LogMarginal(const std::vector<Mode>& modes) {
  double sum = 0;
  for (const Mode& mode : modes) sum += mode.logEvidence;
  return sum;
}

// The standard errors of a mean and spread: each participant weighs by how precisely their
// lines alone place them (their posterior precision less the group's), as in the normal
// model where an estimate of variance s² is drawn with variance spread² + s².
void AddErrors(const Group& group, const std::vector<Mode>& modes, std::size_t j, GroupParameter& parameter) {
  const double prior_precision = 1 / (group.spread[j] * group.spread[j]);
  double weights = 0, squared_weights = 0;
  for (const Mode& mode : modes) {
    const double data_precision = std::max(0.0, 1 / mode.covariance[j][j] - prior_precision);
    const double weight = data_precision / (1 + group.spread[j] * group.spread[j] * data_precision);
    weights += weight;
    squared_weights += weight * weight;
  }
  parameter.meanError = weights > 0 ? 1 / std::sqrt(weights) : std::numeric_limits<double>::quiet_NaN();
  parameter.spreadError = squared_weights > 0 ? 1 / std::sqrt(0.5 * squared_weights) / (2 * group.spread[j])
                                              : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

ProbabilityScale OnProbabilityScale(const GroupParameter& parameter) {
  const double p = Logistic(parameter.mean);
  const double slope = p * (1 - p);
  return {p, slope * parameter.spread, slope * parameter.meanError, slope * parameter.spreadError};
}

HierarchicalFit FitHierarchical(const std::vector<FitData>& data, const FixedParameters& fixed, int jobs,
                                const FitWatch& watch) {
  const bool any = std::any_of(data.begin(), data.end(), [](const FitData& d) {
    return ScoreData(d, PlayerParameters{}).suggested > 0;
  });
  if (!any) throw NothingToFit();
  ParameterPoint held;
  Group group;
  for (int i = 0; i < ParameterCount; ++i) {
    held[i] = fixed[i].value_or(0.5);
    const bool depended = i == LapseIndex || std::any_of(data.begin(), data.end(), [&](const FitData& d) {
                            return d.dependsOn[i];
                          });
    if (fixed[i] || !depended) continue;
    group.free.push_back(i);
    group.mean.push_back(i == LapseIndex ? std::log(0.05 / 0.95) : 0.0);
    group.spread.push_back(2.0);
  }
  HierarchicalFit fit;
  std::vector<Mode> modes;
  double last = -std::numeric_limits<double>::infinity();
  while (!fit.converged && fit.iterations < MostIterations) {
    modes = FindModes(data, held, group, modes, watch, jobs);
    const double log_marginal = LogMarginal(modes);
    fit.converged = std::abs(log_marginal - last) < Settled;
    last = log_marginal;
    group = NextGroup(group, modes);
    ++fit.iterations;
  }
  modes = FindModes(data, held, group, modes, watch, jobs);  // under the group's final values
  fit.logMarginal = LogMarginal(modes);
  for (const Mode& mode : modes) fit.estimates.push_back(PointOf(held, group, mode.logits));
  for (std::size_t j = 0; j < group.free.size(); ++j) {
    GroupParameter& parameter = fit.group[group.free[j]];
    parameter = {.estimated = true, .mean = group.mean[j], .spread = group.spread[j]};
    AddErrors(group, modes, j, parameter);
  }
  fit.freeParameters = static_cast<int>(group.free.size());
  fit.bic = -2 * fit.logMarginal + 2.0 * fit.freeParameters * std::log(static_cast<double>(data.size()));
  return fit;
}

HierarchicalFit FitHierarchicalVariant(const std::vector<Participant>& participants, ModelVariant variant,
                                       const FixedParameters& fixed, int jobs, const FitWatch& watch) {
  std::vector<FitData> data;
  for (const Participant& participant : participants) {
    data.push_back(CompileFitData(participant.hands, variant, AnalysisSettings{}, jobs, watch));
  }
  HierarchicalFit fit = FitHierarchical(data, fixed, jobs, watch);
  fit.variant = variant;
  return fit;
}

}  // namespace bruso
