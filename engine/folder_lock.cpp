#include "engine/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include "engine/io_error.h"
#include "engine/output_files.h"

namespace bruso {

FolderLock::FolderLock(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) throw IoError(MissingOutputFolderMessage, folder.string());
  const std::string path = (folder / FolderLockFileName).string();
  errno = 0;
  // Read-only is enough for the lock, and works on a lock file another user made.
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor_ < 0) throw IoError::FromErrno(path);
  // flock, not fcntl: its lock belongs to this open file, so that two locks taken in one
  // process exclude each other too, and closing another handle of the file keeps it.
  if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
    const int error_number = errno;
    ::close(std::exchange(descriptor_, -1));
    if (error_number == EWOULDBLOCK) throw IoError(FolderInUseMessage, folder.string());
    // A file system without locks: the run goes on unlocked, as it always could there.
  }
}

FolderLock::FolderLock(FolderLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

FolderLock::~FolderLock() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace bruso
