#include <gtest/gtest.h>

#include <vector>

#include "session/play_counts.h"
#include "tools/play_table.h"

namespace bruso {
namespace {

TEST(PlayStatistics, CountsSolvedAndStoppedPlaysAndTheMovesOfSolvedOnes) {
  const std::vector<PlayRecord> plays = {
      {.hand = 1, .iteration = 1, .moves = 3, .attempts = 3, .solved = true},
      {.hand = 1, .iteration = 2, .moves = 18, .attempts = 20, .solved = false},  // stopped
      {.hand = 2, .iteration = 1, .moves = 20, .attempts = 20, .solved = true},   // solved on the 20th
      {.hand = 2, .iteration = 2, .moves = 5, .attempts = 6, .solved = true},
      {.hand = 3, .iteration = 1, .moves = 8, .attempts = 8, .solved = true},
  };
  PlayCounts counts;
  for (const PlayRecord& play : plays) counts.Add(play);
  const PlayFigures figures = FiguresOf(counts);
  EXPECT_EQ(figures.plays, 5);
  EXPECT_EQ(figures.solved, 4);
  EXPECT_EQ(figures.stopped, 1);
  EXPECT_DOUBLE_EQ(figures.meanMoves, (3 + 20 + 5 + 8) / 4.0);
  EXPECT_DOUBLE_EQ(figures.medianMoves, (5 + 8) / 2.0);  // 3 5 8 20

  const PlayFigures none = FiguresOf({});
  EXPECT_EQ(none.plays, 0);
  EXPECT_EQ(none.meanMoves, 0);

  // The median of an odd number of plays is the middle one.
  counts.Add({.hand = 3, .iteration = 2, .moves = 4, .attempts = 4, .solved = true});  // 3 4 5 8 20
  EXPECT_DOUBLE_EQ(FiguresOf(counts).medianMoves, 5);

  EXPECT_EQ(PlayCsvFields(plays[1]), (std::vector<std::string>{"1", "2", "18", "0", "20"}));
}

TEST(PlayStatistics, TheSummaryLeavesOutMovesWhenNothingWasSolved) {
  Summary summary("play");
  PlayCounts counts;
  counts.Add({.hand = 1, .iteration = 1, .moves = 20, .attempts = 20});
  AddFigures(summary, "hand 1 ", FiguresOf(counts));
  EXPECT_EQ(summary.Text(),
            "play\n"
            "  hand 1 plays:                  1\n"
            "  hand 1 reached 2H:             0 (0.0%)\n"
            "  hand 1 stopped at 20 attempts: 1 (100.0%)\n");
}

}  // namespace
}  // namespace bruso
