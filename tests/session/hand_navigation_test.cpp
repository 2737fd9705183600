#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/hand_navigation.h"
#include "session/play_commands.h"
#include "session_fixture.h"

namespace bruso {
namespace {

using testing::Frames;
using testing::Session;
using Lines = std::vector<std::string>;

constexpr const char* ThreeHands =
    "4H 4C 3H 3C 2H 2C\n"
    "not listed\n"
    "NUPTT\n"
    "2C 3C 4C 2H 3H 4H NK\n"
    "not listed either\n"
    "3H 4H 2H 2C 3C 4C CK\n";

TEST(HandNavigation, NextAndPreviousShowEachHandAndStopAtTheEnds) {
  Session s;
  s.OpenShoe(ThreeHands);
  SharedState& state = s.state;

  NextHand(state);
  EXPECT_EQ(state.HandIndex, 1);
  EXPECT_EQ(state.view.handNumber, "2");
  EXPECT_EQ(state.CurrentHand, &state.HandList[1]);
  EXPECT_EQ(state.view.handText, "2C 3C 4C 2H 3H 4H");
  EXPECT_EQ(state.FirstMover, "N");
  EXPECT_EQ(state.view.firstMoveCaption, "NK first move");
  EXPECT_EQ(state.view.handFirstMoveCaption, "NK first move");
  EXPECT_TRUE(state.view.moveLines.empty());  // a hand with one stored line lists nothing
  EXPECT_EQ(s.Pictures(), "2C3C4C2H3H4H");
  // The first mover of the hand shown is to move, and its label is lit.
  EXPECT_EQ(state.CurrentNode->role, RoleNK);
  EXPECT_EQ(state.view.highlightedRole, RoleNK);

  NextHand(state);
  PlayMove(state, 'U');
  ASSERT_EQ(state.MoveString, "U");
  EXPECT_EQ(state.view.highlightedRole, RoleNK);

  // On the last hand nothing switches; the move string goes, and with it the move: the
  // opening position is shown again, CK to move, nothing marked.
  NextHand(state);
  EXPECT_EQ(state.HandIndex, 2);
  EXPECT_EQ(state.HandNumber, 3);
  EXPECT_EQ(state.view.handNumber, "3");
  EXPECT_EQ(state.MoveString, "");
  EXPECT_EQ(Frames(state.view), "......");
  EXPECT_EQ(state.view.passCaption, "Passo");
  EXPECT_EQ(state.CurrentNode, state.RootNode);
  EXPECT_EQ(state.RootNode->firstChild, nullptr);
  EXPECT_EQ(s.Pictures(), "3H4H2H2C3C4C");
  EXPECT_EQ(state.CurrentNode->role, RoleCK);
  EXPECT_EQ(state.view.highlightedRole, RoleCK);
  PlayMove(state, 'U');  // the next click is CK's
  EXPECT_EQ(state.CurrentNode->board.Cell(Position::CK), "2H");

  PreviousHand(state);
  PreviousHand(state);
  EXPECT_EQ(state.view.handNumber, "1");
  EXPECT_EQ(state.view.moveLines, (Lines{"NUPTT"}));
  EXPECT_EQ(s.Pictures(), "4H4C3H3C2H2C");

  // On the first hand, too.
  state.CurrentNode->role = RoleNK;
  PreviousHand(state);
  EXPECT_EQ(state.HandNumber, 1);
  EXPECT_EQ(state.view.handNumber, "1");
  EXPECT_EQ(state.CurrentNode->role, RoleCK);  // hand 1's first mover is CK
  EXPECT_EQ(state.view.highlightedRole, RoleCK);
}

TEST(HandNavigation, MovesPlayedOnAHandAreNotKeptWhenItIsLeft) {
  Session s;
  s.OpenShoe(ThreeHands);
  PlayMove(s.state, 'N');
  NextHand(s.state);
  PreviousHand(s.state);
  EXPECT_EQ(s.state.RootNode->firstChild, nullptr);
  EXPECT_EQ(s.state.MoveString, "");
  EXPECT_EQ(s.Pictures(), "4H4C3H3C2H2C");
}

// Before any shoe there is no node and no hand: "Start" and "End" say so, the hand buttons
// show hand number 0, the other commands do nothing at all.
TEST(HandNavigation, CommandsBeforeAnyShoeTouchNothing) {
  Session s;
  const WindowState at_start = s.state.view;
  const std::string pictures = s.Pictures();

  PreviousHand(s.state);
  NextHand(s.state);
  StepMove(s.state, true);
  StepMove(s.state, false);
  for (char letter : {'C', 'U', 'N', 'T', 'P'}) PlayMove(s.state, letter);
  ClearHand(s.state);
  SwitchFirstMover(s.state);
  EXPECT_TRUE(s.messages.shown.empty());

  GoToStart(s.state);
  GoToEnd(s.state);
  EXPECT_EQ(s.messages.shown, (Lines{"ACTUAL = NIL !!!", "ACTUAL = NIL !!!"}));
  WindowState expected = at_start;
  expected.handNumber = "0";
  EXPECT_EQ(s.state.view, expected);
  EXPECT_EQ(s.Pictures(), pictures);
  EXPECT_EQ(s.state.CurrentNode, nullptr);
  EXPECT_EQ(s.state.HandNumber, 0);
  EXPECT_EQ(s.state.MovePosition, 0);
  EXPECT_EQ(s.state.FirstMover, "C");
  EXPECT_TRUE(s.memo.lines.empty());
}

}  // namespace
}  // namespace bruso
