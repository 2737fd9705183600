#include "python/scratch_session.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "engine/io_error.h"

namespace bruso {

ScratchFolder::ScratchFolder() {
  std::string name = (std::filesystem::temp_directory_path() / "bruso-XXXXXX").string();
  if (mkdtemp(name.data()) == nullptr) throw IoError::FromErrno(name);
  path_ = name;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;  // a folder left behind in the temporary folder harms no one
  std::filesystem::remove_all(path_, ignored);
}

ScratchSession::ScratchSession(std::uint64_t seed, TextSink& output_window) {
  StartUp(state_, {.startDirectory = folder_.path(), .outputFolder = folder_.path(), .outputWindow = &output_window,
                   .seed = seed});
}

ScratchSession::~ScratchSession() {
  try {
    Finish();
  } catch (const IoError&) {
    // Closing twice or failing at the end of a call that failed already: nothing to add.
  }
}

}  // namespace bruso
