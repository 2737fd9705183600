#include "session/hand_on_screen.h"

namespace bruso {

HandOnScreen::HandOnScreen(SharedState& state)
    : state_(state),
      hand_(state.CurrentHand),
      current_(state.CurrentNode),
      root_(state.RootNode),
      firstMover_(state.FirstMover),
      moveString_(state.MoveString),
      movePosition_(state.MovePosition),
      handBuffer_(state.HandBuffer) {
  state.CurrentNode = nullptr;
  state.RootNode = nullptr;
}

HandOnScreen::~HandOnScreen() {
  // The batch's last tree goes without a " Top " line: nobody looks at it.
  state_.tree.SetIO(nullptr);
  state_.tree.DeleteTree(state_.CurrentNode, state_.RootNode);
  state_.tree.SetIO(&state_.io);

  state_.CurrentHand = hand_;
  state_.CurrentNode = current_;
  state_.RootNode = root_;
  state_.FirstMover = firstMover_;
  state_.MoveString = moveString_;
  state_.MovePosition = movePosition_;
  state_.HandBuffer = handBuffer_;
  if (state_.CurrentNode != nullptr) state_.display.ShowBoard(state_.CurrentNode->board);
}

}  // namespace bruso
