#include "model/curvature.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bruso {

namespace {

constexpr double Step = 1e-4;

}  // namespace

std::vector<std::vector<double>> Hessian(const Objective& f, const std::vector<double>& x) {
  const std::size_t n = x.size();
  std::vector<std::vector<double>> h(n, std::vector<double>(n, 0.0));
  const double centre = f(x);
  const auto at = [&](std::size_t i, double di, std::size_t j, double dj) {
    std::vector<double> y = x;
    y[i] += di;
    y[j] += dj;
    return f(y);
  };
  for (std::size_t i = 0; i < n; ++i) {
    h[i][i] = (at(i, Step, i, 0) - 2 * centre + at(i, -Step, i, 0)) / (Step * Step);
    for (std::size_t j = 0; j < i; ++j) {
      h[i][j] = h[j][i] = (at(i, Step, j, Step) - at(i, Step, j, -Step) - at(i, -Step, j, Step) +
                           at(i, -Step, j, -Step)) / (4 * Step * Step);
    }
  }
  return h;
}

std::vector<std::vector<double>> Inverse(std::vector<std::vector<double>> a) {
  const std::size_t n = a.size();
  std::vector<std::vector<double>> inverse(n, std::vector<double>(n, 0.0));
  for (std::size_t i = 0; i < n; ++i) inverse[i][i] = 1;
  for (std::size_t column = 0; column < n; ++column) {
    std::size_t pivot = column;
    for (std::size_t row = column + 1; row < n; ++row) {
      if (std::abs(a[row][column]) > std::abs(a[pivot][column])) pivot = row;
    }
    if (std::abs(a[pivot][column]) < 1e-300) return {};
    std::swap(a[pivot], a[column]);
    std::swap(inverse[pivot], inverse[column]);
    const double scale = a[column][column];
    for (std::size_t k = 0; k < n; ++k) {
      a[column][k] /= scale;
      inverse[column][k] /= scale;
    }
    for (std::size_t row = 0; row < n; ++row) {
      if (row == column) continue;
      const double factor = a[row][column];
      for (std::size_t k = 0; k < n; ++k) {
        a[row][k] -= factor * a[column][k];
        inverse[row][k] -= factor * inverse[column][k];
      }
    }
  }
  return inverse;
}

namespace {

// x moved just inside the bounds, so that the differences stay within them.
std::vector<double> Inside(std::vector<double> x, const std::vector<double>& lower, const std::vector<double>& upper) {
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = std::clamp(x[i], lower[i] + 2 * Step, upper[i] - 2 * Step);
  return x;
}

// The errors from the log-likelihood's second derivatives h.
std::vector<double> ErrorsOf(std::vector<std::vector<double>> h) {
  for (auto& row : h) {
    for (double& value : row) value = -value;
  }
  const std::vector<std::vector<double>> covariance = Inverse(h);
  std::vector<double> errors(h.size(), std::numeric_limits<double>::quiet_NaN());
  for (std::size_t i = 0; i < covariance.size(); ++i) {
    if (covariance[i][i] > 0 && std::isfinite(covariance[i][i])) errors[i] = std::sqrt(covariance[i][i]);
  }
  return errors;
}

}  // namespace

std::vector<double> StandardErrors(const Objective& log_likelihood, std::vector<double> x,
                                   const std::vector<double>& lower, const std::vector<double>& upper) {
  return ErrorsOf(Hessian(log_likelihood, Inside(std::move(x), lower, upper)));
}

std::vector<double> StandardErrorsFromGradient(const GradientAt& gradient, std::vector<double> x,
                                               const std::vector<double>& lower, const std::vector<double>& upper) {
  x = Inside(std::move(x), lower, upper);
  const std::size_t n = x.size();
  std::vector<std::vector<double>> h(n, std::vector<double>(n, 0.0));
  for (std::size_t j = 0; j < n; ++j) {
    std::vector<double> y = x;
    y[j] = x[j] + Step;
    const std::vector<double> above = gradient(y);
    y[j] = x[j] - Step;
    const std::vector<double> below = gradient(y);
    for (std::size_t i = 0; i < n; ++i) h[i][j] = (above[i] - below[i]) / (2 * Step);
  }
  for (std::size_t i = 0; i < n; ++i) {  // symmetric, as the true second derivatives are
    for (std::size_t j = 0; j < i; ++j) h[i][j] = h[j][i] = (h[i][j] + h[j][i]) / 2;
  }
  return ErrorsOf(h);
}

}  // namespace bruso
