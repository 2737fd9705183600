#include "tools/participant_table.h"

#include "tools/fit_table.h"
#include "tools/position_table.h"

namespace bruso {

namespace {

std::vector<std::string> MakeParticipantCsvHeader() {
  std::vector<std::string> header = {"participant", "condition"};
  header.insert(header.end(), FitCsvHeader.begin(), FitCsvHeader.end());
  header.insert(header.end(), {"uniform_log_likelihood", "best_by_aic", "beats_uniform"});
  return header;
}

std::string Flag(bool value) { return value ? "1" : "0"; }

std::string ConditionNote(const std::string& condition) {
  return condition.empty() ? "" : " (condition " + condition + ")";
}

}  // namespace

const std::vector<std::string> ParticipantCsvHeader = MakeParticipantCsvHeader();

std::vector<std::vector<std::string>> ParticipantCsvRows(const ParticipantFit& fit) {
  std::vector<std::vector<std::string>> rows;
  for (const FitResult& variant : fit.fits) {
    std::vector<std::string> row = {fit.id, fit.condition};
    for (std::string& field : FitFields(variant)) row.push_back(std::move(field));
    row.insert(row.end(), {TableNumber(fit.uniform.logLikelihood), Flag(&variant == &fit.Best()),
                           Flag(fit.BeatsUniform())});
    rows.push_back(std::move(row));
  }
  return rows;
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
  for (int i : ParameterOrder) {
    TableRow mean{ParameterName(i) + " mean", {}}, median{"  median", {}}, spread{"  spread", {}};
    for (const GroupVariantSummary& variant : summary.variants) {
      const EstimateSpread& estimates = variant.parameters[i];
      const bool any = estimates.participants > 0;
      mean.cells.push_back(any ? FourDecimals(estimates.mean) : "–");
      median.cells.push_back(any ? FourDecimals(estimates.median) : "–");
      spread.cells.push_back(any ? FourDecimals(estimates.spread) : "–");
    }
    rows.insert(rows.end(), {mean, median, spread});
  }
  const std::string title = summary.condition.empty() ? "all participants" : "condition " + summary.condition;
  return title + ": " + std::to_string(summary.participants) + " participants, " +
         std::to_string(summary.beatUniform) + " better explained than by the uniform player\n" + RowsText(rows) + "\n";
}

}  // namespace bruso
