#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/shared_state.h"
#include "shoe/start_hand.h"
#include "support/recorders.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RecordingCardImages;
using testing::RecordingSink;
using testing::TempFolder;

TEST(StartHand, SetsUpARootBoardAndPrintsIt) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "outputFile");
  RecordingSink output;
  RecordingSink memo;
  RecordingCardImages images;
  SharedState state;
  StartUp(state, {.startDirectory = folder.path(), .cardImages = &images, .outputWindow = &output, .seed = 1});
  state.io.SetMemo(&memo);

  Shoe shoe = ReadShoe("2H3H 4H 2C3C4C NK\nCU\n4H 4C 3H 3C 2H 2C\n");
  state.HandList = shoe.hands;
  state.CurrentHand = &state.HandList[0];
  state.FirstMover = FirstMoverOf(*state.CurrentHand);
  EXPECT_EQ(state.FirstMover, "N");
  StartHand(state, *state.CurrentHand);
  ASSERT_NE(state.RootNode, nullptr);
  EXPECT_EQ(state.CurrentNode, state.RootNode);
  EXPECT_EQ(state.RootNode->board, Board::FromText("2H3H4H2C3C4C"));
  EXPECT_EQ(state.RootNode->role, 'N');  // the first mover is to move at the root

  state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, 'U');
  state.CurrentHand = &state.HandList[1];
  state.FirstMover = FirstMoverOf(*state.CurrentHand);
  StartHand(state, *state.CurrentHand);  // frees the previous tree; the sanitizer checks it
  EXPECT_EQ(state.RootNode->firstChild, nullptr);
  EXPECT_EQ(state.RootNode->board, Board::FromText("4H4C3H3C2H2C"));
  EXPECT_EQ(state.RootNode->role, 'C');
  EXPECT_EQ(memo.lines, (std::vector<std::string>{" Top ", ""}));

  state.iodef.CloseFiles(state.outputFiles);
  EXPECT_EQ(ReadFile(folder.path() / "outputFile" / "Amik.txt"),
            "   2H   3H   4H   2C   3C   4C NK \n   4H   4C   3H   3C   2H   2C CK \n");
  EXPECT_EQ(output.lines.back(), "   4H   4C   3H   3C   2H   2C CK");
}

TEST(StartHand, AnOverlongHandTextGivesTheBoardOfItsFirstTwelveCharacters) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "outputFile");
  SharedState state;
  StartUp(state, {.startDirectory = folder.path(), .seed = 1});
  Fhand hand = HandFromLine("2H    3H    4H    2C    3C    4C     and a comment that runs on and on");
  StartHand(state, hand);
  EXPECT_EQ(state.RootNode->board, Board::FromText("2H3H4H2C3C4C"));
}

TEST(StartHand, AHandHoldsEveryCardOnce) {
  struct Case {
    Board board;
    bool complete;
  };
  const Case cases[] = {
      {Board::FromText("2H3H4H2C3C4C"), true},
      {Board::FromText("4C3C2C4H3H2H"), true},
      {Board::FromText("2H2H4H2C3C4C"), false},  // 2H twice, 3H missing
      {Board::FromText("2h3H4H2C3C4C"), false},  // codes are case-sensitive
      {Board::FromText("2H3H4H2C3C"), false},    // a short hand text leaves zero bytes
      {Board(), false},
  };
  for (const Case& c : cases) EXPECT_EQ(HoldsEveryCardOnce(c.board), c.complete) << c.board;
}

}  // namespace
}  // namespace bruso
