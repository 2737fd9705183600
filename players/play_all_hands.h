#pragma once

#include <functional>

#include "session/shared_state.h"

namespace bruso {

// The results file of "Play All Hands Artificially", in the output folder.
inline constexpr const char* ResultsFileName = "Automa.txt";

// What a run of all hands did.
struct PlayAllTally {
  int hands = 0;
  long long plays = 0;
  long long solvedPlays = 0;  // plays that ended with 2H on T
};

// One play of a hand, for those who study the runs.
struct PlayRecord {
  int hand = 0;       // counted from 1, in shoe order
  int iteration = 0;  // counted from 1
  int moves = 0;      // moves made (a refused letter is an attempt, not a move)
  int attempts = 0;   // letters chosen by the rules, at most MaxArtificialMoves
  bool solved = false;
};

// Told the number of hands done after each hand; returning false stops the run there.
using AfterHand = std::function<bool(int hands_done)>;
// Told each play as soon as it ends; returning false stops the run after it.
using AfterPlay = std::function<bool(const PlayRecord& play)>;

// Plays every hand of HandList `iterations` times (not at all when 0 or less), with
// BatchMode set and the results file open. For each hand: its line (HandText, a blank,
// FirstRole) and an empty line to the results file, then it becomes CurrentHand with its
// FirstMover, StartHand prints its board, and GoSpeedy plays it from its root each time,
// writing one move string per play. The window's hand number, hand text and captions stay.
// Throws IoError when a file cannot be written.
PlayAllTally PlayAllHands(SharedState& state, int iterations, const AfterHand& after_hand = {},
                          const AfterPlay& after_play = {});

}  // namespace bruso
