#include "study/participant_rows.h"

#include "model/fit_rows.h"

namespace bruso {

const std::vector<std::string>& ParticipantColumns() {
  static const std::vector<std::string> columns = [] {
    std::vector<std::string> all = {"participant", "condition"};
    all.insert(all.end(), FitColumns().begin(), FitColumns().end());
    all.insert(all.end(), {"uniform_log_likelihood", "best_by_aic", "beats_uniform"});
    return all;
  }();
  return columns;
}

std::vector<FieldRow> ParticipantRows(const ParticipantFit& fit) {
  std::vector<FieldRow> rows;
  for (const FitResult& variant : fit.fits) {
    FieldRow row = {fit.id, fit.condition};
    for (TableField& field : FitRow(variant)) row.push_back(std::move(field));
    row.insert(row.end(), {fit.uniform.logLikelihood, FlagField(&variant == &fit.Best()), FlagField(fit.BeatsUniform())});
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace bruso
