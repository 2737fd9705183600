#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/profile_interval.h"

namespace bruso {
namespace {

TEST(ProfileInterval, CutoffsAreHalfTheChiSquareQuantiles) {
  EXPECT_NEAR(IntervalCutoff(0.95, false), 3.841459 / 2, 1e-6);
  EXPECT_NEAR(IntervalCutoff(0.95, true), 2.705543 / 2, 1e-6);  // the quantile at 0.90
  EXPECT_NEAR(IntervalCutoff(0.9, false), 2.705543 / 2, 1e-6);
  EXPECT_NEAR(IntervalCutoff(0.99, false), 6.634897 / 2, 1e-6);
}

// On the recorded lines of the small shoe, each end inside the range is where the
// log-likelihood refitted with the parameter held there lies the cutoff below the best;
// an estimate on a bound has the bound for one end and the one-sided cutoff at the other.
TEST(ProfileInterval, EndsLieTheCutoffBelowTheBest) {
  const HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/small_shoe.txt").hands;
  int one_sided = 0;
  for (const ModelVariant variant : {ModelVariant{0, 0}, {0, 1}}) {
    const FitData data = CompileFitData(hands, variant, AnalysisSettings{}, 1);
    FitResult fit = FitParameters(data, {});
    AddProfileIntervals(data, {}, 0.95, fit);
    EXPECT_EQ(fit.intervalLevel, 0.95);
    for (int i = 0; i < ParameterCount; ++i) {
      const ParameterEstimate& estimate = fit.parameters[i];
      if (!estimate.determined) {
        EXPECT_TRUE(std::isnan(estimate.lower)) << ParameterName(i);
        continue;
      }
      EXPECT_LE(estimate.lower, estimate.value) << ParameterName(i);
      EXPECT_GE(estimate.upper, estimate.value) << ParameterName(i);
      one_sided += estimate.onBound;
      if (estimate.onBound) {
        EXPECT_TRUE(estimate.value == estimate.lower || estimate.value == estimate.upper) << ParameterName(i);
      }
      const double cutoff = IntervalCutoff(0.95, estimate.onBound);
      for (const double end : {estimate.lower, estimate.upper}) {
        if (end == estimate.value || end <= 1e-6 || end >= 1 - 1e-6) continue;
        FixedParameters held;
        held[i] = end;
        EXPECT_NEAR(FitParameters(data, held).logLikelihood, fit.logLikelihood - cutoff, 2e-3)
            << ParameterName(i) << " at " << end;
      }
    }
  }
  EXPECT_GE(one_sided, 2) << "the lines leave p3, p7 and p8 on 1 in the fit with altruism";
}

}  // namespace
}  // namespace bruso
