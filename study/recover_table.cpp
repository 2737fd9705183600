#include "study/recover_table.h"

#include <cmath>
#include <cstdio>

#include "engine/csv_row.h"
#include "engine/table_number.h"
#include "study/data_set.h"
#include "study/fit_table.h"
#include "study/recovery_rows.h"

namespace bruso {

namespace {

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string VariantName(ModelVariant variant) {
  return "cm" + std::to_string(variant.conflictMode) + " alt" + std::to_string(variant.altruism);
}

// Ends the last line of the text without the blanks of its last cell.
void EndLine(std::string& text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  text += "\n";
}

std::string ParameterLines(const std::vector<RecoveryUnit>& units, double level) {
  std::string text = Padded("parameter", 11) + Padded("estimated", 11) + Padded("correlation", 13) +
                     Padded("bias", 9) + Padded("RMSE", 8) + Padded("coverage " + Printed("%g", 100 * level) + "%", 16) +
                     Padded("on a bound", 12) + "not identifiable\n";
  constexpr std::size_t widths[] = {11, 11, 13, 9, 8, 16, 12, 0};
  for (const std::vector<std::string>& row : RecoverySummaryRows(units)) {
    for (std::size_t c = 0; c + 1 < row.size(); ++c) text += Padded(row[c], widths[c]);
    text += row.back() + "\n";
  }
  const std::string unrecoverable = UnrecoverableParameters(units);
  text += "cannot be recovered on this design: " + (unrecoverable.empty() ? std::string("none") : unrecoverable) +
          "\n  (not identifiable in half the data sets or more, or a correlation below 0.5)\n";
  return text;
}

std::string ConfusionLines(const std::vector<RecoveryUnit>& units, bool by_bic) {
  if (units.empty() || units.front().fits.empty()) return "";
  const ModelConfusion confusion = RecoveryConfusion(units, by_bic);
  std::vector<ModelVariant> generating, chosen;
  for (const RecoveryUnit& unit : units) {
    const auto seen = [&](const std::vector<ModelVariant>& list, ModelVariant v) {
      for (ModelVariant each : list) {
        if (VariantIndex(each) == VariantIndex(v)) return true;
      }
      return false;
    };
    if (!seen(generating, unit.generating)) generating.push_back(unit.generating);
    for (const FitResult& fit : unit.fits) {
      if (!seen(chosen, fit.variant)) chosen.push_back(fit.variant);
    }
  }
  const std::string criterion = by_bic ? "BIC" : "AIC";
  std::string text = "\nmodel recovery by " + criterion + ": share of the data sets of each generating variant (rows) " +
                     "won by each variant (columns)\n" + Padded("", 12);
  for (ModelVariant c : chosen) text += Padded(VariantName(c), 10);
  EndLine(text);
  for (ModelVariant g : generating) {
    text += Padded(VariantName(g), 12);
    for (ModelVariant c : chosen) text += Padded(Printed("%.3f", confusion.Share(VariantIndex(g), VariantIndex(c))), 10);
    EndLine(text);
  }
  text += "chance that the data came from each variant (rows), given the one that won (columns)\n" + Padded("", 12);
  for (ModelVariant c : chosen) text += Padded(VariantName(c), 10);
  EndLine(text);
  for (ModelVariant g : generating) {
    text += Padded(VariantName(g), 12);
    for (ModelVariant c : chosen) {
      const double inversion = confusion.Inversion(VariantIndex(g), VariantIndex(c));
      text += Padded(std::isnan(inversion) ? "–" : Printed("%.3f", inversion), 10);
    }
    EndLine(text);
  }
  return text;
}

}  // namespace

const std::vector<std::string> RecoveryCsvHeader = RecoveryColumns();

std::vector<std::vector<std::string>> RecoveryCsvRows(const RecoveryUnit& unit) {
  return RowTexts(RecoveryRows(unit));
}

std::vector<std::vector<std::string>> RecoverySummaryRows(const std::vector<RecoveryUnit>& units) {
  const std::array<EstimateSummary, ParameterCount> summaries = SummariseRecovery(units);
  std::vector<std::vector<std::string>> rows;
  for (int i : ParameterOrder) {
    const EstimateSummary& s = summaries[i];
    if (s.dataSets == 0) continue;  // fixed
    rows.push_back({ParameterName(i), std::to_string(s.estimated),
                    std::isnan(s.correlation) ? "–" : Printed("%.3f", s.correlation), Printed("%+.4f", s.bias),
                    Printed("%.4f", s.rmse), s.intervals > 0 ? Printed("%.3f", s.Coverage()) : "–",
                    Printed("%.3f", s.OnBoundShare()), Printed("%.3f", s.NotIdentifiableShare())});
  }
  return rows;
}

std::string UnrecoverableParameters(const std::vector<RecoveryUnit>& units) {
  const std::array<EstimateSummary, ParameterCount> summaries = SummariseRecovery(units);
  std::string names;
  for (int i : ParameterOrder) {
    if (summaries[i].dataSets > 0 && !summaries[i].Recoverable()) names += (names.empty() ? "" : ", ") + ParameterName(i);
  }
  return names;
}

std::string RecoverySummaryText(const std::vector<RecoveryUnit>& units, double level) {
  return ParameterLines(units, level) + ConfusionLines(units, false) + ConfusionLines(units, true);
}

namespace {

std::vector<std::string> MakeGroupRecoveryCsvHeader() {
  std::vector<std::string> header = {"participant"};
  for (int i : ParameterOrder) {
    const std::string name = ParameterName(i);
    header.insert(header.end(), {name + "_true", name + "_independent", name + "_hierarchical"});
  }
  return header;
}

std::string WithErrorText(double value, double error) {
  return FourDecimals(value) + " (" + (std::isnan(error) ? std::string("?") : FourDecimals(error)) + ")";
}

}  // namespace

const std::vector<std::string> GroupRecoveryCsvHeader = MakeGroupRecoveryCsvHeader();

std::vector<std::vector<std::string>> GroupRecoveryCsvRows(const GroupRecovery& recovery) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t p = 0; p < recovery.truth.size(); ++p) {
    std::vector<std::string> row = {std::to_string(p + 1)};
    for (int i : ParameterOrder) {
      const ParameterEstimate& alone = recovery.independent[p].parameters[i];
      const bool estimated = recovery.hierarchical.group[i].estimated;
      row.insert(row.end(), {TableNumber(recovery.truth[p][i]), alone.determined ? TableNumber(alone.value) : "",
                             estimated ? TableNumber(recovery.hierarchical.estimates[p][i]) : ""});
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string GroupRecoveryText(const GroupRecovery& recovery, const GroupRecoveryDesign& design) {
  const auto summary = SummariseGroupRecovery(recovery, design);
  std::vector<TableRow> rows = {{"", {"true mean", "fitted mean", "true spread", "fitted spread", "participants",
                                      "MSE alone", "MSE hierarchical"}}};
  for (int i : ParameterOrder) {
    const GroupParameterRecovery& r = summary[i];
    if (!r.fitted.estimated) {
      rows.push_back({ParameterName(i), {"–", "–", "–", "–", "0", "–", "–"}});
      continue;
    }
    rows.push_back({ParameterName(i),
                    {FourDecimals(r.trueMean), WithErrorText(r.fitted.mean, r.fitted.meanError),
                     FourDecimals(design.groupSpread[i]), WithErrorText(r.fitted.spread, r.fitted.spreadError),
                     std::to_string(r.participants), FourDecimals(r.independentError),
                     FourDecimals(r.hierarchicalError)}});
  }
  const HierarchicalFit& fit = recovery.hierarchical;
  return RowsText(rows) + "group BIC " + TwoDecimals(fit.bic) + " after " + std::to_string(fit.iterations) +
         " iterations" + (fit.converged ? "" : " (stopped before the group settled)") + "\n";
}

}  // namespace bruso
