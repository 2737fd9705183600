#include "study/fit_table.h"

#include <cmath>
#include <cstdio>

#include "engine/table_number.h"

namespace bruso {

namespace {

constexpr const char* NotApplicable = "–";
constexpr std::size_t LabelWidth = 20;
constexpr std::size_t ColumnWidth = 18;

std::string Fixed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string Padded(const std::string& text, std::size_t width) {
  std::size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
  return text + std::string(width > characters ? width - characters : 1, ' ');
}

std::string TwoDecimals(double value) { return Fixed("%.2f", value); }
std::string FourDecimals(double value) { return Fixed("%.4f", value); }

namespace {

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
  // Built piece by piece: GCC 12's Release build mistakes "[" + a temporary for overlapping copies.
  std::string text = "[";
  text += Fixed("%.4f", estimate.lower);
  text += ", ";
  text += Fixed("%.4f", estimate.upper);
  return text + "]";
}

}  // namespace

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

namespace {

// A row per parameter with its profile-likelihood interval in each row of the table ("p1
// 95%"), when the fits have intervals; "–" for a row without them.
std::vector<TableRow> IntervalRows(const std::vector<FitResult>& table) {
  if (table.empty() || table.front().intervalLevel <= 0) return {};
  std::string level = " ";
  level += Fixed("%g", 100 * table.front().intervalLevel);
  level += "%";
  std::vector<TableRow> rows;
  for (int i : ParameterOrder) {
    TableRow row{ParameterName(i) + level, {}};
    for (const FitResult& fit : table) {
      row.cells.push_back(fit.intervalLevel > 0 ? IntervalText(fit.parameters[i]) : NotApplicable);
    }
    rows.push_back(row);
  }
  return rows;
}

// Explains the mark of an estimate on a bound, when one is.
std::string BoundNote(const std::vector<FitResult>& fits) {
  for (const FitResult& fit : fits) {
    for (const ParameterEstimate& estimate : fit.parameters) {
      if (!estimate.onBound) continue;
      return fit.intervalLevel > 0 ? "* on a bound of its range: the interval is one-sided\n" : "* on a bound of its range\n";
    }
  }
  return "";
}

}  // namespace

const std::vector<std::string> FitCsvHeader = FitColumns();

std::vector<std::string> FitFields(const FitResult& row, FitNumbers numbers) {
  const FieldRow fields = FitRow(row);
  if (numbers == FitNumbers::Exact) return FieldTexts(fields);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string& column = FitCsvHeader[i];
    const bool summary = column == "log_likelihood" || column == "aic" || column == "bic";
    const double number = fields[i].number;
    const bool is_number = fields[i].kind == TableField::Kind::Number;
    texts.push_back(!is_number ? FieldText(fields[i]) : summary ? TwoDecimals(number) : ScreenNumber(number));
  }
  return texts;
}

const std::vector<std::string> CrossValidationCsvColumns = {"heldout_log_likelihood", "heldout_per_position",
                                                            "heldout_untrained"};

std::vector<std::string> CrossValidationFields(const FitResult& row, const std::vector<CrossValidation>& validations) {
  if (row.model == FitModel::Analysis) {
    for (const CrossValidation& v : validations) {
      if (v.variant.conflictMode != row.variant.conflictMode || v.variant.altruism != row.variant.altruism) continue;
      return {TableNumber(v.heldOutLogLikelihood), TableNumber(v.PerPosition()), std::to_string(v.untrained)};
    }
  }
  return std::vector<std::string>(CrossValidationCsvColumns.size());
}

std::string CrossValidationText(const std::vector<CrossValidation>& validations, std::uint64_t seed) {
  if (validations.empty()) return "";
  std::vector<TableRow> rows = {{"held out: log-lik.", {}}, {"  per position", {}}, {"  p set to 0.5", {}}};
  for (const CrossValidation& v : validations) {
    rows[0].cells.push_back(TwoDecimals(v.heldOutLogLikelihood));
    rows[1].cells.push_back(Fixed("%.4f", v.PerPosition()));
    rows[2].cells.push_back(std::to_string(v.untrained));
  }
  std::string text = std::to_string(validations.front().folds) + "-fold cross-validation by hands, seed " +
                     std::to_string(seed) + "\n";
  return text + RowsText(rows);
}

std::string ModelName(const FitResult& fit) {
  switch (fit.model) {
    case FitModel::Analysis:
      return "conflict mode " + std::to_string(fit.variant.conflictMode) + ", altruism " +
             std::to_string(fit.variant.altruism);
    case FitModel::Rules:
      return "rules " + fit.rules;
    case FitModel::Uniform:
      break;
  }
  return std::string("the uniform player (") + UniformWinsNote + ")";
}

std::string FitTableText(const std::vector<FitResult>& fits) {
  const std::vector<FitResult> table = FitTableRows(fits);
  std::vector<TableRow> rows = {{"conflict mode", {}}, {"altruism", {}},        {"log-likelihood", {}},
                                {"positions n", {}},   {"free parameters k", {}}, {"AIC", {}},
                                {"BIC", {}}};
  std::vector<TableRow> parameters;
  for (int i : ParameterOrder) parameters.push_back({ParameterName(i), {}});
  TableRow agreement{"expected agreement", {}};
  std::string legend;  // which rules files each rules column stands for
  int rule_columns = 0;
  for (const FitResult& row : table) {
    std::vector<std::string> model = FieldTexts(FitRow(row));
    model.resize(3);  // the model's name and its variant's settings
    if (row.model == FitModel::Rules) {
      model[1] = "rules " + std::to_string(++rule_columns);
      legend += model[1] + ": " + row.rules + "\n";
    }
    const std::vector<std::string> cells = {row.model == FitModel::Uniform ? model[0] : model[1],
                                            model[2],
                                            TwoDecimals(row.logLikelihood),
                                            std::to_string(row.positions),
                                            std::to_string(row.freeParameters),
                                            TwoDecimals(row.aic),
                                            TwoDecimals(row.bic)};
    for (std::size_t r = 0; r < rows.size(); ++r) rows[r].cells.push_back(cells[r]);
    for (int j = 0; j < ParameterCount; ++j) {
      parameters[j].cells.push_back(EstimateText(row.parameters[ParameterOrder[j]]));
    }
    agreement.cells.push_back(row.model != FitModel::Uniform ? Fixed("%.4f", row.expectedAgreement) : NotApplicable);
  }
  rows.insert(rows.end(), parameters.begin(), parameters.end());
  rows.push_back(agreement);
  for (TableRow& row : IntervalRows(table)) rows.push_back(row);

  std::string text = RowsText(rows) + BoundNote(fits) + legend;
  const FitResult* best = LowestAic(table);
  if (fits.empty() || best == nullptr) return text;  // a uniform player over no position says nothing
  return text + "lowest AIC: " + ModelName(*best) + "\n";
}

std::string BeforeAfterTableText(const FitResult& before, const FitResult& after) {
  std::vector<TableRow> rows = {{"", {"before", "after"}}};
  const auto add = [&](const std::string& label, auto cell) {
    rows.push_back({label, {cell(before), cell(after)}});
  };
  add("log-likelihood", [](const FitResult& fit) { return TwoDecimals(fit.logLikelihood); });
  add("positions n", [](const FitResult& fit) { return std::to_string(fit.positions); });
  add("free parameters k", [](const FitResult& fit) { return std::to_string(fit.freeParameters); });
  add("AIC", [](const FitResult& fit) { return TwoDecimals(fit.aic); });
  add("BIC", [](const FitResult& fit) { return TwoDecimals(fit.bic); });
  add(ParameterName(LapseIndex), [](const FitResult& fit) { return EstimateText(fit.parameters[LapseIndex]); });
  add("expected agreement", [](const FitResult& fit) { return Fixed("%.4f", fit.expectedAgreement); });
  return RowsText(rows);
}

}  // namespace bruso
