#include "session/hand_navigation.h"

#include <algorithm>

#include "session/play_commands.h"
#include "session/shoe_commands.h"
#include "shoe/start_hand.h"

namespace bruso {

namespace {

// The steps Previous Hand and Next Hand share; `step` is -1 or +1.
void StepHand(SharedState& state, int step) {
  const int hand_count = static_cast<int>(state.HandList.size());
  if (hand_count == 0) {
    // No shoe, or none since a cancelled open: there is no hand to number or to show.
    state.HandNumber = 0;
    state.view.handNumber = std::to_string(state.HandNumber);
    return;
  }
  state.HandNumber = std::clamp(state.HandNumber + step, 1, hand_count);
  state.view.handNumber = std::to_string(state.HandNumber);

  const int target = state.HandIndex + step;
  if (target < 0 || target >= hand_count) {
    // The first or last hand stays, set up again at its opening position with its first
    // mover to move: the move string is emptied, so no later position may stay shown.
    ClearHand(state);
    return;
  }
  state.MoveString.clear();
  state.view.moveLines.clear();
  state.HandIndex = target;
  ShowHand(state);
}

}  // namespace

void PreviousHand(SharedState& state) { StepHand(state, -1); }

void NextHand(SharedState& state) { StepHand(state, +1); }

}  // namespace bruso
