#include "tools/hierarchical_table.h"

#include <algorithm>
#include <cmath>

#include "engine/csv_row.h"
#include "engine/table_number.h"
#include "study/fit_table.h"
#include "study/hierarchical_rows.h"

namespace bruso {

namespace {

std::string VariantName(const HierarchicalFit& fit) {
  return "conflict mode " + std::to_string(fit.variant.conflictMode) + ", altruism " +
         std::to_string(fit.variant.altruism);
}

// "0.1234 (0.0123)", or "–" for a parameter the group does not estimate.
std::string WithError(bool shown, double value, double error) {
  if (!shown) return "–";
  return FourDecimals(value) + " (" + (std::isnan(error) ? std::string("?") : FourDecimals(error)) + ")";
}

// A participant's estimate; "–" for a parameter held or one that no line depends on.
std::string EstimateCell(const HierarchicalFit& fit, const ParameterPoint& point, int i) {
  return fit.group[i].estimated ? FourDecimals(point[i]) : "–";
}

}  // namespace

const std::vector<std::string> HierarchicalCsvHeader = HierarchicalColumns();

std::vector<std::vector<std::string>> HierarchicalCsvRows(const HierarchicalFit& fit,
                                                          const std::vector<Participant>& participants) {
  return RowTexts(HierarchicalRows(fit, participants));
}

std::string HierarchicalFitText(const HierarchicalFit& fit, const std::vector<Participant>& participants) {
  std::string text = "hierarchical fit, " + VariantName(fit) + ": " + std::to_string(participants.size()) +
                     " participants, " + std::to_string(fit.iterations) + " iterations" +
                     (fit.converged ? "" : " (stopped before the group settled)") + "\n";
  text += RowsText({{"log marginal lik.", {TwoDecimals(fit.logMarginal)}},
                    {"free parameters k", {std::to_string(fit.freeParameters)}},
                    {"group BIC", {TwoDecimals(fit.bic)}}});
  std::vector<TableRow> group = {{"group", {"mean (logit)", "spread (logit)", "median p", "spread (p)"}}};
  for (int i : ParameterOrder) {
    const GroupParameter& g = fit.group[i];
    const ProbabilityScale p = OnProbabilityScale(g);
    group.push_back({ParameterName(i),
                     {WithError(g.estimated, g.mean, g.meanError), WithError(g.estimated, g.spread, g.spreadError),
                      WithError(g.estimated, p.centre, p.centreError), WithError(g.estimated, p.spread, p.spreadError)}});
  }
  std::vector<TableRow> shrunk = {{"participant", {}}};
  for (int i : ParameterOrder) shrunk[0].cells.push_back(ParameterName(i));
  for (std::size_t p = 0; p < participants.size() && p < fit.estimates.size(); ++p) {
    TableRow row{participants[p].id, {}};
    for (int i : ParameterOrder) row.cells.push_back(EstimateCell(fit, fit.estimates[p], i));
    shrunk.push_back(row);
  }
  return text + RowsText(group) + "shrunk estimates\n" + RowsText(shrunk) + "\n";
}

std::string LowestGroupBicText(const std::vector<HierarchicalFit>& fits) {
  if (fits.size() < 2) return "";
  const auto lowest = std::min_element(fits.begin(), fits.end(),
                                       [](const HierarchicalFit& a, const HierarchicalFit& b) { return a.bic < b.bic; });
  return "lowest group BIC: " + VariantName(*lowest) + "\n";
}

}  // namespace bruso
