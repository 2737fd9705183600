#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "session/shared_state.h"
#include "support/recorders.h"

namespace bruso::testing {

// A shared state started as the window starts it, in a fresh temporary folder with its
// output folder, with recorders for the two memos, the card images and the message boxes.
class StartedSession {
 public:
  explicit StartedSession(std::uint64_t seed = 1);

  // Reads the shoe into HandList and sets its first hand up the way opening a shoe does.
  void OpenShoe(std::string_view text);
  std::filesystem::path OutputFolder() const { return folder.path() / "outputFile"; }
  // Closes the output files, so that what they hold can be read.
  void CloseFiles() { state.iodef.CloseFiles(state.outputFiles); }

  TempFolder folder;
  RecordingSink memo;
  RecordingSink output;
  RecordingCardImages images;
  RecordingMessages messages;
  SharedState state;
};

}  // namespace bruso::testing
