#include "study/classify_options.h"

#include <charconv>
#include <string>
#include <vector>

#include "model/line_likelihood.h"

namespace bruso {

namespace {

std::optional<int> ZeroOrOne(const CommandLine& line, const std::string& option) {
  const std::optional<std::string> text = line.Value(option);
  if (!text) return std::nullopt;
  if (*text != "0" && *text != "1") throw OptionValueError(option + " takes 0 or 1, not '" + *text + "'");
  return *text == "1" ? 1 : 0;
}

}  // namespace

bool ReadProbability(std::string_view text, double& p) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, p, std::chars_format::general);
  return error == std::errc() && stop == end && p >= 0 && p <= 1;
}

bool ReadLapse(std::string_view text, double& lapse) { return ReadProbability(text, lapse) && lapse > 0 && lapse < 1; }

void RefuseTooSmallToScore(const std::string& option, std::string_view text, double value) {
  if (value > 0 && value < SmallestLapse) {
    throw OptionValueError(option + " takes no number between 0 and 1e-300 (too small to score), not '" +
                           std::string(text) + "'");
  }
}

double LapseFrom(const CommandLine& line) {
  const std::optional<std::string> text = line.Value(LapseOption);
  double lapse = DefaultLapse;
  if (text && !ReadLapse(*text, lapse)) {
    throw OptionValueError(std::string(LapseOption) + " takes a number between 0 and 1 (both left out), not '" + *text +
                           "'");
  }
  if (text) RefuseTooSmallToScore(LapseOption, *text, lapse);
  return lapse;
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> pieces;
  for (std::size_t comma = text.find(','); comma != std::string_view::npos; comma = text.find(',')) {
    pieces.push_back(text.substr(0, comma));
    text.remove_prefix(comma + 1);
  }
  pieces.push_back(text);
  return pieces;
}

ProbTable ProbTableFromText(std::string_view text) {
  ProbTable table;
  const std::vector<std::string_view> pieces = SplitAtCommas(text);
  bool readable = pieces.size() == table.entries.size();
  for (std::size_t k = 0; readable && k < pieces.size(); ++k) readable = ReadProbability(pieces[k], table.entries[k]);
  if (!readable) {
    throw OptionValueError(std::string(ProbOption) + " takes ten numbers from 0 to 1 separated by commas, not '" +
                     std::string(text) + "'");
  }
  return table;
}

ModelOptions ModelOptionsFrom(const CommandLine& line) {
  ModelOptions options;
  options.conflictMode = ZeroOrOne(line, ConflictModeOption);
  options.altruism = ZeroOrOne(line, AltruismOption);
  if (std::optional<std::string> text = line.Value(ProbOption)) options.probabilities = ProbTableFromText(*text);
  options.trace = line.Has(TraceOption);
  return options;
}

void ModelOptions::ApplyTo(AnalysisSettings& settings) const {
  if (conflictMode) settings.ConflictMode = *conflictMode;
  if (altruism) settings.AltruismSwitch = *altruism;
  if (probabilities) settings.ProbTable = *probabilities;
  if (trace) settings.AnalysisMode = TracingMode;
}

}  // namespace bruso
