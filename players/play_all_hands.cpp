#include "players/play_all_hands.h"

#include "players/go_speedy.h"
#include "shoe/start_hand.h"

namespace bruso {

PlayAllTally PlayAllHands(SharedState& state, int iterations, const AfterHand& after_hand) {
  PlayAllTally tally;
  for (Fhand& hand : state.HandList) {
    state.ResultsFile.WriteLine(hand.HandText + " " + hand.FirstRole);
    state.ResultsFile.WriteLine("");
    state.CurrentHand = &hand;
    state.FirstMover = FirstMoverOf(hand);
    StartHand(state, hand);
    for (int play = 0; play < iterations; ++play) {
      if (GoSpeedy(state)) ++tally.solvedPlays;
      ++tally.plays;
    }
    ++tally.hands;
    if (after_hand && !after_hand(tally.hands)) break;
  }
  return tally;
}

}  // namespace bruso
