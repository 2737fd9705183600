#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/rule_player.h"
#include "model/weight_search.h"

namespace bruso {
namespace {

double LogLikelihoodAt(const std::vector<ChanceCount>& chances, double lapse) {
  double sum = 0;
  for (const ChanceCount& c : chances) sum += static_cast<double>(c.count) * std::log(PlayerProbability(c.chance, lapse));
  return sum;
}

// The lapse rate found is where the likelihood is highest (or the bound it rises
// towards), and the row's figures follow from it.
TEST(RulePlayerFit, TakesTheLapseRateOfHighestLikelihood) {
  struct Case {
    const char* what;
    std::vector<ChanceCount> chances;
    double lapse;  // NaN: somewhere inside, checked against its neighbours
  };
  const Case cases[] = {
      {"mostly explained", {{1, 80}, {0, 10}, {0.5, 10}}, NAN},
      {"every move certain", {{1, 50}}, LapseMargin},
      {"never the recorded move", {{0, 30}}, 1 - LapseMargin},
      {"a fifth each time", {{0.2, 30}, {0.3, 10}, {0.1, 10}}, NAN},
  };
  for (const Case& c : cases) {
    const FitResult fit = FitRulePlayer(c.chances, std::nullopt, 34);
    const double lapse = fit.parameters[LapseIndex].value;
    if (std::isnan(c.lapse)) {
      EXPECT_GT(fit.logLikelihood, LogLikelihoodAt(c.chances, lapse - 1e-4)) << c.what;
      EXPECT_GT(fit.logLikelihood, LogLikelihoodAt(c.chances, lapse + 1e-4)) << c.what;
    } else {
      EXPECT_DOUBLE_EQ(lapse, c.lapse) << c.what;
    }
    EXPECT_DOUBLE_EQ(fit.logLikelihood, LogLikelihoodAt(c.chances, lapse)) << c.what;
    EXPECT_EQ(fit.freeParameters, 35) << c.what;
    EXPECT_DOUBLE_EQ(fit.aic, 70 - 2 * fit.logLikelihood) << c.what;
    EXPECT_FALSE(fit.parameters[0].determined) << c.what;  // no card rule applies
  }

  const FitResult held = FitRulePlayer({{1, 80}, {0, 20}}, 0.1, 0);
  EXPECT_EQ(held.freeParameters, 0);
  EXPECT_TRUE(held.parameters[LapseIndex].fixed);
  EXPECT_DOUBLE_EQ(held.logLikelihood, LogLikelihoodAt({{1, 80}, {0, 20}}, 0.1));
  EXPECT_DOUBLE_EQ(held.expectedAgreement, 0.8);
  EXPECT_EQ(held.positions, 100);
}

TEST(RulePlayerFit, ReadsHowManyWeightsAFileSaysWereFitted) {
  const std::string comment = WeightsFittedComment(17, "played.txt");
  EXPECT_EQ(comment, "/ fit-weights: 17 weights fitted to played.txt");
  const std::pair<std::string, int> cases[] = {
      {"T 2H\n", 0},
      {"T 2H\n0 1 2\n" + comment + "\n", 17},
      {comment + "\r\n/ fit-weights: 5 weights fitted to again.txt\n", 5},  // the last one counts
      {"/ fit-weights: many weights fitted\n/fit-weights: 3 weights fitted\n", 0},
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(WeightsFittedIn(text), count) << text;
}

}  // namespace
}  // namespace bruso
