#include <gtest/gtest.h>

#include "session/play_commands.h"
#include "session/recorded_plays.h"
#include "session/run_statistics.h"
#include "session_fixture.h"

namespace bruso {
namespace {

// Three hands: the first solved by its line, the second not (the lines end early), the
// third with a refused letter (T) that makes no move, and a line that is not usable.
constexpr std::string_view Shoe =
    "2H 3C 4C 4H 3H 2C CK\nnote\nUUCCT\nUUC\n"
    "2C 4H 4C 3C 2H 3H NK\nnote\nTN\n"
    "4C 2C 2H 3H 4H 3C\nnote\nTNCUCT\n1x\n";

TEST(RunStatistics, TheHandsAndPlacesAddUpToTheRunAndTheHandOnScreenStays) {
  testing::Session session;
  session.OpenShoe(Shoe);
  PlayMove(session.state, 'U');
  const std::string moves_before = session.state.MoveString;

  const ClassifyStatistics statistics = ClassifyAllHandsWithFigures(session.state, 0.05);
  EXPECT_EQ(session.state.MoveString, moves_before);
  ASSERT_EQ(statistics.byHand.size(), 3u);
  const PositionCounts& total = statistics.tally.total();
  Agreement hands;
  Agreement places;
  double log_likelihood = 0;
  long long lines = 0;
  for (const HandClassifyFigures& hand : statistics.byHand) {
    hands.suggested += hand.agreement.suggested;
    hands.agreed += hand.agreement.agreed;
    hands.expected += hand.agreement.expected;
    log_likelihood += hand.logLikelihood;
    lines += hand.lines;
  }
  for (const Agreement& place : statistics.tally.byPlace()) {
    places.suggested += place.suggested;
    places.agreed += place.agreed;
    places.expected += place.expected;
  }
  for (const Agreement& sum : {hands, places}) {
    EXPECT_EQ(sum.suggested, total.overall.suggested);
    EXPECT_EQ(sum.agreed, total.overall.agreed);
    EXPECT_NEAR(sum.expected, total.overall.expected, 1e-9);
  }
  EXPECT_NEAR(log_likelihood, statistics.tally.logLikelihood(), 1e-9);
  EXPECT_EQ(lines, statistics.tally.linesReplayed());
}

TEST(RecordedPlays, CountTheMovesThatLineMadeUntil2H) {
  const HandList hands = ReadShoe(Shoe).hands;
  const RecordedPlays recorded = RecordedPlaysOf(hands, AnalysisSettings{});
  const std::vector<HandPlays>& plays = recorded.byHand;
  ASSERT_EQ(plays.size(), 3u);
  EXPECT_EQ(plays[0].plays, 2);
  EXPECT_EQ(plays[0].solved, 1);
  EXPECT_EQ(plays[0].MeanMoves(), 5);
  EXPECT_EQ(plays[1].solved, 0);
  EXPECT_EQ(plays[1].stopped, 0) << "a recorded line is never stopped at the attempt limit";
  EXPECT_EQ(plays[2].plays, 2) << "the line that is not usable counts, unsolved";
  EXPECT_EQ(recorded.total.plays, 5);
  EXPECT_EQ(recorded.total.solvedByMoves[5], 2) << "TNCUCT: the refused T makes no move";
}

}  // namespace
}  // namespace bruso
