#pragma once

#include <string>
#include <vector>

#include "session/shared_state.h"

namespace bruso {

// "Open Shoe" (ApriUnoClick), once a file is chosen: empties the move string, the
// move-lines list and the hand list, and puts the hand counters back to the first hand.
// The hand text, the captions, the board and the game tree shown stay as they are until
// the new shoe's first hand replaces them.
void ClearForOpenShoe(SharedState& state);

// PerformFileOpen: reads the shoe into HandList and shows its first hand. A file that
// cannot be read throws IoError (the hand list stays as it was); a file without a hand
// line shows "List index out of bounds (0)" and leaves the screen as it was.
void PerformFileOpen(SharedState& state, const std::string& path);

// The lines the move-lines list shows for a hand: its stored lines from the second on.
std::vector<std::string> ListedMoveLines(const Fhand& hand);

// ShowHand: makes the hand at HandIndex current and shows it (hand text, first mover and
// its captions, a fresh game tree, the move-lines list, the board, the first mover's label
// lit and no move marked).
void ShowHand(SharedState& state);

}  // namespace bruso
