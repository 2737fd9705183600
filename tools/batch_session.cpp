#include "tools/batch_session.h"

#include <optional>
#include <system_error>

#include "engine/io_error.h"
#include "engine/random.h"

namespace bruso {

FolderLock LockOutputFolder(const std::filesystem::path& out) {
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) throw IoError(error.message(), out.string());
  return FolderLock(out);
}

BatchSession::BatchSession(const std::filesystem::path& out, std::optional<std::uint64_t> seed)
    : seed_(seed.value_or(Random::ClockSeed())) {
  std::fprintf(stderr, "seed: %llu\n", static_cast<unsigned long long>(seed_));
  StartUp(state_, {.startDirectory = std::filesystem::current_path(), .outputFolder = out,
                   .outputWindow = &output_, .seed = seed_});
}

BatchSession::~BatchSession() {
  if (!finished_) {
    try {
      Finish();
    } catch (const IoError&) {
      // Already failing: the first error is the one reported.
    }
  }
}

void BatchSession::Finish() {
  finished_ = true;
  std::optional<IoError> failure;
  try {
    output_.Flush();
  } catch (const IoError& error) {
    failure = error;
  }
  state_.iodef.CloseFiles(state_.outputFiles);
  if (failure) throw *failure;
}

}  // namespace bruso
