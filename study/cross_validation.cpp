#include "study/cross_validation.h"

#include <algorithm>
#include <numeric>

#include "engine/random.h"
#include "model/parameter_search.h"

namespace bruso {

std::vector<int> DealFolds(std::size_t hands, int folds, std::uint64_t seed) {
  std::vector<std::size_t> order(hands);
  std::iota(order.begin(), order.end(), std::size_t{0});
  Random random(seed);
  for (std::size_t i = hands; i > 1; --i) {  // Fisher-Yates, from the study's own generator
    const std::size_t j = static_cast<std::size_t>(random.Next() * static_cast<double>(i));
    std::swap(order[i - 1], order[std::min(j, i - 1)]);
  }
  std::vector<int> fold_of(hands);
  for (std::size_t place = 0; place < hands; ++place) fold_of[order[place]] = static_cast<int>(place % folds);
  return fold_of;
}

CrossValidation CrossValidate(const HandList& hands, ModelVariant variant, const FixedParameters& fixed, int folds,
                              std::uint64_t seed, int jobs, const FitWatch& watch) {
  AnalysisSettings settings;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  const std::vector<CompiledLine> lines = CompileLines(hands, settings, jobs, watch.stopRequested);
  if (watch.stopRequested && watch.stopRequested()) throw FitCancelled();
  std::vector<int> fold_of_line;  // the lines come hand by hand, in the order of the shoe
  const std::vector<int> fold_of_hand = DealFolds(hands.size(), folds, seed);
  for (std::size_t h = 0; h < hands.size(); ++h) {
    const std::size_t count = hands[h].MoveLines.size() > FirstRecordedLine ? hands[h].MoveLines.size() - FirstRecordedLine : 0;
    fold_of_line.insert(fold_of_line.end(), count, fold_of_hand[h]);
  }
  CrossValidation result{.variant = variant, .folds = folds};
  for (int fold = 0; fold < folds; ++fold) {
    std::vector<CompiledLine> training, held_out;
    for (std::size_t l = 0; l < lines.size(); ++l) (fold_of_line[l] == fold ? held_out : training).push_back(lines[l]);
    const FitData train_data = FitDataFrom(training);
    const FitData test_data = FitDataFrom(held_out);
    const FitResult fit = FitParameters(train_data, fixed, watch);
    ParameterPoint point;
    for (int i = 0; i < ParameterCount; ++i) {
      point[i] = fixed[i] ? *fixed[i] : fit.parameters[i].determined ? fit.parameters[i].value : UntrainedProbability;
      if (i != LapseIndex && test_data.dependsOn[i] && !fit.parameters[i].determined && !fixed[i]) ++result.untrained;
    }
    const LineScore score = LikelihoodSearch(test_data, fixed, watch).ScoreAt(point);
    result.heldOutLogLikelihood += score.logLikelihood;
    result.heldOutPositions += score.suggested;
  }
  return result;
}

}  // namespace bruso
