#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/table_fields.h"
#include "model/fit.h"

namespace bruso {

// The parameters in the order of the tables: the lapse rate, then p1 to p10.
inline constexpr std::array<int, ParameterCount> ParameterOrder = {LapseIndex, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

// The columns of a fit table: the model and its variant, the figures of the fit, each
// parameter's estimate and standard error, the expected agreement, and the interval level
// with each parameter's interval ends.
const std::vector<std::string>& FitColumns();

// A row of a fit table (see FitTableRows): a field that does not apply is empty. A rule
// player's model is "rules:" and its files, "rules:CK,NK".
FieldRow FitRow(const FitResult& fit);

}  // namespace bruso
