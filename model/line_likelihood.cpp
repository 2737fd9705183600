#include "model/line_likelihood.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace bruso {

namespace {

// The chance that the player makes the recorded move where the model suggests it, and
// where it suggests another move: worked out once a line, and chosen without a branch.
struct RecordedMoveChances {
  double suggested = 0;
  double other = 0;
};

// One position: spreads the chances of the states after the previous position over the
// outcomes of this one, adding each suggestion's share to `here`; `weights` becomes the
// chances of the states after it given its recorded move, whose chance is returned.
// `before` and `after` hold as many states as the step has before and after it.
template <typename States>
double Advance(const CompiledStep& step, const PlayerParameters& player, const RecordedMoveChances& recorded,
               std::vector<double>& weights, States& before, States& after, PositionChances& here) {
  std::fill(before.begin(), before.end(), 0.0);
  for (std::size_t i = 0; i < step.carry.size(); ++i) before[step.carry[i]] += weights[i];
  std::fill(after.begin(), after.end(), 0.0);
  for (const Transition& t : step.transitions) {
    const double w = before[t.from] * t.weight.At(player.probabilities);
    if (t.suggestion == '\0') {
      after[t.to] += w;  // the model is silent: the move says nothing about the state
      continue;
    }
    here.suggests = true;
    here.p[MoveIndex(t.suggestion)] += w;
    after[t.to] += w * (t.suggestion == step.recorded ? recorded.suggested : recorded.other);
  }
  const double total = std::accumulate(after.begin(), after.end(), 0.0);
  weights.resize(after.size());
  if (after.size() == 1 && std::isfinite(total) && total != 0) {
    // One state, after[0] / after[0]: the division, slow and on the way from each position
    // to the next, is left to the cases where it gives no number.
    weights[0] = 1;
    return total;
  }
  for (std::size_t i = 0; i < after.size(); ++i) weights[i] = after[i] / total;
  return total;
}

}  // namespace

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
  const RecordedMoveChances recorded{PlayerProbability(1, player.lapse), PlayerProbability(0, player.lapse)};
  if (chances != nullptr) chances->reserve(chances->size() + line.steps.size());
  for (const CompiledStep& step : line.steps) {
    PositionChances own;
    PositionChances& here = chances != nullptr ? chances->emplace_back() : own;
    double total = 0;
    if (step.statesBefore == 1 && step.statesAfter == 1) {  // most positions: kept in registers
      std::array<double, 1> one_before, one_after;
      total = Advance(step, player, recorded, weights, one_before, one_after, here);
    } else {
      before.resize(step.statesBefore);
      after.resize(step.statesAfter);
      total = Advance(step, player, recorded, weights, before, after, here);
    }
    product *= total;
    if (product < 1e-250) {
      score.logLikelihood += std::log(product);
      product = 1;
    }
    if (here.suggests) {
      score.expectedAgreements += here.Of(step.recorded);
      ++score.suggested;
    }
  }
  score.logLikelihood += std::log(product);
  return score;
}

}  // namespace bruso
