#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/fit.h"
#include "tools/command_line.h"
#include "tools/rules_loading.h"

namespace bruso {

// What `fit` is asked for: the variants to fit, the parameters to hold, the CSV file, the
// number of threads and the rule players to fit beside the variants. Read before anything is opened, so that a wrong value stops
// the run at once.
struct FitOptions {
  std::vector<ModelVariant> variants;
  FixedParameters fixed;
  std::optional<std::string> csv;
  int jobs = 1;
  std::vector<RuleFiles> rules;  // a rule player's row for each pair
};

// Throws OptionValueError for a value fit cannot take.
FitOptions FitOptionsFrom(const CommandLine& line);

// "p3=0.5,lapse=0.02": probabilities p1 to p10 from 0 to 1 and the lapse rate between 0 and
// 1. Throws OptionValueError for anything else.
FixedParameters FixedParametersFromText(std::string_view text);

}  // namespace bruso
