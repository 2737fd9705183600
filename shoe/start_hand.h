#pragma once

#include <string>
#include <string_view>

#include "session/shared_state.h"
#include "shoe/shoe_file.h"

namespace bruso {

// Whether the Board holds each of the six cards exactly once, as every hand of a shoe
// should; a mistyped or foreign line gives a Board that does not.
bool HoldsEveryCardOnce(const Board& board);

// "C" when the hand's first role is CK, "N" otherwise.
std::string FirstMoverOf(const Fhand& hand);

// The role letter of a first mover: NK's when it is "N", CK's otherwise.
char RoleOfFirstMover(std::string_view first_mover);

// Makes the hand's opening Board the root of a fresh game tree and the current node, with
// FirstMover to move, and prints it to Amik.txt and the output window. The previous hand's
// tree is freed. The caller has set CurrentHand, the hand number and FirstMover.
void StartHand(SharedState& state, const Fhand& hand);

}  // namespace bruso
