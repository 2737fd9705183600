#include "shoe/start_hand.h"

namespace bruso {

std::string FirstMoverOf(const Fhand& hand) { return hand.FirstRole == "CK" ? "C" : "N"; }

void StartHand(SharedState& state, const Fhand& hand) {
  state.HandBuffer.WriteHandText(hand.HandText);
  state.tree.DeleteTree(state.CurrentNode, state.RootNode);
  SqueezeBlanks(state.HandBuffer);
  Board board;
  BoardFromText(board, state.HandBuffer);
  state.tree.AddChild(state.CurrentNode, board);
  state.RootNode = state.CurrentNode;
  state.score.PrintBoard(*state.RootNode, state.outputFiles.Amik(), state.FirstMover);
}

}  // namespace bruso
