#pragma once

#include "session/shared_state.h"

namespace bruso {

// Previous Hand (BitBtn1Click): shows the hand before the current one, at its opening
// position with its first mover to move; on the first hand it takes back every move of the
// hand, as "Clear Hand" does. Moves played on the hand left are not kept. With no hand in
// the list the hand-number box shows 0 and nothing else changes.
void PreviousHand(SharedState& state);

// Next Hand (BitBtn2Click): the same towards the last hand.
void NextHand(SharedState& state);

}  // namespace bruso
