#pragma once

#include <filesystem>

namespace bruso {

inline constexpr const char* FolderLockFileName = ".bruso.lock";
inline constexpr const char* FolderInUseMessage = "Output folder in use by another run of Bruso";

// An advisory lock on an output folder, held while one run writes into it, so that a second
// run cannot empty or mix the files the first is writing. The lock belongs to an open lock
// file in the folder: the system lets it go when the holder ends, however it ends, so a
// crashed run leaves no stale lock. The lock file itself stays, empty.
class FolderLock {
 public:
  // Takes the lock of the folder. Throws IoError with FolderInUseMessage and the folder
  // when another run holds it, with MissingOutputFolderMessage when there is no such
  // folder, or with the lock file's error when it cannot be opened. On a file system that
  // has no locks it holds none.
  explicit FolderLock(const std::filesystem::path& folder);
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

 private:
  int descriptor_ = -1;
};

}  // namespace bruso
