#pragma once

#include <string>
#include <vector>

#include "model/fit.h"
#include "study/cross_validation.h"

namespace bruso {

// The columns of the table that `fit --csv` writes: one row per variant and one for the
// player who moves uniformly at random; a field that does not apply is empty.
extern const std::vector<std::string> FitCsvHeader;

std::vector<std::string> FitCsvFields(const FitResult& fit);
std::vector<std::string> UniformCsvFields(long long positions);

// The log-likelihood of the player who moves uniformly at random: n ln(1/5).
double UniformLogLikelihood(long long positions);

// The fits as one table for standard output, a column per variant and one for the
// uniform player, each estimate with its standard error in brackets; "–" for a
// probability that no position depends on. Fits with profile-likelihood intervals get a
// row per parameter with them, and "*" marks an estimate on a bound. Ends with the variant
// of lowest AIC.
std::string FitTableText(const std::vector<FitResult>& fits);

// The held-out figures of the cross-validation beside the table, a column per variant:
// the summed log-likelihood, its mean per position, and how often a probability took the
// stated value because no training position depended on it.
std::string CrossValidationText(const std::vector<CrossValidation>& validations, std::uint64_t seed);

}  // namespace bruso
