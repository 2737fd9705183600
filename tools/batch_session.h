#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "engine/output_channel.h"
#include "session/shared_state.h"

namespace bruso {

// The output window of a headless run: its lines go to standard output.
class StdoutSink : public TextSink {
 public:
  void AppendLine(std::string_view line) override {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
};

// A shared state set up as the window sets it up, without a window: output files in
// `out` (created when missing), the output window on standard output, the generator
// seeded from `seed` or the clock. Prints the seed used on standard error.
class BatchSession {
 public:
  BatchSession(const std::filesystem::path& out, std::optional<std::uint64_t> seed);
  ~BatchSession();

  SharedState& state() { return state_; }
  std::uint64_t seed() const { return seed_; }
  // Closes the output files, reporting a failed close as IoError.
  void Finish();

 private:
  StdoutSink output_;
  SharedState state_;
  std::uint64_t seed_ = 0;
  bool finished_ = false;
};

}  // namespace bruso
