#pragma once

#include "session/shared_state.h"

namespace bruso {

// The commands that step through and play the moves of the hand shown. Without a current
// node (no shoe opened yet) "Start" and "End" show "ACTUAL = NIL !!!"; the others do
// nothing.

inline constexpr const char* NoCurrentNodeMessage = "ACTUAL = NIL !!!";

// "Start" (Button9Click): back to the opening position; the move string stays so that
// ">" can replay it. The first mover is read back from Label7's caption; with no move made
// yet it is the role to move at the opening position.
void GoToStart(SharedState& state);

// "<" and ">" (BottoneDXClick, tag 2 forward, any other tag back): one move along the
// path, when there is one.
void StepMove(SharedState& state, bool forward);

// "End" (Button10Click): to the last position of the path; the labels and frames describe
// that position.
void GoToEnd(SharedState& state);

// A click on a card or on "Pass Move": Image4Click 'C', Image5Click 'U', Image2Click 'T',
// Image6Click 'N', passoClick 'P'. The moves after the position shown are replaced by this
// one; a move that is not allowed adds nothing, and a solved hand ignores the click.
void PlayMove(SharedState& state, char letter);

// "Clear Hand" (Clear1Click): removes every move of the hand and shows its opening board,
// with the first mover to move.
void ClearHand(SharedState& state);

// "NK First Move" (changeroleClick): switches the first mover and the role of the
// position shown.
void SwitchFirstMover(SharedState& state);

}  // namespace bruso
