#pragma once

#include <string>
#include <vector>

#include "model/fit.h"

namespace bruso {

// The columns of the table that `fit --csv` writes: one row per variant, one per rule
// player (`model` is "rules:CK,NK", its rules files) and one for the player who moves
// uniformly at random; a field that does not apply is empty.
extern const std::vector<std::string> FitCsvHeader;

std::vector<std::string> FitCsvFields(const FitResult& fit);
// "conflict mode 1, altruism 0", or "rules CK,NK" for a rule player.
std::string ModelName(const FitResult& fit);
std::vector<std::string> UniformCsvFields(long long positions);

// The log-likelihood of the player who moves uniformly at random: n ln(1/5).
double UniformLogLikelihood(long long positions);

// The fits as one table for standard output, a column per variant and one for the
// uniform player, each estimate with its standard error in brackets; "–" for a
// probability that no position depends on. A rule player's column is headed "rules N",
// and a line after the table names its files. Ends with the model of lowest AIC.
std::string FitTableText(const std::vector<FitResult>& fits);

// Two fits of one rule player side by side, its weights before and after a search: the
// log-likelihood, n, k, AIC, BIC, the lapse rate and the expected agreement.
std::string BeforeAfterTableText(const FitResult& before, const FitResult& after);

}  // namespace bruso
