#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/text_file.h"
#include "model/fit.h"
#include "model/simulation.h"

namespace bruso {
namespace {

const ProbTable Generating = {{0.15, 0.8, 0.35, 0.6, 0.9, 0.25, 0.7, 0.45, 0.3, 0.65}};
constexpr double GeneratingLapse = 0.05;

// The every-deal shoe with five lines per hand played by the model.
HandList SimulatedShoe(ModelVariant variant, std::uint64_t seed) {
  HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/every_deal_shoe.txt").hands;
  AnalysisSettings settings;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  settings.ProbTable = Generating;
  Random random{seed};
  for (Fhand& hand : hands) hand = SimulateHand(hand, 5, settings, GeneratingLapse, random, "played by the model");
  return hands;
}

// Fits the four variants to lines the model played with one of them: the generating one
// has the lowest AIC, and its fit finds every probability the lines depend on within three
// standard errors.
void ExpectRecovery(ModelVariant generating) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "six thousand lines fitted four times: too slow under the sanitizers";
#endif
  const HandList hands = SimulatedShoe(generating, 99);
  double lowest_aic = INFINITY;
  ModelVariant preferred;
  for (const ModelVariant variant : {ModelVariant{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
    const FitResult fit = FitVariant(hands, variant, AnalysisSettings{}, {}, 2);
    if (fit.aic < lowest_aic) {
      lowest_aic = fit.aic;
      preferred = variant;
    }
    if (variant.conflictMode != generating.conflictMode || variant.altruism != generating.altruism) continue;
    int determined = 0;
    for (int i = 0; i < ParameterCount; ++i) {
      const ParameterEstimate& estimate = fit.parameters[i];
      if (!estimate.determined) continue;
      ++determined;
      const double truth = i == LapseIndex ? GeneratingLapse : Generating.entries[i];
      EXPECT_LE(std::abs(estimate.value - truth), 3 * estimate.standardError)
          << ParameterName(i) << " = " << estimate.value << " (" << estimate.standardError << ")";
    }
    EXPECT_GE(determined, 8);
  }
  EXPECT_EQ(preferred.conflictMode, generating.conflictMode);
  EXPECT_EQ(preferred.altruism, generating.altruism);
}

// A watched fit tells of each search it ends and stops when asked, throwing FitCancelled,
// and gives the same estimate as an unwatched one.
TEST(FitWatch, ToldOfEverySearchAndStoppedWhenAsked) {
  const HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/small_shoe.txt").hands;
  int searches = 0;
  const FitResult watched = FitVariant(hands, {0, 0}, AnalysisSettings{}, {}, 1, {.searchDone = [&] { ++searches; }});
  EXPECT_EQ(searches, FitStartCount);
  EXPECT_EQ(watched.logLikelihood, FitVariant(hands, {0, 0}, AnalysisSettings{}, {}, 1).logLikelihood);

  int steps = 0;
  searches = 0;
  const FitWatch stopping{.stopRequested = [&] { return ++steps > 30; }, .searchDone = [&] { ++searches; }};
  EXPECT_THROW(FitVariant(hands, {1, 1}, AnalysisSettings{}, {}, 1, stopping), FitCancelled);
  EXPECT_EQ(steps, 31) << "no step of the search after the stop";
  EXPECT_LT(searches, FitStartCount);

  // A stop at once leaves the lines uncompiled: asked before the first hand, and once after.
  steps = 0;
  EXPECT_THROW(FitVariant(hands, {0, 0}, AnalysisSettings{}, {}, 1, {.stopRequested = [&] { return ++steps > 0; }}),
               FitCancelled);
  EXPECT_EQ(steps, 2);
}

TEST(ParameterRecovery, FitFindsTheProbabilitiesThatPlayedWithoutConflictMode) { ExpectRecovery({0, 0}); }

TEST(ParameterRecovery, FitFindsTheProbabilitiesThatPlayedWithConflictMode) { ExpectRecovery({1, 0}); }

}  // namespace
}  // namespace bruso
