#pragma once

#include <optional>
#include <string_view>

#include "analysis/analysis_settings.h"
#include "tools/command_line.h"

namespace bruso {

// The options of `classify` that set the model of the players' reasoning.
inline constexpr const char* ConflictModeOption = "--conflict-mode";
inline constexpr const char* AltruismOption = "--altruism";
inline constexpr const char* ProbOption = "--prob";
inline constexpr const char* TraceOption = "--trace";

// The model settings a command line asks for. Read before anything is opened, so that a
// wrong value stops the run at once; applied to the settings the start-up gave, so that
// what the command line leaves out keeps the window's start value.
struct ModelOptions {
  std::optional<int> conflictMode;
  std::optional<int> altruism;
  std::optional<ProbTable> probabilities;
  bool trace = false;

  void ApplyTo(AnalysisSettings& settings) const;
};

// Throws OptionValueError for a value the model cannot take.
ModelOptions ModelOptionsFrom(const CommandLine& line);

// "p1,...,p10": ten probabilities from 0 to 1, separated by commas. Throws OptionValueError
// for anything else.
ProbTable ProbTableFromText(std::string_view text);

}  // namespace bruso
