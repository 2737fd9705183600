#include "model/line_likelihood.h"

#include <cmath>
#include <numeric>

namespace bruso {

LineScore ScoreLine(const CompiledLine& line, const PlayerParameters& player, std::vector<PositionChances>* chances) {
  LineScore score;
  // The chance of each state given the recorded moves so far, summing to one.
  thread_local std::vector<double> weights;
  thread_local std::vector<double> before;
  thread_local std::vector<double> after;
  weights.assign(1, 1.0);
  // The product of the positions' probabilities since the last logarithm: one logarithm
  // per line, unless the product grows too small.
  double product = 1;
  if (chances != nullptr) chances->reserve(chances->size() + line.steps.size());
  for (const CompiledStep& step : line.steps) {
    before.assign(step.statesBefore, 0.0);
    for (std::size_t i = 0; i < step.carry.size(); ++i) before[step.carry[i]] += weights[i];
    after.assign(step.statesAfter, 0.0);
    PositionChances here;
    for (const Transition& t : step.transitions) {
      const double w = before[t.from] * t.weight.At(player.probabilities);
      if (t.suggestion == '\0') {
        after[t.to] += w;  // the model is silent: the move says nothing about the state
        continue;
      }
      here.suggests = true;
      here.p[MoveIndex(t.suggestion)] += w;
      after[t.to] += w * PlayerProbability(t.suggestion == step.recorded ? 1 : 0, player.lapse);
    }
    const double total = std::accumulate(after.begin(), after.end(), 0.0);
    product *= total;
    if (product < 1e-250) {
      score.logLikelihood += std::log(product);
      product = 1;
    }
    for (double& w : after) w /= total;
    weights.swap(after);
    if (here.suggests) {
      score.expectedAgreements += here.Of(step.recorded);
      ++score.suggested;
    }
    if (chances != nullptr) chances->push_back(here);
  }
  score.logLikelihood += std::log(product);
  return score;
}

}  // namespace bruso
