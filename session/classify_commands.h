#pragma once

#include <cstddef>
#include <string_view>

#include "session/shared_state.h"

namespace bruso {

// The two commands that replay recorded move strings through the hand analysis.

inline constexpr const char* ClassifiedMessage = "Automatic analysis succesfully done!";

// "Classify All Hands": clears the output window, then for every hand sets it up (its
// Board line to Amik.txt and the output window) and replays each of its move lines from
// the second on, printing each path to Amik.txt, the output window and the memo. The hand
// on screen, its tree and move string are as they were afterwards, so the next click plays
// on it; the window shows the output window afterwards.
void ClassifyAllHands(SharedState& state);
// The same, ending with the message ClassifiedMessage (the window first puts the cursor
// back and then shows it).
void automatic1Click(SharedState& state);

// The steps of "Classify All Hands", for a batch that drives it line by line (to show its
// progress, or to stop between lines). The command is: clear the output window, then for
// each hand ClassifyHandSetUp and ClassifyMoveLine for each of its lines from the second
// on, then the final message.

// The first line after a hand line is not one of its move strings: a hand's lines are
// replayed from this index of its MoveLines on.
inline constexpr std::size_t FirstReplayedLine = 1;

// What the replay of one move line gave.
struct MoveLineOutcome {
  bool usable = false;       // false: the string was refused, and nothing was replayed
  bool reachesGoal = false;  // the replay ended with 2H on the Target
};

// Makes the hand current, with its first mover, and sets it up.
void ClassifyHandSetUp(SharedState& state, Fhand& hand);
// Replays one move line of the current hand and prints its path.
MoveLineOutcome ClassifyMoveLine(SharedState& state, std::string_view line);

// The double click on the move-lines list: replays the selected string on the current
// hand (the first mover read from the caption under the move string) and shows the
// opening Board, ready for stepping through the string. Without a current node it shows
// "ACTUAL = NIL !!!" and does nothing else.
void Memo2DblClick(SharedState& state, std::string_view selected);

}  // namespace bruso
