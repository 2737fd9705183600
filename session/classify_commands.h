#pragma once

#include <string_view>

#include "session/shared_state.h"

namespace bruso {

// The two commands that replay recorded move strings through the hand analysis.

// "Classify All Hands": clears the output window, then for every hand sets it up (its
// Board line to Amik.txt and the output window) and replays each of its move lines from
// the second on, printing each path to Amik.txt, the output window and the memo. Ends with
// the message "Automatic analysis succesfully done!". Draws nothing: the window keeps
// showing the hand it showed, and shows the output window afterwards.
void automatic1Click(SharedState& state);

// The double click on the move-lines list: replays the selected string on the current
// hand (the first mover read from the caption under the move string) and shows the
// opening Board, ready for stepping through the string. Without a current node it shows
// "ACTUAL = NIL !!!" and does nothing else.
void Memo2DblClick(SharedState& state, std::string_view selected);

}  // namespace bruso
