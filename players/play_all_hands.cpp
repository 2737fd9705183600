#include "players/play_all_hands.h"

#include "players/go_speedy.h"
#include "shoe/start_hand.h"

namespace bruso {

namespace {

int Depth(const TreeNode* node) {
  int depth = 0;
  for (; node->parent != nullptr; node = node->parent) ++depth;
  return depth;
}

}  // namespace

PlayAllTally PlayAllHands(SharedState& state, int iterations, const AfterHand& after_hand,
                          const AfterPlay& after_play) {
  PlayAllTally tally;
  for (Fhand& hand : state.HandList) {
    state.ResultsFile.WriteLine(hand.HandText + " " + hand.FirstRole);
    state.ResultsFile.WriteLine("");
    state.CurrentHand = &hand;
    state.FirstMover = FirstMoverOf(hand);
    StartHand(state, hand);
    for (int play = 0; play < iterations; ++play) {
      const bool solved = GoSpeedy(state);
      if (solved) ++tally.solvedPlays;
      ++tally.plays;
      if (after_play && state.CurrentNode != nullptr &&
          !after_play({tally.hands + 1, play + 1, Depth(state.CurrentNode),
                       static_cast<int>(state.MoveString.size()), solved})) {
        ++tally.hands;  // begun, and played in part
        return tally;
      }
    }
    ++tally.hands;
    if (after_hand && !after_hand(tally.hands)) break;
  }
  return tally;
}

}  // namespace bruso
