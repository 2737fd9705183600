#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "players/go_speedy.h"
#include "players/rules_file.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using Lines = std::vector<std::string>;

// CK holds 2H and a heart lies on T: "T" solves the hand at once.
constexpr const char* OneMoveHand = "4H 2H 3C 3H 2C 4C\n";

TEST(GoSpeedy, StopsAsSoonAs2HLiesOnTheTarget) {
  testing::StartedSession session;
  SharedState& state = session.state;
  session.OpenShoe(OneMoveHand);
  ReadRules("T 2H # 3H\n", state.RulesCK);
  // Moves made by hand before are discarded: the hand starts again from its root.
  state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, 'C');

  EXPECT_TRUE(GoSpeedy(state));
  EXPECT_EQ(state.MoveString, "T");
  EXPECT_EQ(state.RootNode->firstChild, state.CurrentNode);
  EXPECT_EQ(state.CurrentNode->TargetCard(), "2H");
  EXPECT_TRUE(session.messages.shown.empty());
  EXPECT_EQ(session.images.shown[Board::CellIndex(Position::T)], "2H");  // boards are shown
}

TEST(GoSpeedy, GivesUpAfterTwentyAttempts) {
  testing::StartedSession session;
  SharedState& state = session.state;
  session.OpenShoe("4H 3H 3C 4C 2C 2H\n");  // CK's heart cannot take the club on T
  ReadRules("T\n", state.RulesCK);        // the only rule asks for a move that is refused

  EXPECT_FALSE(GoSpeedy(state));
  EXPECT_EQ(state.MoveString, std::string(MaxArtificialMoves, 'T'));
  EXPECT_EQ(state.CurrentNode, state.RootNode);  // no move could be played
  EXPECT_EQ(session.messages.shown, (Lines{TooManyMovesMessage}));

  // In BatchMode the line goes to the results file and the output window, without a box.
  state.BatchMode = true;
  state.ResultsFile.Open((session.OutputFolder() / "results.txt").string(), TextFile::Mode::Write);
  session.output.lines.clear();
  GoSpeedy(state);
  state.ResultsFile.Close();
  EXPECT_EQ(session.messages.shown.size(), 1u);
  EXPECT_EQ(session.output.lines, (Lines{std::string(MaxArtificialMoves, 'T')}));
  EXPECT_EQ(testing::ReadFile(session.OutputFolder() / "results.txt"), std::string(MaxArtificialMoves, 'T') + "\n");
}

TEST(GoSpeedy, PlaysAtLeastOneMoveOnASolvedBoardAndUsesTheFirstMoversRules) {
  testing::StartedSession session;
  SharedState& state = session.state;
  session.OpenShoe("4H 3H 3C 2H 4C 2C NK\n");  // 2H already on T
  ReadRules("P\n", state.RulesCK);
  ReadRules("T 2C # 2H\nT 2H # 2C\n", state.RulesNK);  // NK takes 2H off T, CK passes, NK puts it back

  EXPECT_TRUE(GoSpeedy(state));
  EXPECT_EQ(state.RootNode->role, RoleNK);
  EXPECT_EQ(state.MoveString, "TPT");
  EXPECT_EQ(state.CurrentNode->TargetCard(), "2H");
}

}  // namespace
}  // namespace bruso
