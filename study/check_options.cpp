#include "study/check_options.h"

#include <algorithm>
#include <stdexcept>

#include "engine/csv_row.h"
#include "study/classify_options.h"
#include "study/cross_validation.h"
#include "study/fit_options.h"
#include "study/study_options.h"

namespace bruso {

namespace {

// "CM,ALT", each 0 or 1.
ModelVariant VariantFromText(const std::string& text) {
  const std::vector<std::string_view> pieces = SplitAtCommas(text);
  const auto bit = [](std::string_view piece) { return piece == "0" || piece == "1"; };
  if (pieces.size() != 2 || !bit(pieces[0]) || !bit(pieces[1])) {
    throw OptionValueError(std::string(VariantOption) + " takes CM,ALT, each 0 or 1, not '" + text + "'");
  }
  return {pieces[0] == "1" ? 1 : 0, pieces[1] == "1" ? 1 : 0};
}

// The table's rows, its header first, each split into fields.
std::vector<std::vector<std::string>> TableRows(const std::string& text, const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view row(text.data() + start, end - start);
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    if (!ReadCsvRow(row, rows.emplace_back())) {
      throw std::runtime_error(path + " line " + std::to_string(rows.size()) + ": a quoted field is not closed");
    }
    start = end + 1;
  }
  return rows;
}

std::size_t ColumnOf(const std::vector<std::string>& header, const std::string& name, const std::string& path) {
  const auto found = std::find(header.begin(), header.end(), name);
  if (found == header.end()) {
    throw std::runtime_error(path + " is not a table that fit --csv writes: it has no column " + name);
  }
  return static_cast<std::size_t>(found - header.begin());
}

}  // namespace

CheckOptions CheckOptionsFrom(const CommandLine& line) {
  CheckOptions options;
  options.fromFit = line.Value(FromFitOption);
  const std::optional<std::string> variant = line.Value(VariantOption);
  if (options.fromFit) {
    for (const char* setting : {ProbOption, LapseOption, ConflictModeOption, AltruismOption}) {
      if (!line.Value(setting)) continue;
      throw OptionValueError(std::string(setting) + " sets the model, which --from-fit takes from the fit");
    }
    if (!variant) throw OptionValueError("--from-fit needs --variant CM,ALT, the row of the fit to check");
    options.design.variant = VariantFromText(*variant);
  } else {
    if (variant) throw OptionValueError("--variant names a row of --from-fit, which is missing");
    AnalysisSettings settings;
    ModelOptionsFrom(line).ApplyTo(settings);
    options.design.variant = {settings.ConflictMode, settings.AltruismSwitch};
    for (int k = 1; k <= CardRuleCount; ++k) options.design.point[k - 1] = settings.ProbTable[k];
    options.design.point[LapseIndex] = LapseFrom(line);
  }
  options.design.replicates = CountFrom(line, ReplicatesOption, 1000000, 100, "check");
  options.design.seed = SeedFrom(line);
  options.csv = line.Value("--csv");
  options.jobs = JobsFrom(line);
  return options;
}

void TakeFitEstimates(const std::string& table_text, const std::string& path, CheckOptions& options) {
  const std::vector<std::vector<std::string>> rows = TableRows(table_text, path);
  if (rows.empty()) throw std::runtime_error(path + " is empty");
  const std::vector<std::string>& header = rows.front();
  const ModelVariant variant = options.design.variant;
  const auto is_variant = [&](const std::vector<std::string>& row) {
    return row.size() == header.size() && row[ColumnOf(header, "model", path)] == "analysis" &&
           row[ColumnOf(header, "conflict_mode", path)] == std::to_string(variant.conflictMode) &&
           row[ColumnOf(header, "altruism", path)] == std::to_string(variant.altruism);
  };
  const auto row = std::find_if(rows.begin() + 1, rows.end(), is_variant);
  if (row == rows.end()) {
    throw std::runtime_error(path + " holds no row of conflict mode " + std::to_string(variant.conflictMode) +
                             ", altruism " + std::to_string(variant.altruism));
  }
  for (int i = 0; i < ParameterCount; ++i) {
    const std::string name = ParameterName(i);
    const std::string& field = (*row)[ColumnOf(header, name, path)];
    double& value = options.design.point[i];
    if (field.empty() && i != LapseIndex) {
      value = UntrainedProbability;
      options.untrained.push_back(name);
    } else if (!(i == LapseIndex ? ReadLapse(field, value) : ReadProbability(field, value))) {
      throw std::runtime_error(path + ": " + name + " of the row is '" + field + "', not a number the model can take");
    }
  }
}

}  // namespace bruso
