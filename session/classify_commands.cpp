#include "session/classify_commands.h"

#include "session/hand_on_screen.h"
#include "session/move_marks.h"
#include "shoe/start_hand.h"

namespace bruso {

namespace {

constexpr std::string_view NoCurrentNode = "ACTUAL = NIL !!!";

char FirstMoverRole(const SharedState& state) { return state.FirstMover == "N" ? RoleNK : RoleCK; }

// Replays the move string in the HandBuffer from the root with analysis, then prints the
// path from the root: Amik.txt, the output window and the memo. The root is current after.
MoveLineOutcome ReplayAndPrint(SharedState& state) {
  MoveLineOutcome outcome;
  outcome.usable = state.score.LowExplGame(state.CurrentNode, state.RootNode, state.HandBuffer,
                                           state.ScratchBoard, state.analysis, state.random);
  outcome.reachesGoal = outcome.usable && state.CurrentNode->TargetCard() == TargetCardCode;
  state.tree.GoTop(state.CurrentNode);
  state.RootNode = state.CurrentNode;
  state.tree.PrintPath(state.CurrentNode, state.RootNode, state.outputFiles.Amik());
  return outcome;
}

}  // namespace

void ClassifyHandSetUp(SharedState& state, Fhand& hand) {
  state.CurrentHand = &hand;
  state.FirstMover = FirstMoverOf(hand);
  StartHand(state, hand);
}

MoveLineOutcome ClassifyMoveLine(SharedState& state, std::string_view line) {
  if (state.CurrentNode == nullptr) {
    state.ShowMessage(NoCurrentNode);
    return {};
  }
  state.CurrentNode->role = FirstMoverRole(state);
  state.HandBuffer.WriteMoveString(line);
  return ReplayAndPrint(state);
}

void ClassifyAllHands(SharedState& state) {
  HandOnScreen kept(state);
  state.io.ClearOutputWindow();
  for (Fhand& hand : state.HandList) {
    ClassifyHandSetUp(state, hand);
    for (std::size_t line = FirstReplayedLine; line < hand.MoveLines.size(); ++line) {
      ClassifyMoveLine(state, hand.MoveLines[line].Line);
    }
  }
}

void automatic1Click(SharedState& state) {
  ClassifyAllHands(state);
  state.ShowMessage(ClassifiedMessage);
}

void Memo2DblClick(SharedState& state, std::string_view selected) {
  state.FirstMover = state.view.firstMoveCaption.find("CK") != std::string::npos ? 'C' : 'N';
  state.view.highlightedRole = FirstMoverRole(state);
  state.MovePosition = 0;
  if (state.CurrentNode == nullptr) {
    state.ShowMessage(NoCurrentNode);
    return;
  }
  state.CurrentNode->role = FirstMoverRole(state);
  state.MoveString = selected;
  state.view.selectionStart = 0;
  state.view.selectionLength = 0;
  state.io.MemoLine(selected);
  state.HandBuffer.WriteMoveString(selected);  // only the first 40 letters fit; no more are replayed
  ReplayAndPrint(state);
  state.display.ShowBoard(state.CurrentNode->board);
  RefreshMoveMarks(state);  // the opening position: no move marked
}

}  // namespace bruso
