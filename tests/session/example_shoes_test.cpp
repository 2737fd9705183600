#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "session/hand_navigation.h"
#include "session_fixture.h"
#include "shoe/start_hand.h"

namespace bruso {
namespace {

using testing::Session;

// How a recorded line ends when its letters are played from the opening board with the
// hand's first mover, as "Classify All Hands" replays it.
enum class LineEnd { Solves, DoesNotSolve, HasAnIllegalMove };

LineEnd Replay(SharedState& state, const std::string& line) {
  state.tree.DeleteBelow(state.CurrentNode, state.RootNode);
  state.CurrentNode->role = RoleOfFirstMover(state.FirstMover);
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (state.CurrentNode->TargetCard() == TargetCardCode) return LineEnd::HasAnIllegalMove;  // moves after solving
    if (!state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, line[i])) return LineEnd::HasAnIllegalMove;
  }
  return state.CurrentNode->TargetCard() == TargetCardCode ? LineEnd::Solves : LineEnd::DoesNotSolve;
}

// Every hand of the example shoes holds the six cards once each; the first line after a
// hand line says "solving lines: S of N", and exactly S of the N lines below it solve the
// hand, each with legal moves only and none after the hand is solved.
void CheckExampleShoe(const std::string& name, std::size_t least_hands) {
  SCOPED_TRACE(name);
  Session s;
  ClearForOpenShoe(s.state);
  PerformFileOpen(s.state, std::string(BRUSO_EXAMPLES_DIR) + "/" + name);
  SharedState& state = s.state;
  ASSERT_GE(state.HandList.size(), least_hands);

  bool first_movers[2] = {false, false};
  for (std::size_t index = 0; index < state.HandList.size(); ++index) {
    if (index > 0) NextHand(state);
    const Fhand& hand = *state.CurrentHand;
    SCOPED_TRACE(hand.HandText);
    first_movers[state.FirstMover == "N"] = true;
    EXPECT_TRUE(HoldsEveryCardOnce(state.RootNode->board));
    ASSERT_GE(hand.MoveLines.size(), 2u);
    int said_solving = -1;
    int said_lines = -1;
    ASSERT_EQ(std::sscanf(hand.MoveLines[0].Line.c_str(), "solving lines: %d of %d", &said_solving, &said_lines), 2);
    EXPECT_EQ(said_lines + 1, static_cast<int>(hand.MoveLines.size()));
    int solving = 0;
    for (std::size_t i = 1; i < hand.MoveLines.size(); ++i) {
      const LineEnd end = Replay(state, hand.MoveLines[i].Line);
      EXPECT_NE(end, LineEnd::HasAnIllegalMove) << hand.MoveLines[i].Line;
      EXPECT_GE(hand.MoveLines[i].Line.size(), 2u);  // a replay starts by reading the second letter
      solving += end == LineEnd::Solves;
    }
    EXPECT_EQ(solving, said_solving);
  }
  EXPECT_TRUE(first_movers[0] && first_movers[1]) << "both roles move first somewhere";
  EXPECT_TRUE(s.messages.shown.empty());
}

TEST(ExampleShoes, HandsHoldEveryCardAndTheirSolvingLinesSolve) {
  CheckExampleShoe("small_shoe.txt", 10);
  CheckExampleShoe("large_shoe.txt", 200);
}

}  // namespace
}  // namespace bruso
