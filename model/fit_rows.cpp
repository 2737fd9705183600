#include "model/fit_rows.h"

namespace bruso {

namespace {

std::vector<std::string> MakeFitColumns() {
  std::vector<std::string> columns = {"model", "conflict_mode", "altruism", "log_likelihood", "n", "k", "aic", "bic"};
  for (int i : ParameterOrder) {
    columns.push_back(ParameterName(i));
    columns.push_back(ParameterName(i) + "_se");
  }
  columns.push_back("expected_agreement");
  columns.push_back("interval_level");
  for (int i : ParameterOrder) {
    columns.push_back(ParameterName(i) + "_lower");
    columns.push_back(ParameterName(i) + "_upper");
  }
  return columns;
}

// The model's name and its variant's settings, as the first three columns give them.
FieldRow ModelFields(const FitResult& fit) {
  switch (fit.model) {
    case FitModel::Analysis:
      return {std::string("analysis"), std::int64_t{fit.variant.conflictMode}, std::int64_t{fit.variant.altruism}};
    case FitModel::Rules:
      return {"rules:" + fit.rules, {}, {}};
    case FitModel::Uniform:
      break;
  }
  return {std::string("uniform"), {}, {}};
}

}  // namespace

const std::vector<std::string>& FitColumns() {
  static const std::vector<std::string> columns = MakeFitColumns();
  return columns;
}

FieldRow FitRow(const FitResult& fit) {
  FieldRow row = ModelFields(fit);
  row.insert(row.end(), {fit.logLikelihood, std::int64_t{fit.positions}, std::int64_t{fit.freeParameters}, fit.aic,
                         fit.bic});
  for (int i : ParameterOrder) {
    const ParameterEstimate& estimate = fit.parameters[i];
    row.push_back(NumberIf(estimate.determined, estimate.value));
    row.push_back(NumberIf(estimate.determined && !estimate.fixed, estimate.standardError));
  }
  row.push_back(NumberIf(fit.model != FitModel::Uniform, fit.expectedAgreement));
  const bool intervals = fit.intervalLevel > 0;
  row.push_back(NumberIf(intervals, fit.intervalLevel));
  for (int i : ParameterOrder) {
    const ParameterEstimate& estimate = fit.parameters[i];
    const bool shown = intervals && estimate.determined && !estimate.fixed;
    row.push_back(NumberIf(shown, estimate.lower));
    row.push_back(NumberIf(shown, estimate.upper));
  }
  return row;
}

}  // namespace bruso
