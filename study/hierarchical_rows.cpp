#include "study/hierarchical_rows.h"

#include "model/fit_rows.h"

namespace bruso {

const std::vector<std::string>& HierarchicalColumns() {
  static const std::vector<std::string> columns = [] {
    std::vector<std::string> all = {"row",          "conflict_mode", "altruism", "participant", "condition",
                                    "log_marginal", "k",             "bic",      "iterations",  "converged"};
    for (int i : ParameterOrder) all.insert(all.end(), {ParameterName(i), ParameterName(i) + "_se"});
    return all;
  }();
  return columns;
}

std::vector<FieldRow> HierarchicalRows(const HierarchicalFit& fit, const std::vector<Participant>& participants) {
  const auto row = [&](const std::string& kind, const std::string& id, const std::string& condition) {
    return FieldRow{kind,
                    std::int64_t{fit.variant.conflictMode},
                    std::int64_t{fit.variant.altruism},
                    id,
                    condition,
                    fit.logMarginal,
                    std::int64_t{fit.freeParameters},
                    fit.bic,
                    std::int64_t{fit.iterations},
                    FlagField(fit.converged)};
  };
  FieldRow mean = row("group_mean", "", ""), spread = row("group_spread", "", "");
  for (int i : ParameterOrder) {
    const GroupParameter& g = fit.group[i];
    mean.insert(mean.end(), {NumberIf(g.estimated, g.mean), NumberIf(g.estimated, g.meanError)});
    spread.insert(spread.end(), {NumberIf(g.estimated, g.spread), NumberIf(g.estimated, g.spreadError)});
  }
  std::vector<FieldRow> rows = {mean, spread};
  for (std::size_t p = 0; p < participants.size() && p < fit.estimates.size(); ++p) {
    FieldRow fields = row("participant", participants[p].id, participants[p].condition);
    for (int i : ParameterOrder) {
      fields.insert(fields.end(), {NumberIf(fit.group[i].estimated, fit.estimates[p][i]), TableField()});
    }
    rows.push_back(std::move(fields));
  }
  return rows;
}

}  // namespace bruso
