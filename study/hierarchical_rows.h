#pragma once

#include <string>
#include <vector>

#include "engine/table_fields.h"
#include "study/hierarchical_fit.h"

namespace bruso {

// The columns of the table of hierarchical fits. Each variant has a row "group_mean" and a
// row "group_spread" with the group's means and spreads on the logit scale and their
// standard errors, then a row "participant" per participant with their shrunk estimates on
// the probability scale. The group's log marginal likelihood, k, BIC and iterations stand
// in every row of the variant.
const std::vector<std::string>& HierarchicalColumns();

std::vector<FieldRow> HierarchicalRows(const HierarchicalFit& fit, const std::vector<Participant>& participants);

}  // namespace bruso
