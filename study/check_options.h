#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/command_line.h"
#include "study/predictive_check.h"

namespace bruso {

inline constexpr const char* FromFitOption = "--from-fit";
inline constexpr const char* VariantOption = "--variant";

// What `check` is asked for. Read before anything is opened, so that a wrong value stops
// the run at once; with --from-fit the settings come from the fit table afterwards (see
// TakeFitEstimates).
struct CheckOptions {
  PredictiveDesign design;
  std::optional<std::string> fromFit;
  std::optional<std::string> csv;
  int jobs = 1;
  // The probabilities the fit left without an estimate, played at UntrainedProbability.
  std::vector<std::string> untrained;
};

// Throws OptionValueError for a value check cannot take, for --from-fit beside settings of
// the model and for --variant without it.
CheckOptions CheckOptionsFrom(const CommandLine& line);

// Takes the variant's estimates from the row of a table that `fit --csv` wrote. Throws
// std::runtime_error for a file that is not such a table or holds no row of the variant.
void TakeFitEstimates(const std::string& table_text, const std::string& path, CheckOptions& options);

}  // namespace bruso
