#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/classify_commands.h"
#include "session/move_marks.h"
#include "session_fixture.h"
#include "shoe/start_hand.h"
#include "support/recorders.h"

namespace bruso {
namespace {

using testing::Frames;
using testing::ReadFile;
using testing::RecordingCardImages;
using testing::RecordingSink;
using testing::TempFolder;
using Lines = std::vector<std::string>;

class RecordingMessages : public UserMessages {
 public:
  void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
  Lines shown;
};

// A started session with recording memos, card images and message boxes.
struct Session {
  Session() {
    std::filesystem::create_directory(folder.path() / "outputFile");
    StartUp(state, {.startDirectory = folder.path(), .cardImages = &images, .outputWindow = &output, .seed = 3});
    state.io.SetMemo(&memo);
    state.messages = &messages;
  }
  void Open(std::string_view shoe) {
    state.HandList = ReadShoe(shoe).hands;
    state.CurrentHand = &state.HandList[0];
    state.FirstMover = FirstMoverOf(*state.CurrentHand);
    state.view.firstMoveCaption = state.CurrentHand->FirstRole + " first move";
    StartHand(state, *state.CurrentHand);
  }
  std::string Amik() {
    state.iodef.CloseFiles(state.outputFiles);
    return ReadFile(folder.path() / "outputFile" / "Amik.txt");
  }

  TempFolder folder;
  RecordingSink output;
  RecordingSink memo;
  RecordingCardImages images;
  RecordingMessages messages;
  SharedState state;
};

// Three hands: the first replays two strings and one that is not usable, the second
// brings 2H onto the Target and then meets an unusable string, the third has no lines.
constexpr std::string_view SmallShoe =
    "4H 4C 3H 3C 2H 2C CK\n"
    "recorded by hand\n"
    "UTNT\n"
    "CCTUNTTT\n"
    "2c 3h 4h 3c 4c 2h\n"
    "4C 2H 4H 3C 2C 3H NK\n"
    "-\n"
    "TTC\n"
    "x\n"
    "3H 2H 4H 4C 2C 3C\n";

// Worked out from the rules of play: in the first hand every T is refused (3H and 4C
// cannot go onto 3C), so the Target stays 3C; a string whose second character is no move
// letter prints the path of the string before it again. In the second hand NK puts 3H
// onto 3C (same number) and CK plays 2H onto 3H (same suit), where the replay stops.
constexpr std::string_view SmallShoeAmik =
    "   4H   4C   3H   3C   2H   2C CK \n"
    "UN \t3C\n"
    "CCUN \t3C\n"
    "CCUN \t3C\n"
    "   4C   2H   4H   3C   2C   3H NK \n"
    "TT \t3C3H2H\n"
    "TT \t3C3H2H\n"
    "   3H   2H   4H   4C   2C   3C CK \n";

const Lines SmallShoeOutputWindow = {
    "   ", "   4H   4C   3H   3C   2H   2C CK", "UN \t3C", "CCUN \t3C", "CCUN \t3C",
    "   ", "   4C   2H   4H   3C   2C   3H NK", "TT \t3C3H2H", "TT \t3C3H2H",
    "   ", "   3H   2H   4H   4C   2C   3C CK",
};

TEST(ClassifyAllHands, WritesEveryHandsBoardAndPathsToAmikAndTheOutputWindow) {
  Session s;
  s.Open(SmallShoe);
  s.output.lines = {"what the output window showed before"};
  const WindowState view_before = s.state.view;
  automatic1Click(s.state);

  EXPECT_EQ(s.output.lines, SmallShoeOutputWindow);
  EXPECT_EQ(s.messages.shown, Lines{"Automatic analysis succesfully done!"});
  // The hand on screen is the one the next click plays on.
  EXPECT_EQ(s.state.CurrentHand, &s.state.HandList[0]);
  EXPECT_EQ(s.state.CurrentNode, s.state.RootNode);
  EXPECT_EQ(s.state.RootNode->board, Board::FromText("4H4C3H3C2H2C"));
  EXPECT_EQ(s.state.view, view_before);
  EXPECT_EQ(s.images.shown, (Lines{"4H", "4C", "3H", "3C", "2H", "2C"}));
  EXPECT_EQ(s.Amik(), std::string("   4H   4C   3H   3C   2H   2C CK \n") + std::string(SmallShoeAmik));
}

TEST(ClassifyAllHands, TheMemoGetsTheReplayTextAndTheDetailOfEachLine) {
  Session s;
  s.Open("4C 2H 4H 3C 2C 3H NK\n-\nTTC\n");
  s.state.analysis.ProbTable.entries.fill(1);
  s.memo.lines.clear();
  automatic1Click(s.state);
  // NK on 3C holds 3H (rule 1: it looks for 3H and plays it); CK on 3H looks for 2H. The
  // hand on screen is kept, not disposed: the memo holds what a run without a window writes.
  EXPECT_EQ(s.memo.lines, (Lines{" Top ", "", " Top ", "T T ", "TT ", "", "", "3C3H2H", "", "3C3H2H"}));
}

TEST(ClassifyAllHands, AnEmptyHandListStillClearsAndReports) {
  Session s;
  s.output.lines = {"old"};
  automatic1Click(s.state);
  EXPECT_TRUE(s.output.lines.empty());
  EXPECT_EQ(s.messages.shown, Lines{"Automatic analysis succesfully done!"});
  EXPECT_EQ(s.state.CurrentNode, nullptr);
  EXPECT_EQ(s.Amik(), "");
}

TEST(Memo2DblClick, ReplaysTheSelectionAndShowsTheOpeningBoard) {
  Session s;
  s.Open("4C 2H 4H 3C 2C 3H NK\n-\nTTC\n");
  s.state.analysis.ProbTable.entries.fill(1);
  s.state.MovePosition = 2;
  s.images.shown = {"", "", "", "", "", ""};
  s.memo.lines.clear();
  Memo2DblClick(s.state, "TTC");

  EXPECT_EQ(s.state.FirstMover, "N");
  EXPECT_EQ(s.state.view.highlightedRole, RoleNK);
  EXPECT_EQ(s.state.MovePosition, 0);
  EXPECT_EQ(s.state.MoveString, "TTC");
  EXPECT_EQ(s.state.CurrentNode, s.state.RootNode);
  EXPECT_EQ(s.state.RootNode->firstChild->firstChild->board.Cell(Position::T), "2H");
  EXPECT_EQ(s.images.shown, (Lines{"4C", "2H", "4H", "3C", "2C", "3H"}));
  EXPECT_EQ(s.memo.lines, (Lines{"TTC", " Top ", "", " Top ", "T T ", "TT ", "", "", "3C3H2H", "", "3C3H2H"}));
  EXPECT_EQ(s.output.lines.back(), "TT \t3C3H2H");
  EXPECT_TRUE(s.messages.shown.empty());
}

TEST(Memo2DblClick, AtALaterPositionTheReplayStartsWithTheFirstMover) {
  // The hand is NK's: its root is NK's, whatever position is shown when the line is chosen.
  Session s;
  s.Open("4C 2H 4H 3C 2C 3H NK\n-\nTTC\n");
  s.state.moves.ApplyMove(s.state.CurrentNode, s.state.ScratchBoard, 'N');
  RefreshMoveMarks(s.state);
  Memo2DblClick(s.state, "TTC");
  EXPECT_EQ(s.state.RootNode->role, RoleNK);
  EXPECT_EQ(s.output.lines.back(), "TT \t3C3H2H");  // NK plays 3H onto 3C, CK 2H onto 3H
  EXPECT_EQ(Frames(s.state.view), "......");      // the opening position: no move marked
}

TEST(Memo2DblClick, AnUnusableStringPrintsThePathAlreadyThere) {
  Session s;
  s.Open("4H 4C 3H 3C 2H 2C CK\n-\nUN\n");
  Memo2DblClick(s.state, "UN");
  s.memo.lines.clear();
  Memo2DblClick(s.state, "U");
  EXPECT_EQ(s.memo.lines.at(1), "It is false that the string is usable");
  EXPECT_EQ(s.output.lines.back(), "UN \t3C");
  EXPECT_EQ(s.state.MoveString, "U");
}

TEST(Memo2DblClick, WithoutAHandItOnlyReportsActualNil) {
  Session s;
  s.state.view.firstMoveCaption = "CK first move";
  s.state.MoveString = "CU";
  Memo2DblClick(s.state, "CUN");
  EXPECT_EQ(s.messages.shown, Lines{"ACTUAL = NIL !!!"});
  EXPECT_EQ(s.state.FirstMover, "C");
  EXPECT_EQ(s.state.view.highlightedRole, RoleCK);
  EXPECT_EQ(s.state.MoveString, "CU");
  EXPECT_TRUE(s.memo.lines.empty());
}

}  // namespace
}  // namespace bruso
