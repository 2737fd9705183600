#pragma once

#include <string>

#include "engine/game_tree.h"

namespace bruso {

// The history string has at most 31 characters: "#", the own card, UP and T of the node,
// then for each step back that exists (up to four) the letter of the move played there,
// its UP and T, and on the second and fourth step the own card too.
inline constexpr int MaxHistoryLength = 31;

// Builds the history string of the node into `history`: 7, 12, 19, 24 or 31 characters,
// as far back as the tree goes. The own card is always the one on the keeper position of
// the role to move at `node`, on whichever board it is read. With no node the string is
// left as it was.
void HiStory(const TreeNode* node, std::string& history);

}  // namespace bruso
