#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/random.h"
#include "model/simulation.h"
#include "study/data_set.h"
#include "study/hierarchical_fit.h"

namespace bruso {
namespace {

constexpr int Participants = 30;
constexpr int LinesEach = 40;
constexpr ModelVariant Variant{0, 0};

// The group the participants are drawn from: each logit normal with these means and spreads.
const ParameterPoint GroupMean = {0.4, -0.6, 0.8, 0.0, -0.3, 1.0, -1.0, 0.5, 0.2, -0.4, -2.5};
const ParameterPoint GroupSpread = {0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.3};

double Logistic(double x) { return 1 / (1 + std::exp(-x)); }

// A normal draw by the Box-Muller transform.
double Normal(Random& random) {
  const double u = 1 - random.Next();  // in (0, 1]
  return std::sqrt(-2 * std::log(u)) * std::cos(2 * 3.141592653589793 * random.Next());
}

struct Simulated {
  std::vector<ParameterPoint> truth;
  std::vector<FitData> data;
};

// Each participant plays 40 deals of the every-deal shoe once, with values of their own.
Simulated SimulateGroup(std::uint64_t seed) {
  const HandList deals = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/every_deal_shoe.txt").hands;
  Simulated group;
  for (int p = 0; p < Participants; ++p) {
    Random random{UnitSeed(seed, p)};
    ParameterPoint truth;
    for (int i = 0; i < ParameterCount; ++i) truth[i] = Logistic(GroupMean[i] + GroupSpread[i] * Normal(random));
    const HandList hands(deals.begin() + p * LinesEach, deals.begin() + (p + 1) * LinesEach);
    const HandList played = SimulateDataSet(hands, std::vector<int>(LinesEach, 1), Variant, truth, random);
    group.truth.push_back(truth);
    group.data.push_back(CompileFitData(played, Variant, AnalysisSettings{}, 2));
  }
  return group;
}

// Thirty participants of forty lines: the hierarchical estimates lie closer to each
// participant's truth than the independent fits for every parameter that the lines of half
// the participants depend on at least,
// and the group's means are found within 2.5 of their standard errors.
TEST(HierarchicalFit, ShrinksTowardsTheGroupAndFindsItsMeans) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "thirty participants fitted alone and together: too slow under the sanitizers";
#endif
  const Simulated group = SimulateGroup(2026);
  const HierarchicalFit together = FitHierarchical(group.data, {}, 2);
  const HierarchicalFit again = FitHierarchical(group.data, {}, 1);
  EXPECT_TRUE(together.converged);
  EXPECT_EQ(together.logMarginal, again.logMarginal) << "the same for any number of threads";
  EXPECT_EQ(together.estimates, again.estimates);
  std::array<double, ParameterCount> alone_error{}, together_error{};
  std::array<int, ParameterCount> depending{};
  for (int p = 0; p < Participants; ++p) {
    const FitResult alone = FitParameters(group.data[p], {});
    for (int i = 0; i < ParameterCount; ++i) {
      if (!alone.parameters[i].determined) continue;
      ++depending[i];
      alone_error[i] += std::pow(alone.parameters[i].value - group.truth[p][i], 2);
      together_error[i] += std::pow(together.estimates[p][i] - group.truth[p][i], 2);
    }
  }
  std::printf("%-6s %5s %12s %12s %10s %10s %8s\n", "param", "n", "MSE alone", "MSE group", "true mean", "mean",
              "se");
  for (int i = 0; i < ParameterCount; ++i) {
    const GroupParameter& g = together.group[i];
    std::printf("%-6s %5d %12.5f %12.5f %10.3f %10.3f %8.3f\n", ParameterName(i).c_str(), depending[i],
                alone_error[i] / std::max(1, depending[i]), together_error[i] / std::max(1, depending[i]),
                GroupMean[i], g.mean, g.meanError);
    if (depending[i] < Participants / 2) continue;  // too few participants' lines depend on it
    SCOPED_TRACE(ParameterName(i));
    EXPECT_LT(together_error[i], alone_error[i]);
    EXPECT_LT(std::abs(g.mean - GroupMean[i]), 2.5 * g.meanError);
  }
  std::printf("group BIC %.2f, %d iterations\n", together.bic, together.iterations);
}

}  // namespace
}  // namespace bruso
