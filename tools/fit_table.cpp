#include "tools/fit_table.h"

#include <cmath>
#include <cstdio>

#include "tools/position_table.h"

namespace bruso {

namespace {

constexpr const char* NotApplicable = "–";
constexpr std::size_t LabelWidth = 20;
constexpr std::size_t ColumnWidth = 18;

// The parameters in the order of the tables: the lapse rate, then p1 to p10.
constexpr int ParameterOrder[ParameterCount] = {LapseIndex, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

std::vector<std::string> MakeFitCsvHeader() {
  std::vector<std::string> header = {"model", "conflict_mode", "altruism", "log_likelihood", "n", "k", "aic", "bic"};
  for (int i : ParameterOrder) {
    header.push_back(ParameterName(i));
    header.push_back(ParameterName(i) + "_se");
  }
  header.push_back("expected_agreement");
  header.push_back("interval_level");
  for (int i : ParameterOrder) {
    header.push_back(ParameterName(i) + "_lower");
    header.push_back(ParameterName(i) + "_upper");
  }
  return header;
}

std::string Fixed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string EstimateText(const ParameterEstimate& estimate) {
  if (!estimate.determined) return NotApplicable;
  if (estimate.fixed) return Fixed("%.4f", estimate.value) + " fixed";
  return Fixed("%.4f", estimate.value) + " (" +
         (std::isnan(estimate.standardError) ? std::string("?") : Fixed("%.4f", estimate.standardError)) + ")" +
         (estimate.onBound ? " *" : "");
}

std::string IntervalText(const ParameterEstimate& estimate) {
  if (!estimate.determined) return NotApplicable;
  if (estimate.fixed) return "fixed";
  if (std::isnan(estimate.lower)) return "";
  return "[" + Fixed("%.4f", estimate.lower) + ", " + Fixed("%.4f", estimate.upper) + "]";
}

// Pads to a width in characters, counting each UTF-8 character once.
std::string Padded(const std::string& text, std::size_t width) {
  std::size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
  return text + std::string(width > characters ? width - characters : 1, ' ');
}

struct TableRow {
  std::string label;
  std::vector<std::string> cells;
};

// The rows with their labels and cells in columns, without blanks at the line ends.
std::string RowsText(const std::vector<TableRow>& rows) {
  std::string text;
  for (const TableRow& row : rows) {
    std::string line = Padded(row.label, LabelWidth);
    for (const std::string& cell : row.cells) line += Padded(cell, ColumnWidth);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + "\n";
  }
  return text;
}

// A row per parameter with its profile-likelihood interval in each fit ("p1 95%"), when the
// fits have intervals; the uniform player has none.
std::vector<TableRow> IntervalRows(const std::vector<FitResult>& fits) {
  if (fits.empty() || fits.front().intervalLevel <= 0) return {};
  const std::string level = " " + Fixed("%g", 100 * fits.front().intervalLevel) + "%";
  std::vector<TableRow> rows;
  for (int i : ParameterOrder) {
    TableRow row{ParameterName(i) + level, {}};
    for (const FitResult& fit : fits) row.cells.push_back(IntervalText(fit.parameters[i]));
    row.cells.push_back(NotApplicable);
    rows.push_back(row);
  }
  return rows;
}

// Explains the mark of an estimate on a bound, when one is.
std::string BoundNote(const std::vector<FitResult>& fits) {
  for (const FitResult& fit : fits) {
    for (const ParameterEstimate& estimate : fit.parameters) {
      if (estimate.onBound) return "* on a bound of its range: the interval is one-sided\n";
    }
  }
  return "";
}

}  // namespace

const std::vector<std::string> FitCsvHeader = MakeFitCsvHeader();

double UniformLogLikelihood(long long positions) { return positions * std::log(1.0 / 5); }

std::vector<std::string> FitCsvFields(const FitResult& fit) {
  std::vector<std::string> fields = {"analysis",
                                     std::to_string(fit.variant.conflictMode),
                                     std::to_string(fit.variant.altruism),
                                     TableNumber(fit.logLikelihood),
                                     std::to_string(fit.positions),
                                     std::to_string(fit.freeParameters),
                                     TableNumber(fit.aic),
                                     TableNumber(fit.bic)};
  for (int i : ParameterOrder) {
    const ParameterEstimate& estimate = fit.parameters[i];
    fields.push_back(estimate.determined ? TableNumber(estimate.value) : "");
    fields.push_back(estimate.determined && !estimate.fixed ? TableNumber(estimate.standardError) : "");
  }
  fields.push_back(TableNumber(fit.expectedAgreement));
  const bool intervals = fit.intervalLevel > 0;
  fields.push_back(intervals ? TableNumber(fit.intervalLevel) : "");
  for (int i : ParameterOrder) {
    const ParameterEstimate& estimate = fit.parameters[i];
    const bool shown = intervals && estimate.determined && !estimate.fixed;
    fields.push_back(shown ? TableNumber(estimate.lower) : "");
    fields.push_back(shown ? TableNumber(estimate.upper) : "");
  }
  return fields;
}

std::vector<std::string> UniformCsvFields(long long positions) {
  const double log_likelihood = UniformLogLikelihood(positions);
  std::vector<std::string> fields = {"uniform", "", "", TableNumber(log_likelihood), std::to_string(positions), "0",
                                     TableNumber(-2 * log_likelihood), TableNumber(-2 * log_likelihood)};
  fields.resize(FitCsvHeader.size());
  return fields;
}

std::string CrossValidationText(const std::vector<CrossValidation>& validations, std::uint64_t seed) {
  if (validations.empty()) return "";
  std::vector<TableRow> rows = {{"held out: log-lik.", {}}, {"  per position", {}}, {"  p set to 0.5", {}}};
  for (const CrossValidation& v : validations) {
    rows[0].cells.push_back(Fixed("%.2f", v.heldOutLogLikelihood));
    rows[1].cells.push_back(Fixed("%.4f", v.PerPosition()));
    rows[2].cells.push_back(std::to_string(v.untrained));
  }
  std::string text = std::to_string(validations.front().folds) + "-fold cross-validation by hands, seed " +
                     std::to_string(seed) + "\n";
  return text + RowsText(rows);
}

std::string FitTableText(const std::vector<FitResult>& fits) {
  const long long positions = fits.empty() ? 0 : fits.front().positions;
  const double uniform = UniformLogLikelihood(positions);
  std::vector<TableRow> rows = {{"conflict mode", {}}, {"altruism", {}},        {"log-likelihood", {}},
                                {"positions n", {}},   {"free parameters k", {}}, {"AIC", {}},
                                {"BIC", {}}};
  std::vector<TableRow> parameters;
  for (int i : ParameterOrder) parameters.push_back({ParameterName(i), {}});
  TableRow agreement{"expected agreement", {}};
  for (const FitResult& fit : fits) {
    const std::vector<std::string> cells = {std::to_string(fit.variant.conflictMode),
                                            std::to_string(fit.variant.altruism),
                                            Fixed("%.2f", fit.logLikelihood),
                                            std::to_string(fit.positions),
                                            std::to_string(fit.freeParameters),
                                            Fixed("%.2f", fit.aic),
                                            Fixed("%.2f", fit.bic)};
    for (std::size_t r = 0; r < rows.size(); ++r) rows[r].cells.push_back(cells[r]);
    for (int j = 0; j < ParameterCount; ++j) parameters[j].cells.push_back(EstimateText(fit.parameters[ParameterOrder[j]]));
    agreement.cells.push_back(Fixed("%.4f", fit.expectedAgreement));
  }
  const std::vector<std::string> uniform_cells = {
      "uniform", "", Fixed("%.2f", uniform), std::to_string(positions), "0", Fixed("%.2f", -2 * uniform),
      Fixed("%.2f", -2 * uniform)};
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r].cells.push_back(uniform_cells[r]);
  for (TableRow& row : parameters) row.cells.push_back(NotApplicable);
  agreement.cells.push_back(NotApplicable);
  rows.insert(rows.end(), parameters.begin(), parameters.end());
  rows.push_back(agreement);
  for (TableRow& row : IntervalRows(fits)) rows.push_back(row);

  std::string text = RowsText(rows);
  text += BoundNote(fits);
  if (const FitResult* best = LowestAic(fits)) {
    text += "lowest AIC: conflict mode " + std::to_string(best->variant.conflictMode) + ", altruism " +
            std::to_string(best->variant.altruism) + "\n";
  }
  return text;
}

}  // namespace bruso
