#include "engine/io_error.h"

#include <cerrno>
#include <cstring>

namespace bruso {

IoError::IoError(std::string message, std::string path, int error_number)
    : std::runtime_error(message + ": " + path),
      message_(std::move(message)),
      path_(std::move(path)),
      errorNumber_(error_number) {}

std::string IoError::MessageFor(int error_number) {
  switch (error_number) {
    case ENOENT: return "File not found";
    case ENOTDIR: return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS: return "File access denied";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    case EISDIR: return "Is a folder, not a file";
    default: return std::strerror(error_number);
  }
}

IoError IoError::FromErrno(const std::string& path) {
  const int error_number = errno != 0 ? errno : EIO;
  return IoError(MessageFor(error_number), path, error_number);
}

}  // namespace bruso
