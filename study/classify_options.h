#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_settings.h"
#include "engine/command_line.h"

namespace bruso {

// The options of `classify` that set the model of the players' reasoning.
inline constexpr const char* ConflictModeOption = "--conflict-mode";
inline constexpr const char* AltruismOption = "--altruism";
inline constexpr const char* ProbOption = "--prob";
inline constexpr const char* TraceOption = "--trace";
// The player's lapse rate for the likelihood: it plays any of the five moves uniformly
// with this chance instead of the model's suggestion.
inline constexpr const char* LapseOption = "--lapse";
inline constexpr double DefaultLapse = 0.01;

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

// The lapse rate of the command line, DefaultLapse without one; throws OptionValueError
// for a value outside (0, 1).
double LapseFrom(const CommandLine& line);

// Throws OptionValueError naming `option` for a value above 0 and below SmallestLapse: a
// lapse rate or held value that small is too small for the likelihood to score.
void RefuseTooSmallToScore(const std::string& option, std::string_view text, double value);

// A decimal number from 0 to 1 ("0.25", "1", ".5", "1e-3"); false for anything else.
bool ReadProbability(std::string_view text, double& p);
// The same strictly between 0 and 1.
bool ReadLapse(std::string_view text, double& lapse);
std::vector<std::string_view> SplitAtCommas(std::string_view text);

// "p1,...,p10": ten probabilities from 0 to 1, separated by commas. Throws OptionValueError
// for anything else.
ProbTable ProbTableFromText(std::string_view text);

}  // namespace bruso
