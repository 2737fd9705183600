#pragma once

#include <string>

#include "model/rules_loading.h"
#include "model/weight_search.h"
#include "players/rule_set.h"

namespace bruso {

// What fit-weights makes of a weights search, shared by bruso-batch and the window.

// rules_ck.txt -> rules_ck_fitted.txt, in the same folder.
std::string FittedName(const std::string& path);

// 18 weights on one line, as a weights line of a rules file.
std::string WeightsLine(const RuleSet& rules);

// The table of the fit before and after, then the weights found for each side.
std::string WeightSearchReport(const WeightSearchResult& result);

// Writes the original text, then the weights line found and the comment that says how many
// weights were fitted to `shoe`: the last weights line of a file overrides every earlier
// one. Throws IoError when the file cannot be written.
void WriteFittedRules(const std::string& path, const std::string& original, const RuleSet& rules,
                      const std::string& shoe);

// The row of a fit table for the rule player of the files, its lapse rate fitted to the
// recorded lines (or held at `fixed_lapse`).
FitResult RulePlayerRow(const RuleData& data, const LoadedRulePlayer& loaded, const RuleFiles& files,
                        std::optional<double> fixed_lapse = std::nullopt);

}  // namespace bruso
