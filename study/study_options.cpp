#include "study/study_options.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "engine/random.h"
#include "session/file_overlap.h"
#include "study/classify_options.h"
#include "study/fit_options.h"

namespace bruso {

namespace {

// "LO,HI": two numbers with LO ≤ HI that `read` takes.
void RangeFrom(const CommandLine& line, const std::string& option, bool (*read)(std::string_view, double&),
               const char* what, double& low, double& high) {
  const std::optional<std::string> text = line.Value(option);
  if (!text) return;
  const std::vector<std::string_view> pieces = SplitAtCommas(*text);
  double lo = 0, hi = 0;
  if (pieces.size() != 2 || !read(pieces[0], lo) || !read(pieces[1], hi) || lo > hi) {
    throw OptionValueError(option + " takes LO,HI, two numbers " + what + " with LO not above HI, not '" + *text + "'");
  }
  low = lo;
  high = hi;
}

// "p1=0.4,lapse=-2.5": logits of the group's distributions, the others as `values` has them;
// a spread must be above 0.
void GroupValuesFrom(const CommandLine& line, const std::string& option, bool spread, ParameterPoint& values) {
  const std::optional<std::string> text = line.Value(option);
  if (!text) return;
  ReadNamedPieces(option, *text, [&](int index, std::string_view value) {
    const char* end = value.data() + value.size();
    double number = 0;
    const auto [stop, error] = std::from_chars(value.data(), end, number, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(number) || std::abs(number) > 30 || (spread && number <= 0)) {
      throw OptionValueError(option + " " + ParameterName(index) + " takes a logit " +
                             (spread ? "above 0 up to 30" : "from -30 to 30") + ", not '" + std::string(value) + "'");
    }
    values[index] = number;
  });
}

// The variant of the group's study: one of each of --conflict-mode and --altruism, 0 without them.
ModelVariant SingleVariantFrom(const CommandLine& line) {
  ModelVariant variant;
  for (const auto& [option, value] : {std::pair{ConflictModeOption, &variant.conflictMode},
                                      std::pair{AltruismOption, &variant.altruism}}) {
    const std::string text = line.Value(option).value_or("0");
    if (text != "0" && text != "1") throw OptionValueError(std::string(option) + " takes 0 or 1 with --participants, not '" + text + "'");
    *value = text == "1" ? 1 : 0;
  }
  return variant;
}

// recover --participants: the options of the group's study; those of the other study refused.
GroupRecoveryDesign GroupRecoveryDesignFrom(const CommandLine& line) {
  for (const char* option : {LinesOption, ReplicatesOption, "--prob-range", "--lapse-range", LevelOption}) {
    if (line.Value(option)) throw UsageError(std::string(option) + " does not go with --participants");
  }
  if (line.Has(NoIntervalsOption)) throw UsageError(std::string(NoIntervalsOption) + " does not go with --participants");
  GroupRecoveryDesign design;
  design.participants = CountFrom(line, "--participants", 100000, std::nullopt, "recover");
  design.linesPerParticipant = CountFrom(line, "--lines-per-participant", 1000000, std::nullopt, "recover --participants");
  design.variant = SingleVariantFrom(line);
  GroupValuesFrom(line, "--group-mean", false, design.groupMean);
  GroupValuesFrom(line, "--group-spread", true, design.groupSpread);
  if (std::optional<std::string> text = line.Value("--fix")) design.fixed = FixedParametersFromText(*text);
  design.seed = SeedFrom(line);
  return design;
}

}  // namespace

int CountFrom(const CommandLine& line, const std::string& option, int most, std::optional<int> fallback,
              const std::string& command) {
  const std::optional<std::uint64_t> count = line.Number(option);
  if (!count) {
    if (!fallback) throw UsageError(command + " needs " + option + " K");
    return *fallback;
  }
  if (*count < 1 || *count > static_cast<std::uint64_t>(most)) {
    throw OptionValueError(option + " takes a whole number from 1 to " + std::to_string(most) + ", not '" +
                           *line.Value(option) + "'");
  }
  return static_cast<int>(*count);
}

HandList ReadShoeForTable(const std::string& shoe_path, const std::optional<std::string>& table) {
  std::vector<NamedFile> outputs;
  if (table) outputs.push_back({"--csv", *table});
  RefuseOverlaps({{"the shoe", shoe_path}}, outputs);
  HandList hands = ReadShoeFile(shoe_path).hands;
  if (hands.empty()) throw std::runtime_error(shoe_path + " holds no hand");  // told as "bruso-batch: ...", status 1
  return hands;
}

LineOwners ReadGroupsOption(const HandList& hands, const std::string& groups_path) {
  try {
    return ReadGroupsFile(hands, groups_path);
  } catch (const ParticipantsError& error) {
    throw OptionValueError(error.what());
  }
}

std::vector<Participant> ParticipantsFromShoesOption(const std::vector<std::string>& shoe_paths,
                                                     const std::optional<std::string>& conditions_path) {
  try {
    return ParticipantsFromShoes(shoe_paths, conditions_path);
  } catch (const ParticipantsError& error) {
    throw OptionValueError(error.what());
  }
}

void RefuseMisplacedGroups(std::size_t shoes, bool groups, bool conditions) {
  if (groups && conditions) throw UsageError("the groups file gives the conditions: --conditions goes with several shoes");
  if (groups && shoes != 1) throw UsageError("--groups goes with exactly one shoe file");
}

std::uint64_t SeedFrom(const CommandLine& line) { return line.Number("--seed").value_or(Random::ClockSeed()); }

RecoverOptions RecoverOptionsFrom(const CommandLine& line) {
  RecoverOptions options;
  options.csv = line.Value("--csv");
  options.jobs = JobsFrom(line);
  if (line.Value("--participants")) {
    options.group = GroupRecoveryDesignFrom(line);
    return options;
  }
  for (const char* option : {"--lines-per-participant", "--group-mean", "--group-spread"}) {
    if (line.Value(option)) throw UsageError(std::string(option) + " goes with --participants");
  }
  RecoveryDesign& design = options.design;
  design.linesPerHand = CountFrom(line, LinesOption, 1000000, std::nullopt, "recover");
  design.replicates = CountFrom(line, ReplicatesOption, 1000000, 10, "recover");
  design.generating = VariantsFrom(line);
  RangeFrom(line, "--prob-range", ReadProbability, "from 0 to 1", design.probLow, design.probHigh);
  RangeFrom(line, "--lapse-range", ReadLapse, "between 0 and 1 (both left out)", design.lapseLow, design.lapseHigh);
  if (std::optional<std::string> text = line.Value("--fix")) design.fixed = FixedParametersFromText(*text);
  design.level = LevelFrom(line);
  design.intervals = !line.Has(NoIntervalsOption);
  design.seed = SeedFrom(line);
  return options;
}

}  // namespace bruso
