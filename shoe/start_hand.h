#pragma once

#include "session/shared_state.h"
#include "shoe/shoe_file.h"

namespace bruso {

// "C" when the hand's first role is CK, "N" otherwise.
std::string FirstMoverOf(const Fhand& hand);

// Makes the hand's opening Board the root of a fresh game tree and the current node, and
// prints it to Amik.txt and the output window. The previous hand's tree is freed. The
// caller has set CurrentHand, the hand number and FirstMover.
void StartHand(SharedState& state, const Fhand& hand);

}  // namespace bruso
