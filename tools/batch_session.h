#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "engine/folder_lock.h"
#include "session/shared_state.h"
#include "tools/standard_output.h"

namespace bruso {

// Creates the output folder when missing and takes its lock, which the run holds until it
// ends; throws IoError when another run holds it. Taken after the inputs are read and
// before any output is checked or opened, so that a refused run empties nothing.
FolderLock LockOutputFolder(const std::filesystem::path& out);

// A shared state set up as the window sets it up, without a window: output files in
// `out` (made and locked by LockOutputFolder), the output window on standard output, the
// generator seeded from `seed` or the clock. Prints the seed used on standard error.
class BatchSession {
 public:
  BatchSession(const std::filesystem::path& out, std::optional<std::uint64_t> seed);
  ~BatchSession();

  SharedState& state() { return state_; }
  std::uint64_t seed() const { return seed_; }
  // Hands standard output's last lines over and closes the output files; throws IoError
  // for the first that fails, after trying the others.
  void Finish();

 private:
  StdoutSink output_;
  SharedState state_;
  std::uint64_t seed_ = 0;
  bool finished_ = false;
};

}  // namespace bruso
