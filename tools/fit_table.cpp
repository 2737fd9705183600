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
         (std::isnan(estimate.standardError) ? std::string("?") : Fixed("%.4f", estimate.standardError)) + ")";
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

}  // namespace

const std::vector<std::string> FitCsvHeader = MakeFitCsvHeader();

double UniformLogLikelihood(long long positions) { return positions * std::log(1.0 / 5); }

std::string ModelName(const FitResult& fit) {
  if (!fit.rules.empty()) return "rules " + fit.rules;
  return "conflict mode " + std::to_string(fit.variant.conflictMode) + ", altruism " +
         std::to_string(fit.variant.altruism);
}

std::vector<std::string> FitCsvFields(const FitResult& fit) {
  const bool rules = !fit.rules.empty();
  std::vector<std::string> fields = {rules ? "rules:" + fit.rules : "analysis",
                                     rules ? "" : std::to_string(fit.variant.conflictMode),
                                     rules ? "" : std::to_string(fit.variant.altruism),
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
  return fields;
}

std::vector<std::string> UniformCsvFields(long long positions) {
  const double log_likelihood = UniformLogLikelihood(positions);
  std::vector<std::string> fields = {"uniform", "", "", TableNumber(log_likelihood), std::to_string(positions), "0",
                                     TableNumber(-2 * log_likelihood), TableNumber(-2 * log_likelihood)};
  fields.resize(FitCsvHeader.size());
  return fields;
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
  std::string legend;  // which rules files each rules column stands for
  int rule_columns = 0;
  for (const FitResult& fit : fits) {
    std::string head = std::to_string(fit.variant.conflictMode);
    std::string second = std::to_string(fit.variant.altruism);
    if (!fit.rules.empty()) {
      head = "rules " + std::to_string(++rule_columns);
      second = "";
      legend += head + ": " + fit.rules + "\n";
    }
    const std::vector<std::string> cells = {head,
                                            second,
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

  std::string text = RowsText(rows) + legend;
  if (const FitResult* best = LowestAic(fits)) text += "lowest AIC: " + ModelName(*best) + "\n";
  return text;
}

std::string BeforeAfterTableText(const FitResult& before, const FitResult& after) {
  std::vector<TableRow> rows = {{"", {"before", "after"}}};
  const auto add = [&](const std::string& label, auto cell) {
    rows.push_back({label, {cell(before), cell(after)}});
  };
  add("log-likelihood", [](const FitResult& fit) { return Fixed("%.2f", fit.logLikelihood); });
  add("positions n", [](const FitResult& fit) { return std::to_string(fit.positions); });
  add("free parameters k", [](const FitResult& fit) { return std::to_string(fit.freeParameters); });
  add("AIC", [](const FitResult& fit) { return Fixed("%.2f", fit.aic); });
  add("BIC", [](const FitResult& fit) { return Fixed("%.2f", fit.bic); });
  add(ParameterName(LapseIndex), [](const FitResult& fit) { return EstimateText(fit.parameters[LapseIndex]); });
  add("expected agreement", [](const FitResult& fit) { return Fixed("%.4f", fit.expectedAgreement); });
  return RowsText(rows);
}

}  // namespace bruso
