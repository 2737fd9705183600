#pragma once

#include <string>

#include "session/shared_state.h"

namespace bruso {

// Keeps the hand on screen out of the way of a command that plays every hand of the shoe
// in the same shared state ("Classify All Hands", "Play All Hands Artificially"). While it
// lives, the state has no tree, so the batch sets up its hands as on a fresh start; when it
// ends, however the batch ends, the batch's last tree is freed and the hand on screen comes
// back as it was: its tree with the user's moves, the position shown, the move string and
// cursor, the first mover and the hand buffer, and the board is drawn again.
class HandOnScreen {
 public:
  explicit HandOnScreen(SharedState& state);
  ~HandOnScreen();
  HandOnScreen(const HandOnScreen&) = delete;
  HandOnScreen& operator=(const HandOnScreen&) = delete;

 private:
  SharedState& state_;
  Fhand* hand_;
  TreeNode* current_;
  TreeNode* root_;
  std::string firstMover_;
  std::string moveString_;
  int movePosition_;
  bruso::HandBuffer handBuffer_;
};

}  // namespace bruso
