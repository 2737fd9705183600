#include "session/move_marks.h"

#include <algorithm>

namespace bruso {

void evidenzia(SharedState& state) {
  WindowState& view = state.view;
  if (state.CurrentNode != nullptr) view.highlightedRole = state.CurrentNode->role == RoleCK ? RoleCK : RoleNK;
  const int length = static_cast<int>(state.MoveString.size());
  view.selectionLength = 0;
  if (state.MovePosition >= 1) {
    state.MovePosition = std::min(state.MovePosition, length);
    view.selectionStart = std::max(state.MovePosition - 1, 0);
    view.selectionLength = state.MovePosition >= 1 ? 1 : 0;
  } else {
    state.MovePosition = 0;
    view.selectionStart = 0;
  }
}

void ResetMoveMarks(SharedState& state) {
  state.view.frameMarked.fill(false);
  state.view.passCaption = "Passo";
  state.view.passMarked = false;
}

void RefreshMoveMarks(SharedState& state) {
  ResetMoveMarks(state);
  const TreeNode* node = state.CurrentNode;
  if (node == nullptr || node->parent == nullptr) return;

  // The mover made the move into this node, so it is the role other than this node's.
  const Position mover = node->role == RoleNK ? Position::CK : Position::NK;
  auto mark = [&](Position swapped) {
    state.view.frameMarked[Board::CellIndex(mover)] = true;
    state.view.frameMarked[Board::CellIndex(swapped)] = true;
  };
  switch (node->parent->move) {
    case 'C': mark(Position::C); break;
    case 'N': mark(Position::N); break;
    case 'U': mark(Position::UP); break;
    case 'T': mark(Position::T); break;
    case 'P':
      state.view.passCaption = "PASSO";
      state.view.passMarked = true;
      break;
    default: break;
  }
}

void MarkPosition(SharedState& state) {
  evidenzia(state);
  RefreshMoveMarks(state);
}

void vita(SharedState& state) {
  ++state.MovePosition;
  MarkPosition(state);
}

std::string MoveStringTo(const TreeNode* node) {
  std::string moves;
  if (node == nullptr) return moves;
  for (const TreeNode* up = node->parent; up != nullptr; up = up->parent) moves.insert(moves.begin(), up->move);
  return moves;
}

void scriviMosse(SharedState& state) {
  state.tree.DeleteBelow(state.CurrentNode, state.CurrentNode);
  state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, state.MoveChar);
  state.display.ShowBoard(state.CurrentNode->board);
  state.MoveString = MoveStringTo(state.CurrentNode);
}

}  // namespace bruso
