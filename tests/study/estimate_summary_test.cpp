#include <gtest/gtest.h>

#include <cmath>

#include "study/data_set.h"
#include "study/estimate_summary.h"
#include "study/model_confusion.h"

namespace bruso {
namespace {

TEST(EstimateSummary, CountsWhatHoldsTheTruthAndWhatWasNotEstimated) {
  const std::vector<EstimateRecord> records = {
      {.truth = 0.2, .estimated = true, .estimate = 0.3, .lower = 0.1, .upper = 0.4},
      {.truth = 0.4, .estimated = true, .estimate = 0.5, .lower = 0.45, .upper = 0.6},  // misses
      {.truth = 0.6, .estimated = true, .estimate = 0.7, .lower = 0.5, .upper = 0.8},
      {.truth = 0.8, .estimated = true, .estimate = 1, .lower = 0.7, .upper = 1, .onBound = true},
      {.truth = 0.5, .estimated = false},
  };
  const EstimateSummary summary = SummariseEstimates(records);
  EXPECT_EQ(summary.dataSets, 5);
  EXPECT_EQ(summary.estimated, 4);
  EXPECT_NEAR(summary.bias, 0.125, 1e-12);
  EXPECT_NEAR(summary.rmse, std::sqrt((0.01 * 3 + 0.04) / 4), 1e-12);
  EXPECT_NEAR(summary.correlation, 0.9943767, 1e-6);
  EXPECT_EQ(summary.intervals, 4);
  EXPECT_EQ(summary.Coverage(), 0.75);
  EXPECT_EQ(summary.OnBoundShare(), 0.25);
  EXPECT_EQ(summary.NotIdentifiableShare(), 0.2);
  EXPECT_TRUE(summary.Recoverable());

  // Mostly not estimated, or estimates that do not vary: not recoverable.
  EXPECT_FALSE(SummariseEstimates({records[0], records[4], records[4]}).Recoverable());
  const EstimateSummary flat = SummariseEstimates({{.truth = 0.2, .estimated = true, .estimate = 0.5, .lower = NAN},
                                                   {.truth = 0.7, .estimated = true, .estimate = 0.5, .lower = NAN}});
  EXPECT_TRUE(std::isnan(flat.correlation));
  EXPECT_EQ(flat.intervals, 0);
  EXPECT_FALSE(flat.Recoverable());
}

TEST(ModelConfusion, InvertsTheSharesWithEqualChancesBeforehand) {
  ModelConfusion confusion;
  for (int i = 0; i < 3; ++i) confusion.Add({0, 0}, {0, 0});
  confusion.Add({0, 0}, {1, 0});
  for (int i = 0; i < 2; ++i) confusion.Add({1, 0}, {1, 0});
  EXPECT_EQ(confusion.Share(0, 0), 0.75);
  EXPECT_EQ(confusion.Share(0, 2), 0.25);
  EXPECT_EQ(confusion.Share(2, 2), 1);
  EXPECT_DOUBLE_EQ(confusion.Inversion(0, 2), 0.2);  // 0.25 / (0.25 + 1)
  EXPECT_DOUBLE_EQ(confusion.Inversion(2, 2), 0.8);
  EXPECT_EQ(confusion.Inversion(0, 0), 1);
  EXPECT_TRUE(std::isnan(confusion.Inversion(0, 1))) << "cm0 alt1 never won";
}

TEST(UnitSeed, GivesEachUnitAStreamOfItsOwn) {
  EXPECT_EQ(UnitSeed(42, 3), UnitSeed(42, 3));
  EXPECT_NE(UnitSeed(42, 3), UnitSeed(42, 4));
  EXPECT_NE(UnitSeed(42, 3), UnitSeed(43, 3));
  EXPECT_NE(UnitSeed(0, 0), 0u);
}

}  // namespace
}  // namespace bruso
