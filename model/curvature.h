#pragma once

#include <functional>
#include <vector>

namespace bruso {

using Objective = std::function<double(const std::vector<double>&)>;

// Approximate standard errors of a maximum-likelihood estimate: the square roots of the
// diagonal of the inverse of minus the log-likelihood's second derivatives at x, taken by
// central differences (centred just inside a bound when x lies on it). NaN for a parameter
// whose curvature gives no finite error.
std::vector<double> StandardErrors(const Objective& log_likelihood, std::vector<double> x,
                                   const std::vector<double>& lower, const std::vector<double>& upper);

// A function's gradient at x.
using GradientAt = std::function<std::vector<double>(const std::vector<double>&)>;

// As StandardErrors, from the log-likelihood's gradient: its second derivatives are central
// differences of the gradient, 2n gradients for n parameters instead of 2n² values.
std::vector<double> StandardErrorsFromGradient(const GradientAt& gradient, std::vector<double> x,
                                               const std::vector<double>& lower, const std::vector<double>& upper);

// The second derivatives of f at x, by central differences of step 1e-4.
std::vector<std::vector<double>> Hessian(const Objective& f, const std::vector<double>& x);

// The inverse of a symmetric matrix by Gauss-Jordan elimination with partial pivoting;
// empty when the matrix is singular.
std::vector<std::vector<double>> Inverse(std::vector<std::vector<double>> matrix);

}  // namespace bruso
