#pragma once

#include "session/shared_state.h"

namespace bruso {

// The steps of play that every way of playing shares.

// Lights the label of the role to move and selects the MovePosition-th letter of the move
// string (held to its length; nothing selected at 0).
void evidenzia(SharedState& state);

// Puts all frames at rest and marks the last move: the mover's frame and the frame of the
// swapped position, or "PASSO" on the pass button after a pass.
void RefreshMoveMarks(SharedState& state);

// Puts all frames at rest and the pass button to "Passo" in black.
void ResetMoveMarks(SharedState& state);

// evidenzia and RefreshMoveMarks: the role labels, the move cursor and the frames describe
// the position shown. Every command that changes the position shown ends with it.
void MarkPosition(SharedState& state);

// Advances the move cursor, then MarkPosition.
void vita(SharedState& state);

// Discards the moves after the current node, applies MoveChar, shows the Board and
// rebuilds the move string from the root.
void scriviMosse(SharedState& state);

// The letters of the moves from the root to the node, in the order played.
std::string MoveStringTo(const TreeNode* node);

}  // namespace bruso
