#include "study/group_recovery.h"

#include <cmath>
#include <numbers>

#include "study/data_set.h"

namespace bruso {

double NormalDraw(Random& random) {
  const double u = 1 - random.Next();  // in (0, 1]: its logarithm is finite
  return std::sqrt(-2 * std::log(u)) * std::cos(2 * std::numbers::pi * random.Next());
}

std::vector<int> ParticipantLines(std::size_t hands, int participant, int lines) {
  std::vector<int> counts(hands, 0);
  const long long first = static_cast<long long>(participant) * lines;
  for (int j = 0; j < lines; ++j) ++counts[static_cast<std::size_t>((first + j) % static_cast<long long>(hands))];
  return counts;
}

GroupRecovery RunGroupRecovery(const HandList& hands, const GroupRecoveryDesign& design, int jobs,
                               const FitWatch& watch) {
  GroupRecovery recovery;
  std::vector<FitData> data;
  for (int p = 0; p < design.participants; ++p) {
    Random random{UnitSeed(design.seed, static_cast<std::uint64_t>(p))};
    ParameterPoint truth;
    for (int i = 0; i < ParameterCount; ++i) {
      const double logit = design.groupMean[i] + design.groupSpread[i] * NormalDraw(random);
      truth[i] = design.fixed[i].value_or(1 / (1 + std::exp(-logit)));
    }
    const HandList played = SimulateDataSet(hands, ParticipantLines(hands.size(), p, design.linesPerParticipant),
                                            design.variant, truth, random);
    data.push_back(CompileFitData(played, design.variant, AnalysisSettings{}, jobs, watch));
    recovery.truth.push_back(truth);
    try {
      recovery.independent.push_back(FitParameters(data.back(), design.fixed, watch));
    } catch (const NothingToFit&) {
      recovery.independent.emplace_back();  // nothing determined
    }
  }
  recovery.hierarchical = FitHierarchical(data, design.fixed, jobs, watch);
  recovery.hierarchical.variant = design.variant;
  return recovery;
}

std::array<GroupParameterRecovery, ParameterCount> SummariseGroupRecovery(const GroupRecovery& recovery,
                                                                          const GroupRecoveryDesign& design) {
  std::array<GroupParameterRecovery, ParameterCount> summary;
  for (int i = 0; i < ParameterCount; ++i) {
    GroupParameterRecovery& parameter = summary[i];
    parameter.trueMean = design.groupMean[i];
    parameter.fitted = recovery.hierarchical.group[i];
    for (std::size_t p = 0; p < recovery.truth.size(); ++p) {
      const ParameterEstimate& alone = recovery.independent[p].parameters[i];
      if (!alone.determined || alone.fixed) continue;
      ++parameter.participants;
      parameter.independentError += std::pow(alone.value - recovery.truth[p][i], 2);
      parameter.hierarchicalError += std::pow(recovery.hierarchical.estimates[p][i] - recovery.truth[p][i], 2);
    }
    if (parameter.participants > 0) {
      parameter.independentError /= parameter.participants;
      parameter.hierarchicalError /= parameter.participants;
    }
  }
  return summary;
}

}  // namespace bruso
