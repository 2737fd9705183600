#pragma once

#include <string_view>

#include "analysis/analysis_settings.h"
#include "tools/command_line.h"

namespace bruso {

// The options of `classify` that set the model of the players' reasoning.
inline constexpr const char* ConflictModeOption = "--conflict-mode";
inline constexpr const char* AltruismOption = "--altruism";
inline constexpr const char* ProbOption = "--prob";
inline constexpr const char* TraceOption = "--trace";

// The analysis settings that the command line asks for; what it leaves out keeps the
// window's start value. Throws OptionValueError for a value the model cannot take.
AnalysisSettings ModelSettingsFrom(const CommandLine& line);

// "p1,...,p10": ten probabilities from 0 to 1, separated by commas. Throws OptionValueError
// for anything else.
ProbTable ProbTableFromText(std::string_view text);

}  // namespace bruso
