#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/shared_state.h"
#include "session/shoe_commands.h"
#include "support/recorders.h"

namespace bruso::testing {

// A shared state started as the main window starts it, in a fresh start directory, with
// recorders for the six images, the two memos and the message boxes.
struct Session {
  Session() {
    std::filesystem::create_directory(folder.path() / OutputFolderName);
    StartUp(state, {.startDirectory = folder.path(), .cardImages = &images, .outputWindow = &output, .seed = 1});
    state.io.SetMemo(&memo);
    state.messages = &messages;
  }

  // "Open Shoe" on a file holding `text`, as the window runs it when the user picks a file.
  void OpenShoe(std::string_view text, const std::string& name = "shoe.txt") {
    const auto path = folder.path() / name;
    WriteFile(path, text);
    ClearForOpenShoe(state);
    PerformFileOpen(state, path.string());
  }

  // The codes the six images show, in board order C, CK, UP, T, N, NK.
  std::string Pictures() const {
    std::string codes;
    for (const std::string& code : images.shown) codes += code;
    return codes;
  }

  TempFolder folder;
  RecordingCardImages images;
  RecordingSink memo;
  RecordingSink output;
  RecordingMessages messages;
  SharedState state;
};

// The aqua frames in board order C, CK, UP, T, N, NK, as "x" for marked and "." for rest.
inline std::string Frames(const WindowState& view) {
  std::string marks;
  for (bool marked : view.frameMarked) marks += marked ? 'x' : '.';
  return marks;
}

}  // namespace bruso::testing
