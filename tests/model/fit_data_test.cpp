#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/fit_data.h"

namespace bruso {
namespace {

HandList LargeShoe() { return ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/large_shoe.txt").hands; }

AnalysisSettings SettingsOf(ModelVariant variant) {
  AnalysisSettings settings;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  return settings;
}

const PlayerParameters Player{.probabilities = {{0.15, 0.8, 0.35, 0.6, 0.9, 0.25, 0.7, 0.45, 0.3, 0.65}},
                              .lapse = 0.07};

// The distinct pieces score as the lines they were cut from, the repeated lines of a hand
// are stored once, and the blocks compiled on any number of threads give the same data.
TEST(FitData, PiecesScoreAsTheirLinesAndRepeatsAreStoredOnce) {
  HandList hands = LargeShoe();
  for (const ModelVariant variant : {ModelVariant{0, 0}, {1, 0}, {1, 1}}) {
    SCOPED_TRACE(variant.conflictMode * 10 + variant.altruism);
    const AnalysisSettings settings = SettingsOf(variant);
    const std::vector<CompiledLine> lines = CompileLines(hands, settings, 1);
    LineScore by_line;
    for (const CompiledLine& line : lines) {
      const LineScore score = ScoreLine(line, Player);
      by_line.logLikelihood += score.logLikelihood;
      by_line.expectedAgreements += score.expectedAgreements;
      by_line.suggested += score.suggested;
    }
    const FitData data = CompileFitDataOf(hands, settings, 1);
    const LineScore by_piece = ScoreData(data, Player);
    EXPECT_NEAR(by_piece.logLikelihood, by_line.logLikelihood, 1e-9 * std::abs(by_line.logLikelihood));
    EXPECT_NEAR(by_piece.expectedAgreements, by_line.expectedAgreements, 1e-9 * by_line.expectedAgreements);
    EXPECT_EQ(by_piece.suggested, by_line.suggested);
    EXPECT_EQ(ScoreData(FitDataFrom(lines), Player).logLikelihood, by_piece.logLikelihood);
    EXPECT_EQ(ScoreData(CompileFitDataOf(hands, settings, 3), Player).logLikelihood, by_piece.logLikelihood);

    HandList repeated = hands;
    for (Fhand& hand : repeated) {
      const std::vector<moves> recorded = hand.MoveLines;
      for (std::size_t l = FirstRecordedLine; l < recorded.size(); ++l) hand.MoveLines.push_back(recorded[l]);
    }
    const FitData twice = CompileFitDataOf(repeated, settings, 2);
    EXPECT_EQ(twice.pieces.size(), data.pieces.size());
    EXPECT_EQ(twice.transitions.size(), data.transitions.size());
    EXPECT_NEAR(ScoreData(twice, Player).logLikelihood, 2 * by_piece.logLikelihood, 1e-9 * std::abs(by_piece.logLikelihood));
  }
}

// The gradient is the slope of the log-likelihood: central differences agree with it in
// every parameter, with and without the marks as hidden states.
TEST(FitData, GradientIsTheSlopeOfTheLogLikelihood) {
  const HandList hands = LargeShoe();
  for (const ModelVariant variant : {ModelVariant{0, 0}, {1, 0}, {1, 1}}) {
    SCOPED_TRACE(variant.conflictMode * 10 + variant.altruism);
    const FitData data = CompileFitDataOf(hands, SettingsOf(variant), 2);
    ParameterGradient gradient;
    EXPECT_EQ(LogLikelihoodWithGradient(data, Player, gradient), ScoreData(data, Player).logLikelihood);
    for (int k = 0; k <= CardRuleCount; ++k) {
      constexpr double Step = 1e-6;
      PlayerParameters above = Player;
      PlayerParameters below = Player;
      (k == CardRuleCount ? above.lapse : above.probabilities[k + 1]) += Step;
      (k == CardRuleCount ? below.lapse : below.probabilities[k + 1]) -= Step;
      const double slope = (ScoreData(data, above).logLikelihood - ScoreData(data, below).logLikelihood) / (2 * Step);
      EXPECT_NEAR(gradient[k], slope, 1e-5 * std::max(1.0, std::abs(slope))) << "parameter " << k;
    }
  }
}

}  // namespace
}  // namespace bruso
