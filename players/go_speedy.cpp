#include "players/go_speedy.h"

#include "players/rule_matching.h"

namespace bruso {

namespace {

bool Solved(const TreeNode& node) { return node.TargetCard() == TargetCardCode; }

void ShowCurrentBoard(SharedState& state) {
  if (!state.BatchMode) state.display.ShowBoard(state.CurrentNode->board);
}

}  // namespace

const RuleSet& RulesFor(const SharedState& state, char role) {
  return role == RoleCK ? state.RulesCK : state.RulesNK;
}

void ChooseMoveByRules(SharedState& state) {
  state.MoveChar = EvalAt(RulesFor(state, state.CurrentNode->role), *state.CurrentNode, state.random);
  state.MoveString += state.MoveChar;
}

bool GoSpeedy(SharedState& state) {
  state.MoveString.clear();
  if (state.CurrentNode == nullptr) return false;
  state.tree.GoTop(state.CurrentNode);
  state.RootNode = state.CurrentNode;
  state.tree.DeleteBelow(state.CurrentNode, state.RootNode);
  state.RootNode->role = state.FirstMover == "N" ? RoleNK : RoleCK;
  ShowCurrentBoard(state);

  int attempts = 0;
  do {
    ChooseMoveByRules(state);
    state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, state.MoveChar);
    ShowCurrentBoard(state);
    ++attempts;
  } while (!Solved(*state.CurrentNode) && attempts < MaxArtificialMoves);

  // The counter alone decides: a 20th attempt that solves the hand brings the message too.
  if (attempts == MaxArtificialMoves && !state.BatchMode) state.ShowMessage(TooManyMovesMessage);
  if (state.BatchMode) {
    state.ResultsFile.WriteLine(state.MoveString);
    state.io.OutputLine(state.MoveString);
  }
  return Solved(*state.CurrentNode);
}

}  // namespace bruso
