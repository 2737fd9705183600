#include <gtest/gtest.h>

#include <string>

#include "model/fit_data.h"
#include "model/game_state.h"

namespace bruso {
namespace {

// A state reached by the attempts of a recorded line has, at each position, the chances
// that the likelihood of the whole line gives there (up to the order of the sums: the
// whole line merges the marks that no later position reads), under a model whose marks
// matter.
TEST(GameState, ChancesAlongRecordedLinesAreThoseOfTheWholeLine) {
  const HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/large_shoe.txt").hands;
  AnalysisSettings settings;
  settings.ConflictMode = 1;
  settings.AltruismSwitch = 1;
  for (int k = 1; k <= CardRuleCount; ++k) settings.ProbTable[k] = 0.05 + 0.09 * k;
  const PlayerParameters player{.probabilities = settings.ProbTable, .lapse = 0.03};
  long long positions = 0;
  for (std::size_t h = 0; h < hands.size(); ++h) {
    const std::vector<CompiledLine> lines = CompileLines({hands[h]}, settings, 1);
    for (const CompiledLine& line : lines) {
      std::vector<PositionChances> expected;
      ScoreLine(line, player, &expected);
      GameState state(hands[h]);
      for (std::size_t t = 0; t < line.steps.size(); ++t, ++positions) {
        ASSERT_TRUE(state.open());
        EXPECT_EQ(state.board(), line.facts[t].board);
        const PositionChances chances = state.ModelChances(settings, player.lapse);
        ASSERT_EQ(chances.suggests, expected[t].suggests);
        for (int m = 0; m < MoveCount; ++m) EXPECT_NEAR(chances.p[m], expected[t].p[m], 1e-12);
        state = state.Attempted(line.steps[t].recorded);
      }
    }
  }
  EXPECT_GT(positions, 1000);
}

TEST(GameState, BoardsOfHandTexts) {
  const struct {
    const char* text;
    const char* board;  // "" for none
  } cases[] = {{"2H 3C 4C 4H 3H 2C", "2H3C4C4H3H2C"},
               {"2H3C4C4H3H2C", "2H3C4C4H3H2C"},
               {" 2H  3C 4C4H 3H 2C ", "2H3C4C4H3H2C"},
               {"2H 3C 4C 4H 3H 2", ""},
               {"", ""}};
  for (const auto& c : cases) {
    const std::optional<Board> board = BoardOfHandText(c.text);
    EXPECT_EQ(board ? board->Text() : "", c.board) << c.text;
  }
}

TEST(GameState, ARefusedTargetSwapStaysAndASolvedHandIsClosed) {
  const GameState start(Fhand{.HandText = "2H 3C 4C 4H 3H 2C", .FirstRole = "CK"});
  EXPECT_EQ(start.LegalMoves(), "CUNP");
  const GameState refused = start.Attempted(MoveTarget);
  EXPECT_EQ(refused.board(), start.board());
  EXPECT_EQ(refused.role(), RoleCK);
  EXPECT_EQ(refused.moves(), 0);
  GameState state = start;
  for (char letter : std::string("CCCCCCCCT")) state = state.Attempted(letter);
  EXPECT_TRUE(state.solved());
  EXPECT_FALSE(state.open());
  EXPECT_EQ(state.LegalMoves(), "");
}

}  // namespace
}  // namespace bruso
