#include "shoe/start_hand.h"

#include <algorithm>

#include "engine/card_display.h"

namespace bruso {

bool HoldsEveryCardOnce(const Board& board) {
  return std::all_of(CardTable.begin(), CardTable.end(), [&](const CardTableEntry& card) {
    int count = 0;
    for (int cell = 0; cell < PositionCount; ++cell) count += board.Cell(static_cast<Position>(cell)) == card.code;
    return count == 1;
  });
}

std::string FirstMoverOf(const Fhand& hand) { return hand.FirstRole == "CK" ? "C" : "N"; }

char RoleOfFirstMover(std::string_view first_mover) { return first_mover == "N" ? RoleNK : RoleCK; }

void StartHand(SharedState& state, const Fhand& hand) {
  state.HandBuffer.WriteHandText(hand.HandText);
  state.tree.DeleteTree(state.CurrentNode, state.RootNode);
  SqueezeBlanks(state.HandBuffer);
  Board board;
  BoardFromText(board, state.HandBuffer);
  state.tree.AddChild(state.CurrentNode, board);
  state.RootNode = state.CurrentNode;
  state.RootNode->role = RoleOfFirstMover(state.FirstMover);  // the first mover plays first
  state.score.PrintBoard(*state.RootNode, state.outputFiles.Amik(), state.FirstMover);
}

}  // namespace bruso
