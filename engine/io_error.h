#pragma once

#include <stdexcept>
#include <string>

namespace bruso {

// A file that could not be opened, read, written or closed. Carries the system's short
// message ("File not found", "File access denied", "Disk full", ...) and the file's path;
// what() gives both, ready for a message box or a line on standard error.
class IoError : public std::runtime_error {
 public:
  // `error_number`: the errno value of the failed operation, 0 when there was none.
  IoError(std::string message, std::string path, int error_number = 0);

  const std::string& message() const { return message_; }
  const std::string& path() const { return path_; }
  int errorNumber() const { return errorNumber_; }

  // The message for an errno value from a failed file operation.
  static std::string MessageFor(int error_number);
  // An IoError for the path from the current errno.
  static IoError FromErrno(const std::string& path);

 private:
  std::string message_;
  std::string path_;
  int errorNumber_ = 0;
};

}  // namespace bruso
