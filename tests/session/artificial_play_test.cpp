#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "players/go_speedy.h"
#include "session/artificial_play.h"
#include "session/rules_commands.h"
#include "shoe/shoe_file.h"
#include "shoe/start_hand.h"
#include "session_fixture.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using Lines = std::vector<std::string>;
using testing::Frames;
using testing::ReadFile;
using testing::StartedSession;
using testing::WriteFile;

// Rules with one clear winner in every situation they meet, so that plays repeat:
// CK places 2H on a heart and waits after NK took 2H from UP; NK takes 2H from UP when 2C
// lies on T and places it there; otherwise CK swaps with C and NK with N.
const std::string Weights = "0 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5\n";
const std::string CKRules = Weights + "T 2H # 3H\nP # # 2C U 2H\nC\n";
const std::string NKRules = Weights + "U # 2H 2C\nT 2H # 2C\nP # 2H 3H\nN\n";

// CK holds 2H and a heart lies on T: solved by "T".
constexpr const char* SolvedByT = "4H 2H 3C 3H 2C 4C";
// NK first, 2H on UP and 2C on T: NK takes it, CK waits, NK places it: "UPT".
constexpr const char* SolvedByUPT = "4H 3C 2H 2C 4C 3H NK";

void LoadRules(StartedSession& session, const std::string& ck, const std::string& nk) {
  WriteFile(session.folder.path() / "ck.txt", ck);
  WriteFile(session.folder.path() / "nk.txt", nk);
  LoadRulesCK(session.state, (session.folder.path() / "ck.txt").string());
  LoadRulesNK(session.state, (session.folder.path() / "nk.txt").string());
}

// Both hands' Board lines, as Amik.txt receives them.
constexpr const char* BothBoardLines =
    "   4H   2H   3C   3H   2C   4C CK \n   4H   3C   2H   2C   4C   3H NK \n";

// The rules above and the hands of the shoe, none of them set up yet.
void PrepareAllHands(StartedSession& session, const std::string& shoe) {
  LoadRules(session, CKRules, NKRules);
  session.state.HandList = ReadShoe(shoe).hands;
}

// The window's side of a run of all hands, written down in the order things happen,
// together with the message boxes.
class RecordingPrompts : public PlayAllPrompts, public UserMessages {
 public:
  explicit RecordingPrompts(std::string answer) : answer_(std::move(answer)) {}
  std::string AskIterationNumber() override {
    events.push_back("ask");
    return answer_;
  }
  void ShowBusyCursor(bool busy) override { events.push_back(busy ? "hourglass" : "normal cursor"); }
  void ShowMessage(std::string_view text) override { events.push_back("message " + std::string(text)); }
  Lines events;

 private:
  std::string answer_;
};

TEST(ArtificialMovePlay, ReplacesTheMovesAfterTheCurrentNode) {
  StartedSession session;
  SharedState& state = session.state;
  session.OpenShoe(SolvedByT);
  LoadRules(session, CKRules, NKRules);
  // CK gives 2H to UP, NK swaps with C; then one step back.
  for (char letter : {'U', 'C'}) state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, letter);
  state.MoveString = "UC";
  state.tree.GoUp(state.CurrentNode);
  state.MovePosition = 1;

  ArtificialMovePlay(state);  // NK's rule: pass while 2H lies on UP under a heart
  EXPECT_EQ(state.MoveString, "UP");
  EXPECT_EQ(state.MovePosition, 2);
  EXPECT_EQ(state.RootNode->firstChild->move, 'P');
  EXPECT_EQ(state.RootNode->firstChild->firstChild, state.CurrentNode);
  EXPECT_EQ(state.CurrentNode->firstChild, nullptr);  // the old move "C" is gone
  EXPECT_EQ(state.view.highlightedRole, RoleCK);
  EXPECT_EQ(state.view.passCaption, "PASSO");
}

TEST(ArtificialMovePlay, AFreshHandTakesItsFirstMoverFromLabel7) {
  StartedSession session;
  SharedState& state = session.state;
  ArtificialMovePlay(state);  // no hand yet: nothing to touch
  EXPECT_EQ(state.MoveString, "");

  session.OpenShoe(SolvedByUPT);
  EXPECT_EQ(state.view.firstMoveCaption, "NK first move");
  LoadRules(session, CKRules, NKRules);
  ArtificialMovePlay(state);
  EXPECT_EQ(state.FirstMover, "N");
  EXPECT_EQ(state.RootNode->role, RoleNK);
  EXPECT_EQ(state.MoveString, "U");  // NK's rule
  EXPECT_EQ(state.CurrentNode->board.Cell(Position::NK), "2H");
  EXPECT_EQ(session.images.shown[Board::CellIndex(Position::NK)], "2H");

  ArtificialMovePlay(state);
  ArtificialMovePlay(state);
  EXPECT_EQ(state.MoveString, "UPT");
  ArtificialMovePlay(state);  // solved: nothing more happens
  EXPECT_EQ(state.MoveString, "UPT");
  EXPECT_EQ(state.MovePosition, 3);
}

TEST(ArtificialHandPlay, NeedsBothRulesFiles) {
  StartedSession session;
  SharedState& state = session.state;
  session.OpenShoe(SolvedByT);
  state.RulesFileCK = "ck.txt";
  const WindowState shown = state.view;
  ArtificialHandPlay(state);
  EXPECT_EQ(session.messages.shown, (Lines{ChooseRulesMessage}));
  EXPECT_EQ(state.RootNode->firstChild, nullptr);
  EXPECT_EQ(state.view, shown);
}

TEST(ArtificialHandPlay, PlaysTheHandFromItsRootAndSelectsTheLastLetter) {
  StartedSession session;
  SharedState& state = session.state;
  session.OpenShoe(std::string(SolvedByT) + "\n" + "4H 3H 3C 4C 2C 2H\n");
  LoadRules(session, CKRules, NKRules);
  state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, 'C');

  ArtificialHandPlay(state);
  EXPECT_EQ(state.MoveString, "T");
  EXPECT_EQ(state.MovePosition, 1);
  EXPECT_EQ(state.view.selectionStart, 0);
  EXPECT_EQ(state.view.selectionLength, 1);
  // The last position: CK played T from its keeper position, NK is to move.
  EXPECT_EQ(state.view.highlightedRole, RoleNK);
  EXPECT_EQ(Frames(state.view), ".x.x..");
  EXPECT_TRUE(session.messages.shown.empty());

  // CK swaps with C and NK with N for ever: twenty moves and the message.
  state.CurrentHand = &state.HandList[1];
  StartHand(state, *state.CurrentHand);
  ArtificialHandPlay(state);
  EXPECT_EQ(state.MoveString, "CNCNCNCNCNCNCNCNCNCN");
  EXPECT_EQ(state.MovePosition, MaxArtificialMoves);
  EXPECT_EQ(session.messages.shown, (Lines{TooManyMovesMessage}));
}

TEST(PlayAllHandsArtificially, WritesEveryHandAndOneMoveStringPerPlay) {
  StartedSession session;
  SharedState& state = session.state;
  PrepareAllHands(session, std::string(SolvedByT) + "\nCU\n" + SolvedByUPT + "\n");
  session.output.lines = {"left from before"};
  RecordingPrompts prompts("3");

  const std::optional<PlayAllTally> tally = PlayAllHandsArtificially(state, prompts);
  ASSERT_TRUE(tally.has_value());
  EXPECT_EQ(tally->hands, 2);
  EXPECT_EQ(tally->plays, 6);
  EXPECT_EQ(tally->solvedPlays, 6);
  EXPECT_EQ(prompts.events, (Lines{"ask", "hourglass", "normal cursor"}));
  EXPECT_FALSE(state.BatchMode);
  EXPECT_FALSE(state.ResultsFile.IsOpen());
  // No hand was on screen, and none is afterwards.
  EXPECT_EQ(state.MoveString, "");
  EXPECT_EQ(state.CurrentHand, nullptr);
  EXPECT_EQ(state.CurrentNode, nullptr);
  EXPECT_EQ(state.FirstMover, "C");

  EXPECT_EQ(ReadFile(session.OutputFolder() / "Automa.txt"),
            "4H 2H 3C 3H 2C 4C CK\n\nT\nT\nT\n"
            "4H 3C 2H 2C 4C 3H NK\n\nUPT\nUPT\nUPT\n");
  EXPECT_EQ(session.output.lines, (Lines{"   ", "   4H   2H   3C   3H   2C   4C CK", "T", "T", "T",
                                         "   ", "   4H   3C   2H   2C   4C   3H NK", "UPT", "UPT", "UPT"}));
  session.CloseFiles();
  EXPECT_EQ(ReadFile(session.OutputFolder() / "Amik.txt"), BothBoardLines);
}

TEST(PlayAllHandsArtificially, ZeroIterationsStillSetsEveryHandUp) {
  StartedSession session;
  SharedState& state = session.state;
  PrepareAllHands(session, std::string(SolvedByT) + "\n" + SolvedByUPT + "\n");
  const std::optional<PlayAllTally> tally = PlayAllHandsArtificially(state, "0");
  ASSERT_TRUE(tally.has_value());
  EXPECT_EQ(tally->plays, 0);
  EXPECT_EQ(ReadFile(session.OutputFolder() / "Automa.txt"), "4H 2H 3C 3H 2C 4C CK\n\n4H 3C 2H 2C 4C 3H NK\n\n");
  session.CloseFiles();
  EXPECT_EQ(ReadFile(session.OutputFolder() / "Amik.txt"), BothBoardLines);
}

TEST(PlayAllHandsArtificially, ANumberThatIsNoIntegerIsRefusedBeforeAnythingIsEmptied) {
  StartedSession session;
  SharedState& state = session.state;
  PrepareAllHands(session, SolvedByT);
  WriteFile(session.OutputFolder() / "Automa.txt", "the last results\n");
  session.output.lines = {"the last output"};
  RecordingPrompts prompts("abc");
  state.messages = &prompts;

  EXPECT_FALSE(PlayAllHandsArtificially(state, prompts).has_value());
  EXPECT_EQ(prompts.events, (Lines{"ask", "message 'abc' is not a valid integer value"}));
  EXPECT_FALSE(state.BatchMode);
  EXPECT_FALSE(state.ResultsFile.IsOpen());
  EXPECT_EQ(ReadFile(session.OutputFolder() / "Automa.txt"), "the last results\n");
  EXPECT_EQ(session.output.lines, Lines{"the last output"});
  EXPECT_EQ(state.CurrentNode, nullptr);  // no hand was set up
}

TEST(PlayAllHandsArtificially, NeedsBothRulesFilesAndAnOutputFolder) {
  StartedSession session;
  SharedState& state = session.state;
  state.HandList = ReadShoe(SolvedByT).hands;
  RecordingPrompts prompts("1");
  state.messages = &prompts;
  state.RulesFileNK = "nk.txt";
  EXPECT_FALSE(PlayAllHandsArtificially(state, prompts).has_value());
  EXPECT_EQ(prompts.events, (Lines{"message " + std::string(ChooseRulesMessage)}));
  EXPECT_FALSE(std::filesystem::exists(session.OutputFolder() / "Automa.txt"));

  state.RulesFileCK = "ck.txt";
  state.OutputFolder = session.folder.path() / "gone";
  prompts.events.clear();
  EXPECT_FALSE(PlayAllHandsArtificially(state, prompts).has_value());
  const std::string path = (state.OutputFolder / "Automa.txt").string();
  EXPECT_EQ(prompts.events, (Lines{"ask", "message File not found: " + path}));
  EXPECT_FALSE(state.BatchMode);
}

TEST(PlayAllHandsArtificially, TheSameSeedGivesTheSameFiles) {
  // Empty rules: every move is drawn at random.
  auto run = [](std::uint64_t seed) {
    StartedSession session(seed);
    LoadRules(session, "", "");
    session.state.HandList = ReadShoe(std::string(SolvedByT) + "\n" + SolvedByUPT + "\n" + "4H 3H 3C 4C 2C 2H\n").hands;
    PlayAllHandsArtificially(session.state, "2");
    session.CloseFiles();
    return ReadFile(session.OutputFolder() / "Automa.txt") + ReadFile(session.OutputFolder() / "Amik.txt");
  };
  const std::string first = run(42);
  EXPECT_EQ(run(42), first);
  EXPECT_NE(run(43), first);
}

}  // namespace
}  // namespace bruso
