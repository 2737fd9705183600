#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/headless_hand.h"
#include "model/line_compiler.h"
#include "model/line_likelihood.h"

namespace bruso {
namespace {

// Hands on Targets of every phase, with lines that explore, refuse a T, hand cards over
// and reach the goal.
const HandList Hands = {
    {.MoveLines = {{""}, {"UTNTCUNP"}, {"CNCNPPUUTN"}, {"PUNCUTTP"}}, .HandText = "4H 4C 3H 3C 2H 2C", .FirstRole = "CK"},
    {.MoveLines = {{""}, {"NUTTUNCT"}, {"UUPCNNUT"}}, .HandText = "4C 2H 4H 3C 2C 3H", .FirstRole = "NK"},
    {.MoveLines = {{""}, {"CUUPNTCN"}, {"TNUCPUNC"}}, .HandText = "2C 3H 2H 4C 3C 4H", .FirstRole = "CK"},
};

// The seeded suggestions at the positions of one replay ('\0' for none).
struct Suggestions : ReplayObserver {
  void PositionAnalysed(const AnalysedPosition& position) override {
    if (position.recorded == '\0') return;
    seen.push_back(position.branch == MoveBranch::None ? '\0' : position.suggested);
    recorded.push_back(position.recorded);
  }
  std::string seen;
  std::string recorded;
};

// Per position and move: the weighted count of replays that suggested it, the weights
// being the player's chance of the recorded moves before the position given the
// suggestions of that replay, so that the frequencies estimate chances given those moves.
struct WeightedFrequencies {
  std::vector<std::array<double, MoveCount>> hits;
  std::vector<double> weight;
  std::vector<double> squaredWeight;

  void Add(const Suggestions& replay, double lapse) {
    hits.resize(replay.seen.size());
    weight.resize(replay.seen.size());
    squaredWeight.resize(replay.seen.size());
    double w = 1;
    for (std::size_t t = 0; t < replay.seen.size(); ++t) {
      weight[t] += w;
      squaredWeight[t] += w * w;
      if (replay.seen[t] == '\0') continue;
      hits[t][MoveIndex(replay.seen[t])] += w;
      w *= PlayerProbability(replay.seen[t] == replay.recorded[t] ? 1 : 0, lapse);
    }
  }
};

AnalysisSettings SettingsOf(ModelVariant variant, const PlayerParameters& player) {
  AnalysisSettings settings;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  settings.ProbTable = player.probabilities;
  return settings;
}

TEST(ExactLikelihood, ChancesAgreeWithTheFrequenciesOfSeededReplays) {
  constexpr int Replays = 2000;
  const PlayerParameters player{.probabilities = {{0.1, 0.3, 0.5, 0.7, 0.9, 0.2, 0.4, 0.6, 0.8, 0.35}}, .lapse = 0.5};
  Random random{2024};
  int uncertain = 0;  // positions and moves whose chance lies strictly between 0 and 1
  for (const ModelVariant variant : EveryModelVariant) {
    const AnalysisSettings settings = SettingsOf(variant, player);
    for (const Fhand& hand : Hands) {
      HeadlessHand headless(hand);
      for (std::size_t line = 1; line < hand.MoveLines.size(); ++line) {
        const std::string& moves = hand.MoveLines[line].Line;
        LineCompiler compiler(settings);
        headless.Replay(moves, settings, random, compiler);
        std::vector<PositionChances> exact;
        ScoreLine(compiler.TakeLine(), player, &exact);

        WeightedFrequencies frequencies;
        for (int r = 0; r < Replays; ++r) {
          Suggestions replay;
          headless.Replay(moves, settings, random, replay);
          frequencies.Add(replay, player.lapse);
        }
        ASSERT_EQ(frequencies.hits.size(), exact.size()) << moves;
        for (std::size_t t = 0; t < exact.size(); ++t) {
          for (int x = 0; x < MoveCount; ++x) {
            const double p = exact[t].p[x];
            const double frequency = frequencies.hits[t][x] / frequencies.weight[t];
            const double error = std::sqrt(p * (1 - p) * frequencies.squaredWeight[t]) / frequencies.weight[t];
            EXPECT_LE(std::abs(frequency - p), 4 * error + 1e-12)
                << "conflict " << variant.conflictMode << " altruism " << variant.altruism << " line " << moves
                << " position " << t + 1 << " move " << MoveLetters[x];
            uncertain += p > 1e-9 && p < 1 - 1e-9;
          }
        }
      }
    }
  }
  EXPECT_GT(uncertain, 40);  // the shoe exercises the card rules and the coins
}

// A compiler kept from line to line, as classify keeps it, compiles each line as a fresh
// one does whatever the replay's own draws, and a copy of a compiled line reads its own
// store once the compiler has gone on to another line.
TEST(LineCompiler, ReusedCompilerAndCopiedLinesScoreAsFreshOnes) {
  const PlayerParameters player{.probabilities = {{0.1, 0.3, 0.5, 0.7, 0.9, 0.2, 0.4, 0.6, 0.8, 0.35}}, .lapse = 0.1};
  Random random{7};
  for (const ModelVariant variant : EveryModelVariant) {
    const AnalysisSettings settings = SettingsOf(variant, player);
    LineCompiler kept(settings);
    for (const Fhand& hand : Hands) {
      HeadlessHand headless(hand);
      for (std::size_t line = 1; line < hand.MoveLines.size(); ++line) {
        const std::string& moves = hand.MoveLines[line].Line;
        LineCompiler fresh(settings);
        headless.Replay(moves, settings, random, fresh);
        const LineScore expected = ScoreLine(fresh.TakeLine(), player);
        kept.LineStarted();
        headless.Replay(moves, settings, random, kept);
        const CompiledLine copy = kept.FinishLine();
        EXPECT_EQ(ScoreLine(kept.FinishLine(), player).logLikelihood, expected.logLikelihood) << moves;
        kept.LineStarted();
        headless.Replay("PUNCUTTPCN", settings, random, kept);
        kept.FinishLine();
        EXPECT_EQ(ScoreLine(copy, player).logLikelihood, expected.logLikelihood) << moves;
      }
    }
  }
}

}  // namespace
}  // namespace bruso
