#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/io_error.h"
#include "session/hand_navigation.h"
#include "session/play_commands.h"
#include "session/shoe_commands.h"
#include "session_fixture.h"

namespace bruso {
namespace {

using testing::Session;
using Lines = std::vector<std::string>;

constexpr const char* TwoHands =
    "2H 3H 4H 2C 3C 4C NK\n"
    "first line, not listed\n"
    "CUN\n"
    "TT\n"
    "3H 2H 4H 2C 3C 4C\n"
    "only line\n";

TEST(OpenShoe, ShowsTheFirstHandWithItsMoveLinesFromTheSecondOn) {
  Session s;
  s.OpenShoe(TwoHands);
  const SharedState& state = s.state;
  ASSERT_EQ(state.HandList.size(), 2u);
  EXPECT_EQ(state.CurrentHand, &state.HandList[0]);
  EXPECT_EQ(state.HandIndex, 0);
  EXPECT_EQ(state.HandNumber, 1);
  EXPECT_EQ(state.MovePosition, 0);
  EXPECT_EQ(state.MoveString, "");
  EXPECT_EQ(state.FirstMover, "N");
  EXPECT_EQ(state.view.handNumber, "1");
  EXPECT_EQ(state.view.handText, "2H 3H 4H 2C 3C 4C");
  EXPECT_EQ(state.view.firstMoveCaption, "NK first move");
  EXPECT_EQ(state.view.handFirstMoveCaption, "NK first move");
  EXPECT_EQ(state.view.moveLines, (Lines{"CUN", "TT"}));
  EXPECT_EQ(s.Pictures(), "2H3H4H2C3C4C");
  ASSERT_NE(state.CurrentNode, nullptr);
  EXPECT_EQ(state.CurrentNode, state.RootNode);
  EXPECT_EQ(state.RootNode->role, RoleNK);  // the first mover is to move, and lit
  EXPECT_EQ(state.view.highlightedRole, RoleNK);
  EXPECT_EQ(s.output.lines, (Lines{"   ", "   2H   3H   4H   2C   3C   4C NK"}));
  EXPECT_TRUE(s.messages.shown.empty());
}

// A cancelled dialog (only the clearing happened) and a file without hands both leave the
// hand on screen and its game tree as they were, with no hand list behind them.
TEST(OpenShoe, CancelledDialogAndEmptyFileKeepTheHandShown) {
  for (bool cancelled : {true, false}) {
    Session s;
    s.OpenShoe(TwoHands);
    PlayMove(s.state, 'U');
    const WindowState shown = s.state.view;
    const std::string pictures = s.Pictures();
    TreeNode* const node = s.state.CurrentNode;

    if (cancelled) {
      ClearForOpenShoe(s.state);
    } else {
      s.OpenShoe("", "empty.txt");
    }
    SCOPED_TRACE(cancelled ? "cancelled" : "empty file");
    EXPECT_EQ(s.messages.shown, cancelled ? Lines{} : Lines{"List index out of bounds (0)"});
    EXPECT_TRUE(s.state.HandList.empty());
    EXPECT_EQ(s.state.CurrentHand, nullptr);
    EXPECT_EQ(s.state.MoveString, "");
    EXPECT_EQ(s.state.view.handNumber, "1");
    EXPECT_TRUE(s.state.view.moveLines.empty());
    EXPECT_EQ(s.state.view.handText, shown.handText);
    EXPECT_EQ(s.state.view.firstMoveCaption, shown.firstMoveCaption);
    EXPECT_EQ(s.state.view.handFirstMoveCaption, shown.handFirstMoveCaption);
    EXPECT_EQ(s.Pictures(), pictures);
    EXPECT_EQ(s.state.CurrentNode, node);

    // No hand to go to: the hand buttons show hand number 0 and change nothing else.
    WindowState cleared = s.state.view;
    NextHand(s.state);
    PreviousHand(s.state);
    cleared.handNumber = "0";
    EXPECT_EQ(s.state.view, cleared);
    EXPECT_EQ(s.state.HandNumber, 0);
    EXPECT_EQ(s.state.CurrentNode, node);
    EXPECT_EQ(s.Pictures(), pictures);
  }
}

TEST(OpenShoe, AFileThatCannotBeReadThrowsAndLeavesNoHands) {
  Session s;
  s.OpenShoe(TwoHands);
  for (const auto& path : {s.folder.path() / "missing.txt", s.folder.path()}) {
    ClearForOpenShoe(s.state);
    EXPECT_THROW(PerformFileOpen(s.state, path.string()), IoError) << path;
    EXPECT_TRUE(s.state.HandList.empty());
    EXPECT_EQ(s.state.CurrentHand, nullptr);
  }
}

TEST(OpenShoe, ASecondShoeOpenedAtTheFifthHandStartsAtItsFirstHand) {
  Session s;
  std::string first;
  for (int hand = 0; hand < 6; ++hand) first += "2H 3H 4H 2C 3C 4C\n\nC\n";
  s.OpenShoe(first);
  for (int step = 0; step < 4; ++step) NextHand(s.state);
  ASSERT_EQ(s.state.view.handNumber, "5");
  PlayMove(s.state, 'C');
  ASSERT_EQ(s.state.MoveString, "C");

  s.OpenShoe("4H 4C 3H 3C 2H 2C NK\n\nUU\n3C 3H 4H 2C 2H 4C\n", "second.txt");
  EXPECT_EQ(s.state.HandList.size(), 2u);
  EXPECT_EQ(s.state.CurrentHand, &s.state.HandList[0]);
  EXPECT_EQ(s.state.view.handNumber, "1");
  EXPECT_EQ(s.state.view.handText, "4H 4C 3H 3C 2H 2C");
  EXPECT_EQ(s.state.MoveString, "");
  EXPECT_EQ(s.state.RootNode->firstChild, nullptr);
  EXPECT_EQ(s.Pictures(), "4H4C3H3C2H2C");

  NextHand(s.state);
  EXPECT_EQ(s.state.view.handNumber, "2");
  EXPECT_EQ(s.state.view.handText, "3C 3H 4H 2C 2H 4C");
}

// Files that users write by hand or pick by mistake: the hands they hold are shown, and
// what is wrong with them is said, in the message memo or in a message box.
TEST(OpenShoe, BadFilesShowTheirHandsOrSaySoClearly) {
  std::string no_hand_binary;
  for (int i = 0; i < 3000; ++i) no_hand_binary += static_cast<char>((i * 131 + 7) & 0xff);
  ASSERT_EQ(no_hand_binary.find("2H"), std::string::npos);
  const std::string binary = no_hand_binary + "2H" + no_hand_binary + "\n2H\n" + no_hand_binary;
  const std::string long_move_line(200000, 'C');

  struct Case {
    std::string name;
    std::string text;
    std::size_t hands;
    std::string pictures;  // after the open; the start-up faces are 4H4C3H3C2H2C
    std::string memo_line;  // a line the message memo must hold, or empty
    Lines move_lines;
  };
  const Case cases[] = {
      {"crlf", "3H 2H 4H 2C 3C 4C NK\r\n\r\nCU\r\nT\r\n", 1, "3H2H4H2C3C4C", "", {"CU", "T"}},
      {"byte order mark", "\xEF\xBB\xBF" "3H 2H 4H 2C 3C 4C\n", 1, "3H2H4H2C3C4C", "", {}},
      {"lines before the first hand", "my shoe\n\n3H 2H 4H 2C 3C 4C\n", 1, "3H2H4H2C3C4C",
       "2 lines before the first hand skipped", {}},
      {"lower-case hand line", "3H 2H 4H 2C 3C 4C\n\n3h 4h 2h 2c 3c 4c\n", 1, "3H2H4H2C3C4C", "",
       {"3h 4h 2h 2c 3c 4c"}},
      {"only lower case", "3h 4h 2h 2c 3c 4c\nCUT\n", 0, "4H4C3H3C2H2C",
       "No hand in the file: a hand line holds the card 2H, in capitals", {}},
      {"binary without a hand", no_hand_binary, 0, "4H4C3H3C2H2C",
       "No hand in the file: a hand line holds the card 2H, in capitals", {}},
      {"overlong hand line", "3H    2H    4H    2C    3C    4C    and a note that runs on and on\n", 1,
       "3H2H4H2C3C4C", "", {}},
      {"incomplete hand", "2H 3H 3H 2C 3C\n", 1, "2H3H3H2C3C2C",
       "Hand 1 does not hold the cards 2H 3H 4H 2C 3C 4C once each", {}},
      {"very long move line", "3H 2H 4H 2C 3C 4C\n\n" + long_move_line + "\n", 1, "3H2H4H2C3C4C", "",
       {long_move_line}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.OpenShoe(c.text);
    EXPECT_EQ(s.state.HandList.size(), c.hands);
    EXPECT_EQ(s.Pictures(), c.pictures);
    EXPECT_EQ(s.state.view.moveLines, c.move_lines);
    if (!c.memo_line.empty()) {
      EXPECT_NE(std::find(s.memo.lines.begin(), s.memo.lines.end(), c.memo_line), s.memo.lines.end());
    }
    EXPECT_EQ(s.messages.shown, c.hands == 0 ? Lines{"List index out of bounds (0)"} : Lines{});
  }

  // A binary file that happens to hold "2H" gives hands; whatever they hold, the commands
  // run on them without harm.
  Session s;
  s.OpenShoe(binary);
  ASSERT_FALSE(s.state.HandList.empty());
  for (char letter : {'C', 'U', 'N', 'T', 'P'}) PlayMove(s.state, letter);
  GoToEnd(s.state);
  NextHand(s.state);
  ClearHand(s.state);
}

}  // namespace
}  // namespace bruso
