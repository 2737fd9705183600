#pragma once

#include <string>
#include <vector>

#include "study/hierarchical_fit.h"

namespace bruso {

// The columns of `fit --hierarchical --csv`. Each variant has a row "group_mean" and a row
// "group_spread" with the group's means and spreads on the logit scale and their standard
// errors, then a row "participant" per participant with their shrunk estimates on the
// probability scale. The group's log marginal likelihood, k, BIC and iterations stand in
// every row of the variant.
extern const std::vector<std::string> HierarchicalCsvHeader;

std::vector<std::vector<std::string>> HierarchicalCsvRows(const HierarchicalFit& fit,
                                                          const std::vector<Participant>& participants);

// The variant's group figures, its parameters' group distributions on both scales, and the
// participants' shrunk estimates.
std::string HierarchicalFitText(const HierarchicalFit& fit, const std::vector<Participant>& participants);

// The variant of lowest group BIC, when there are several.
std::string LowestGroupBicText(const std::vector<HierarchicalFit>& fits);

}  // namespace bruso
