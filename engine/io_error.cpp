#include "engine/io_error.h"

#include <cerrno>
#include <cstring>

namespace bruso {

IoError::IoError(std::string message, std::string path)
    : std::runtime_error(message + ": " + path), message_(std::move(message)), path_(std::move(path)) {}

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
  int error_number = errno;
  return IoError(MessageFor(error_number != 0 ? error_number : EIO), path);
}

}  // namespace bruso
