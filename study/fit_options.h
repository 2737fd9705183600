#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/command_line.h"
#include "model/fit.h"
#include "model/profile_interval.h"
#include "model/rules_loading.h"

namespace bruso {

inline constexpr const char* LevelOption = "--level";
inline constexpr const char* NoIntervalsOption = "--no-intervals";

// What `fit` is asked for: the variants to fit, the parameters to hold, the CSV file, the
// number of threads, the rule players to fit beside the variants, the intervals' level and
// the cross-validation. Read before anything is opened, so that a wrong value stops
// the run at once.
struct FitOptions {
  std::vector<ModelVariant> variants;
  FixedParameters fixed;
  std::optional<std::string> csv;
  int jobs = 1;
  std::vector<RuleFiles> rules;  // a rule player's row for each pair
  double level = DefaultIntervalLevel;  // of the profile-likelihood intervals; 0 for none
  int folds = 0;                        // of the cross-validation; 0 for none
  std::uint64_t seed = 0;               // of the folds
  // Fits per participant or of the group of them, and who played each line: the groups file
  // of a single shoe, or a participant per shoe with their conditions from a file.
  bool perParticipant = false;
  bool hierarchical = false;
  std::optional<std::string> groups;
  std::optional<std::string> conditions;
  bool ByParticipant() const { return perParticipant || hierarchical; }
};

// Throws OptionValueError for a value fit cannot take, UsageError for options that do not
// go together or the wrong number of shoes.
FitOptions FitOptionsFrom(const CommandLine& line);

// Reads "NAME=VALUE,..." pieces for p1 to p10 and lapse, giving `take` each parameter's
// index and its value's text. Throws OptionValueError for a piece of another form.
void ReadNamedPieces(const std::string& option, std::string_view text,
                     const std::function<void(int, std::string_view)>& take);

// "p3=0.5,lapse=0.02": probabilities p1 to p10 from 0 to 1 and the lapse rate between 0 and
// 1. Throws OptionValueError for anything else.
FixedParameters FixedParametersFromText(std::string_view text);

// The variants of --conflict-mode and --altruism, each 0, 1 or both (the default), in the
// order of EveryModelVariant.
std::vector<ModelVariant> VariantsFrom(const CommandLine& line);

// The threads of --jobs, from 1 to 1024 (default: the number of cores).
int JobsFrom(const CommandLine& line);

// The confidence level of --level, strictly between 0.5 and 1 (DefaultIntervalLevel without
// it); throws OptionValueError for anything else.
double LevelFrom(const CommandLine& line);

}  // namespace bruso
