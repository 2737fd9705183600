#include "study/recovery_rows.h"

#include "model/fit_rows.h"

namespace bruso {

namespace {

std::vector<std::string> MakeRecoveryColumns() {
  std::vector<std::string> columns = {"replicate",     "seed",     "generating_conflict_mode", "generating_altruism",
                                      "conflict_mode", "altruism"};
  for (int i : ParameterOrder) columns.push_back("true_" + ParameterName(i));
  for (const char* figure : {"log_likelihood", "n", "k", "aic", "bic"}) columns.push_back(figure);
  for (int i : ParameterOrder) {
    for (const char* end : {"", "_se", "_lower", "_upper"}) columns.push_back(ParameterName(i) + end);
  }
  return columns;
}

}  // namespace

const std::vector<std::string>& RecoveryColumns() {
  static const std::vector<std::string> columns = MakeRecoveryColumns();
  return columns;
}

std::vector<FieldRow> RecoveryRows(const RecoveryUnit& unit) {
  std::vector<FieldRow> rows;
  for (const FitResult& fit : unit.fits) {
    FieldRow row = {std::int64_t{unit.replicate + 1},          unit.seed,
                    std::int64_t{unit.generating.conflictMode}, std::int64_t{unit.generating.altruism},
                    std::int64_t{fit.variant.conflictMode},     std::int64_t{fit.variant.altruism}};
    for (int i : ParameterOrder) row.push_back(unit.truth[i]);
    row.insert(row.end(), {fit.logLikelihood, std::int64_t{fit.positions}, std::int64_t{fit.freeParameters}, fit.aic,
                           fit.bic});
    for (int i : ParameterOrder) {
      const ParameterEstimate& estimate = fit.parameters[i];
      const bool estimated = estimate.determined && !estimate.fixed;
      row.insert(row.end(), {NumberIf(estimate.determined, estimate.value), NumberIf(estimated, estimate.standardError),
                             NumberIf(estimated, estimate.lower), NumberIf(estimated, estimate.upper)});
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace bruso
