#include "support/started_session.h"

#include "shoe/shoe_file.h"
#include "shoe/start_hand.h"

namespace bruso::testing {

StartedSession::StartedSession(std::uint64_t seed) {
  std::filesystem::create_directory(OutputFolder());
  StartUp(state, {.startDirectory = folder.path(), .cardImages = &images, .outputWindow = &output, .seed = seed});
  state.io.SetMemo(&memo);
  state.messages = &messages;
}

void StartedSession::OpenShoe(std::string_view text) {
  state.HandList = ReadShoe(text).hands;
  state.CurrentHand = &state.HandList.front();
  state.FirstMover = FirstMoverOf(*state.CurrentHand);
  state.view.firstMoveCaption = state.CurrentHand->FirstRole + " first move";
  StartHand(state, *state.CurrentHand);
}

}  // namespace bruso::testing
