#include "session/play_commands.h"

#include "session/move_marks.h"
#include "shoe/start_hand.h"

namespace bruso {

namespace {

void ShowCurrentBoard(SharedState& state) { state.display.ShowBoard(state.CurrentNode->board); }

}  // namespace

void GoToStart(SharedState& state) {
  if (state.CurrentNode == nullptr) {
    state.ShowMessage(NoCurrentNodeMessage);
    return;
  }
  state.FirstMover = state.view.firstMoveCaption.find("CK") != std::string::npos ? 'C' : 'N';
  state.MovePosition = 0;
  state.tree.GoTop(state.CurrentNode);
  // With no moves made yet the first mover plays first; a tree of moves keeps its roles.
  if (state.MoveString.empty() && state.CurrentNode->firstChild == nullptr) {
    state.CurrentNode->role = RoleOfFirstMover(state.FirstMover);
  }
  ShowCurrentBoard(state);
  MarkPosition(state);
}

void StepMove(SharedState& state, bool forward) {
  if (state.CurrentNode == nullptr) return;
  // The step is taken only where there is somewhere to go, so no " Top " or " Bottom ".
  if (forward) {
    ++state.MovePosition;
    if (state.CurrentNode->firstChild != nullptr) {
      state.tree.GoDown(state.CurrentNode);
      ShowCurrentBoard(state);
    }
  } else {
    --state.MovePosition;
    if (state.CurrentNode->parent != nullptr) {
      state.tree.GoUp(state.CurrentNode);
      ShowCurrentBoard(state);
    }
  }
  MarkPosition(state);
}

void GoToEnd(SharedState& state) {
  if (state.CurrentNode == nullptr) {
    state.ShowMessage(NoCurrentNodeMessage);
    return;
  }
  state.MovePosition = static_cast<int>(state.MoveString.size());
  state.tree.GoBottom(state.CurrentNode);
  ShowCurrentBoard(state);
  MarkPosition(state);  // the labels show the role to move at the last position
}

void PlayMove(SharedState& state, char letter) {
  if (state.CurrentNode == nullptr) return;
  if (state.CurrentNode->TargetCard() == TargetCardCode) return;  // solved
  state.MoveChar = letter;
  scriviMosse(state);
  vita(state);
}

void ClearHand(SharedState& state) {
  if (state.CurrentNode == nullptr || state.RootNode == nullptr) return;
  state.MoveString.clear();
  state.tree.DeleteBelow(state.CurrentNode, state.RootNode);
  state.RootNode->role = RoleOfFirstMover(state.FirstMover);
  vita(state);
  ShowCurrentBoard(state);  // the pictures would otherwise keep showing a removed position
}

void SwitchFirstMover(SharedState& state) {
  if (state.CurrentNode == nullptr) return;
  state.FirstMover = state.FirstMover == "C" ? 'N' : 'C';
  const bool ck_first = state.FirstMover == "C";
  state.view.changeRoleCaption = ck_first ? NKFirstMoveCaption : CKFirstMoveCaption;
  state.CurrentNode->role = RoleOfFirstMover(state.FirstMover);
  state.view.firstMoveCaption = ck_first ? CKFirstMoveCaption : NKFirstMoveCaption;
  state.view.handFirstMoveCaption = state.view.firstMoveCaption;
  MarkPosition(state);  // the role to move here has changed
}

}  // namespace bruso
