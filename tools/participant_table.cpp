#include "tools/participant_table.h"

#include <cstdio>

#include "engine/table_number.h"
#include "study/fit_table.h"
#include "study/participant_rows.h"

namespace bruso {

namespace {

std::string ThreeDecimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string ConditionNote(const std::string& condition) {
  return condition.empty() ? "" : " (condition " + condition + ")";
}

}  // namespace

const std::vector<std::string> ParticipantCsvHeader = ParticipantColumns();

std::vector<std::vector<std::string>> ParticipantCsvRows(const ParticipantFit& fit) {
  return RowTexts(ParticipantRows(fit));
}

std::string ParticipantFitText(const ParticipantFit& fit) {
  return "participant " + fit.id + ConditionNote(fit.condition) + "\n" + FitTableText(fit.fits) +
         "best variant by AIC: " + ModelName(fit.Best()) + "; beats the uniform player: " +
         (fit.BeatsUniform() ? "yes" : "no") + "\n\n";
}

std::string GroupSummaryText(const GroupSummary& summary) {
  std::vector<TableRow> rows = {{"conflict mode", {}}, {"altruism", {}},    {"log-likelihood sum", {}},
                                {"AIC sum", {}},       {"BIC sum", {}},     {"best for", {}}};
  for (const GroupVariantSummary& variant : summary.variants) {
    const std::vector<std::string> cells = {
        std::to_string(variant.variant.conflictMode), std::to_string(variant.variant.altruism),
        TwoDecimals(variant.logLikelihood), TwoDecimals(variant.aic), TwoDecimals(variant.bic),
        std::to_string(variant.bestFor)};
    for (std::size_t r = 0; r < rows.size(); ++r) rows[r].cells.push_back(cells[r]);
  }
  rows.push_back({"mean/median/spread", {}});
  for (int i : ParameterOrder) {
    TableRow row{"  " + ParameterName(i), {}};
    for (const GroupVariantSummary& variant : summary.variants) {
      const EstimateSpread& e = variant.parameters[i];
      row.cells.push_back(e.participants == 0 ? "–" : ThreeDecimals(e.mean) + "/" + ThreeDecimals(e.median) + "/" +
                                                           ThreeDecimals(e.spread));
    }
    rows.push_back(row);
  }
  const std::string title = summary.condition.empty() ? "all participants" : "condition " + summary.condition;
  return title + " (participants: " + std::to_string(summary.participants) +
         ", better explained than by the uniform player: " + std::to_string(summary.beatUniform) + ")\n" +
         RowsText(rows) + "\n";
}

}  // namespace bruso
