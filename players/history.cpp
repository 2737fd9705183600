#include "players/history.h"

namespace bruso {

void HiStory(const TreeNode* node, std::string& history) {
  if (node == nullptr) return;
  const Position own = node->role == RoleCK ? Position::CK : Position::NK;
  auto append_cards = [&](const TreeNode& from, bool with_own_card) {
    if (with_own_card) history += from.board.Cell(own);
    history += from.board.Cell(Position::UP);
    history += from.board.Cell(Position::T);
  };

  history.clear();
  history += '#';
  append_cards(*node, true);
  const TreeNode* back = node->parent;
  // Steps back 1 to 4: the own card is read on the second and the fourth.
  for (int step = 1; step <= 4 && back != nullptr; ++step, back = back->parent) {
    history += back->move;
    append_cards(*back, step % 2 == 0);
  }
}

}  // namespace bruso
