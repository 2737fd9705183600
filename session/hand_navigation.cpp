#include "session/hand_navigation.h"

#include <algorithm>

#include "session/move_marks.h"
#include "session/shoe_commands.h"
#include "shoe/start_hand.h"

namespace bruso {

namespace {

// The steps Previous Hand and Next Hand share; `step` is -1 or +1. With no hand to go
// to (no shoe, or one without hands) nothing happens.
void StepHand(SharedState& state, int step) {
  const int hand_count = static_cast<int>(state.HandList.size());
  if (hand_count == 0) return;

  // This writes into the node shown now; when the hand changes, StartHand disposes it.
  const char first_role = RoleOfFirstMover(state.FirstMover);
  if (state.CurrentNode != nullptr) state.CurrentNode->role = first_role;
  state.HandNumber = std::clamp(state.HandNumber + step, 1, hand_count);
  state.view.highlightedRole = first_role;
  state.view.handNumber = std::to_string(state.HandNumber);
  state.MoveString.clear();
  ResetMoveMarks(state);

  const int target = state.HandIndex + step;
  if (target < 0 || target >= hand_count) return;
  state.view.moveLines.clear();
  state.HandIndex = target;
  ShowHand(state);
}

}  // namespace

void PreviousHand(SharedState& state) { StepHand(state, -1); }

void NextHand(SharedState& state) { StepHand(state, +1); }

}  // namespace bruso
