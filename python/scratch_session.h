#pragma once

#include <cstdint>
#include <filesystem>

#include "engine/output_channel.h"
#include "session/shared_state.h"

namespace bruso {

// A folder of its own below the system's temporary folder, removed with everything in it
// when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A shared state set up as bruso-batch sets it up, for one call from Python: the output
// files in a scratch folder (a notebook wants results, not files), the output window sent
// to `output_window`, the generator seeded from `seed`.
class ScratchSession {
 public:
  ScratchSession(std::uint64_t seed, TextSink& output_window);
  ~ScratchSession();

  SharedState& state() { return state_; }
  const std::filesystem::path& folder() const { return folder_.path(); }
  // Closes the output files; throws IoError for the first that fails.
  void Finish() { state_.iodef.CloseFiles(state_.outputFiles); }

 private:
  ScratchFolder folder_;  // outlives the state, whose files are in it
  SharedState state_;
};

}  // namespace bruso
