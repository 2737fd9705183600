#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "study/group_recovery.h"

namespace bruso {
namespace {

HandList Shoe(const char* name) { return ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/" + name).hands; }

TEST(HierarchicalFit, TheSameForAnyNumberOfThreads) {
  const HandList hands = Shoe("small_shoe.txt");
  const GroupRecoveryDesign design{.participants = 5, .linesPerParticipant = 12, .seed = 4};
  const GroupRecovery one = RunGroupRecovery(hands, design, 1);
  const GroupRecovery three = RunGroupRecovery(hands, design, 3);
  EXPECT_EQ(one.truth, three.truth);
  EXPECT_EQ(one.hierarchical.logMarginal, three.hierarchical.logMarginal);
  EXPECT_EQ(one.hierarchical.estimates, three.hierarchical.estimates);
  EXPECT_EQ(ParticipantLines(10, 1, 12), (std::vector<int>{1, 1, 2, 2, 1, 1, 1, 1, 1, 1}));
}

// Thirty participants of forty lines, each on deals of their own: the hierarchical
// estimates lie closer to each participant's truth than the independent fits for every
// parameter that the lines of half the participants depend on at least, and the group's
// means are found within 2.5 of their standard errors.
TEST(HierarchicalFit, ShrinksTowardsTheGroupAndFindsItsMeans) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "thirty participants fitted alone and together: too slow under the sanitizers";
#endif
  const GroupRecoveryDesign design{.participants = 30,
                                   .linesPerParticipant = 40,
                                   .groupMean = {0.4, -0.6, 0.8, 0.0, -0.3, 1.0, -1.0, 0.5, 0.2, -0.4, -2.5},
                                   .groupSpread = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.3},
                                   .seed = 2026};
  const GroupRecovery recovery = RunGroupRecovery(Shoe("every_deal_shoe.txt"), design, 2);
  EXPECT_TRUE(recovery.hierarchical.converged);
  std::printf("%-6s %5s %12s %12s %10s %10s %8s\n", "param", "n", "MSE alone", "MSE group", "true mean", "mean", "se");
  const auto summary = SummariseGroupRecovery(recovery, design);
  for (int i = 0; i < ParameterCount; ++i) {
    const GroupParameterRecovery& r = summary[i];
    std::printf("%-6s %5d %12.5f %12.5f %10.3f %10.3f %8.3f\n", ParameterName(i).c_str(), r.participants,
                r.independentError, r.hierarchicalError, r.trueMean, r.fitted.mean, r.fitted.meanError);
    if (r.participants < design.participants / 2) continue;  // too few participants' lines depend on it
    SCOPED_TRACE(ParameterName(i));
    EXPECT_LT(r.hierarchicalError, r.independentError);
    EXPECT_LT(std::abs(r.fitted.mean - r.trueMean), 2.5 * r.fitted.meanError);
  }
  std::printf("group BIC %.2f, %d iterations\n", recovery.hierarchical.bic, recovery.hierarchical.iterations);
}

}  // namespace
}  // namespace bruso
