#include "study/fit_options.h"

#include <functional>
#include <thread>

#include "study/classify_options.h"
#include "study/study_options.h"
#include "study/study_units.h"

namespace bruso {

namespace {

// 0, 1 or both (the default).
std::vector<int> ZeroOneOrBoth(const CommandLine& line, const std::string& option) {
  const std::string text = line.Value(option).value_or("both");
  if (text == "both") return {0, 1};
  if (text == "0" || text == "1") return {text == "1" ? 1 : 0};
  throw OptionValueError(option + " takes 0, 1 or both, not '" + text + "'");
}

int ParameterIndex(std::string_view name) {
  for (int i = 0; i < ParameterCount; ++i) {
    if (name == ParameterName(i)) return i;
  }
  return -1;
}

// The options of the fits by participant, and the shoes they take.
void ParticipantOptionsFrom(const CommandLine& line, FitOptions& options) {
  options.perParticipant = line.Has("--per-participant");
  options.hierarchical = line.Has("--hierarchical");
  options.groups = line.Value("--groups");
  options.conditions = line.Value("--conditions");
  const std::size_t shoes = line.positional().size();
  if (!options.ByParticipant()) {
    if (options.groups || options.conditions) throw UsageError("--groups and --conditions go with --per-participant or --hierarchical");
    if (shoes != 1) throw UsageError("fit takes exactly one shoe file");
    return;
  }
  if (options.perParticipant && options.hierarchical) throw UsageError("fit takes --per-participant or --hierarchical, not both");
  if (!options.rules.empty() || options.folds > 0) throw UsageError("--rules and --folds fit the whole shoe, not participants");
  if (shoes == 0) throw UsageError("fit takes a shoe file");
  RefuseMisplacedGroups(shoes, options.groups.has_value(), options.conditions.has_value());
}

}  // namespace

int JobsFrom(const CommandLine& line) {
  const std::optional<std::uint64_t> jobs = line.Number("--jobs");
  if (!jobs) return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (*jobs < 1 || *jobs > static_cast<std::uint64_t>(MostJobs)) {
    throw OptionValueError("--jobs takes a whole number from 1 to " + std::to_string(MostJobs) + ", not '" +
                           *line.Value("--jobs") + "'");
  }
  return static_cast<int>(*jobs);
}

std::vector<ModelVariant> VariantsFrom(const CommandLine& line) {
  std::vector<ModelVariant> variants;
  for (int conflict : ZeroOneOrBoth(line, ConflictModeOption)) {
    for (int altruism : ZeroOneOrBoth(line, AltruismOption)) variants.push_back({conflict, altruism});
  }
  return variants;
}

void ReadNamedPieces(const std::string& option, std::string_view text,
                     const std::function<void(int, std::string_view)>& take) {
  for (std::string_view piece : SplitAtCommas(text)) {
    const std::size_t equals = piece.find('=');
    const int index = equals == std::string_view::npos ? -1 : ParameterIndex(piece.substr(0, equals));
    if (index < 0) {
      throw OptionValueError(option + " takes NAME=VALUE pieces for p1 to p10 and lapse, not '" + std::string(piece) + "'");
    }
    take(index, piece.substr(equals + 1));
  }
}

FixedParameters FixedParametersFromText(std::string_view text) {
  FixedParameters fixed;
  ReadNamedPieces("--fix", text, [&](int index, std::string_view value) {
    const std::string name = ParameterName(index);
    double number = 0;
    const bool readable = index == LapseIndex ? ReadLapse(value, number) : ReadProbability(value, number);
    if (!readable) {
      throw OptionValueError("--fix " + name + " takes a number " +
                             (index == LapseIndex ? "between 0 and 1 (both left out)" : "from 0 to 1") + ", not '" +
                             std::string(value) + "'");
    }
    RefuseTooSmallToScore("--fix " + name, value, number);
    fixed[index] = number;
  });
  return fixed;
}

double LevelFrom(const CommandLine& line) {
  const std::optional<std::string> text = line.Value(LevelOption);
  double level = DefaultIntervalLevel;
  if (text && !(ReadProbability(*text, level) && level > 0.5 && level < 1)) {
    throw OptionValueError(std::string(LevelOption) + " takes a number between 0.5 and 1 (both left out), not '" +
                           *text + "'");
  }
  return level;
}

FitOptions FitOptionsFrom(const CommandLine& line) {
  FitOptions options;
  options.variants = VariantsFrom(line);
  if (std::optional<std::string> text = line.Value("--fix")) options.fixed = FixedParametersFromText(*text);
  options.csv = line.Value("--csv");
  options.jobs = JobsFrom(line);
  for (const std::string& text : line.Values("--rules")) options.rules.push_back(RuleFilesFromText(text));
  options.level = LevelFrom(line);
  if (line.Has(NoIntervalsOption)) {
    if (line.Value(LevelOption)) throw UsageError(std::string(NoIntervalsOption) + " does not go with " + LevelOption);
    options.level = 0;
  }
  if (line.Value("--folds")) options.folds = CountFrom(line, "--folds", 1000000, std::nullopt, "fit");
  if (options.folds == 1) throw OptionValueError("--folds takes a whole number from 2, not '1'");
  options.seed = SeedFrom(line);
  ParticipantOptionsFrom(line, options);
  return options;
}

}  // namespace bruso
