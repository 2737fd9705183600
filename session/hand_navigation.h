#pragma once

#include "session/shared_state.h"

namespace bruso {

// Previous Hand (BitBtn1Click): shows the hand before the current one; on the first hand
// it only empties the move string and resets the marks. Moves played on the hand left are
// not kept.
void PreviousHand(SharedState& state);

// Next Hand (BitBtn2Click): the same towards the last hand.
void NextHand(SharedState& state);

}  // namespace bruso
