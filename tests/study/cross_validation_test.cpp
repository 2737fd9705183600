#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "study/cross_validation.h"
#include "study/data_set.h"

namespace bruso {
namespace {

TEST(CrossValidation, DealsFoldsOfEqualSizeFromTheSeed) {
  const std::vector<int> folds = DealFolds(11, 3, 8);
  EXPECT_EQ(folds, DealFolds(11, 3, 8));
  EXPECT_NE(folds, DealFolds(11, 3, 9));
  for (int fold = 0; fold < 3; ++fold) {
    const auto size = std::count(folds.begin(), folds.end(), fold);
    EXPECT_TRUE(size == 3 || size == 4) << fold;
  }
}

// On lines the model played with conflict mode 1, the held-out log-likelihood is highest for
// that variant; the folds are the same for every variant.
TEST(CrossValidation, PicksTheVariantThatPlayed) {
  HandList shoe = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/every_deal_shoe.txt").hands;
  shoe.resize(400);
  ParameterPoint truth;
  truth.fill(0.7);
  truth[LapseIndex] = 0.05;
  Random random(3);
  const HandList played = SimulateDataSet(shoe, std::vector<int>(shoe.size(), 1), {1, 0}, truth, random);
  double best = -INFINITY;
  ModelVariant winner;
  for (const ModelVariant variant : EveryModelVariant) {
    const CrossValidation validation = CrossValidate(played, variant, {}, 5, 21, 2);
    EXPECT_EQ(validation.heldOutPositions, CrossValidate(played, variant, {}, 5, 21, 1).heldOutPositions);
    if (validation.heldOutLogLikelihood > best) {
      best = validation.heldOutLogLikelihood;
      winner = variant;
    }
  }
  EXPECT_EQ(VariantIndex(winner), VariantIndex({1, 0}));
}

}  // namespace
}  // namespace bruso
