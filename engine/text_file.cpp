#include "engine/text_file.h"

#include <cerrno>
#include <utility>

#include "engine/io_error.h"

namespace bruso {

TextFile::TextFile(TextFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), path_(std::move(other.path_)) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
  if (this != &other) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
  }
  return *this;
}

TextFile::~TextFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void TextFile::Open(const std::string& path, Mode mode) {
  if (file_ != nullptr) Close();
  path_ = path;
  errno = 0;
  file_ = std::fopen(path.c_str(), mode == Mode::Read ? "rb" : "wb");
  if (file_ == nullptr) throw IoError::FromErrno(path);
}

bool TextFile::TryOpenForReading(const std::string& path) {
  if (file_ != nullptr) Close();
  path_ = path;
  file_ = std::fopen(path.c_str(), "rb");
  return file_ != nullptr;
}

void TextFile::Write(std::string_view text) {
  if (file_ == nullptr) throw IoError("File not open", path_);
  errno = 0;
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
    throw IoError::FromErrno(path_);
  }
}

void TextFile::Flush() {
  if (file_ == nullptr) throw IoError("File not open", path_);
  errno = 0;
  if (std::fflush(file_) != 0) throw IoError::FromErrno(path_);
}

void TextFile::Close() {
  if (file_ == nullptr) return;
  errno = 0;
  int result = std::fclose(std::exchange(file_, nullptr));
  if (result != 0) throw IoError::FromErrno(path_);
}

std::string ReadWholeFile(const std::string& path) {
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw IoError::FromErrno(path);
  std::string text;
  char chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  const int error_number = errno;
  std::fclose(file);
  if (failed) throw IoError(IoError::MessageFor(error_number != 0 ? error_number : EIO), path);
  return text;
}

}  // namespace bruso
