#include "engine/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <utility>

#include "engine/io_error.h"

namespace bruso {

TextFile::TextFile(TextFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      path_(std::move(other.path_)),
      buffer_(std::move(other.buffer_)),
      owned_(other.owned_),
      eachLine_(other.eachLine_) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
  if (this != &other) {
    Release();
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
    buffer_ = std::move(other.buffer_);
    owned_ = other.owned_;
    eachLine_ = other.eachLine_;
  }
  return *this;
}

TextFile::~TextFile() { Release(); }

void TextFile::Release() noexcept {
  if (file_ == nullptr) return;
  try {
    Flush();
  } catch (const IoError&) {
    // Nobody is left to tell: a failure that matters was reported by an explicit Close.
  }
  if (owned_) std::fclose(file_);
  file_ = nullptr;
}

void TextFile::Open(const std::string& path, Mode mode) {
  if (file_ != nullptr) Close();
  path_ = path;
  owned_ = true;
  eachLine_ = false;
  buffer_.clear();
  errno = 0;
  const char* how = mode == Mode::Read ? "rb" : mode == Mode::Write ? "wb" : "ab";
  file_ = std::fopen(path.c_str(), how);
  if (file_ == nullptr) throw IoError::FromErrno(path);
  // The buffer here decides when bytes go to the system; the stream adds none of its own.
  if (mode != Mode::Read) std::setvbuf(file_, nullptr, _IONBF, 0);
}

bool TextFile::TryOpenForReading(const std::string& path) {
  if (file_ != nullptr) Close();
  path_ = path;
  owned_ = true;
  buffer_.clear();
  file_ = std::fopen(path.c_str(), "rb");
  return file_ != nullptr;
}

void TextFile::Attach(std::FILE* stream, const std::string& name) {
  if (file_ != nullptr) Close();
  file_ = stream;
  path_ = name;
  owned_ = false;
  buffer_.clear();
  std::fflush(stream);
  std::setvbuf(stream, nullptr, _IONBF, 0);
  eachLine_ = ::isatty(::fileno(stream)) != 0;
}

void TextFile::Write(std::string_view text) {
  if (file_ == nullptr) throw IoError("File not open", path_);
  buffer_ += text;
  if (eachLine_) {
    if (text.find('\n') != std::string_view::npos) HandOver(buffer_.rfind('\n') + 1);
  } else if (buffer_.size() >= BufferSize) {
    // A line longer than the whole buffer goes as it is.
    const std::size_t line_end = buffer_.rfind('\n');
    HandOver(line_end == std::string::npos ? buffer_.size() : line_end + 1);
  }
}

void TextFile::HandOver(std::size_t size) {
  errno = 0;
  const std::size_t written = size == 0 ? 0 : std::fwrite(buffer_.data(), 1, size, file_);
  // What failed is not tried again: the error is reported once, and a later flush or the
  // close goes on with the rest.
  buffer_.erase(0, size);
  if (written != size) throw IoError::FromErrno(path_);
}

void TextFile::Flush() {
  if (file_ == nullptr) throw IoError("File not open", path_);
  HandOver(buffer_.size());
  errno = 0;
  if (std::fflush(file_) != 0) throw IoError::FromErrno(path_);
}

void TextFile::Close() {
  if (file_ == nullptr) return;
  std::optional<IoError> failure;
  try {
    Flush();
  } catch (const IoError& error) {
    failure = error;
  }
  std::FILE* file = std::exchange(file_, nullptr);
  errno = 0;
  const int result = owned_ ? std::fclose(file) : 0;
  if (failure) throw *failure;
  if (result != 0) throw IoError::FromErrno(path_);
}

void CheckWritable(const std::string& path) {
  struct stat status {};
  // A pipe opened and closed for a check would tell its reader that the text has ended.
  if (::stat(path.c_str(), &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))) return;
  errno = 0;
  int descriptor = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0 && errno == ENOENT) {
    // A missing file: make it as the command would, and take it away again.
    descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor >= 0) ::unlink(path.c_str());
    if (descriptor < 0 && errno == EEXIST) return;  // a link to a missing file: the command's own open decides
  }
  if (descriptor < 0) throw IoError::FromErrno(path);
  ::close(descriptor);
}

namespace {

// Follows the lines of a text read in pieces and refuses a line longer than MaxLineBytes as
// soon as it is seen, so that an endless line never fills memory.
class LineLengthCheck {
 public:
  explicit LineLengthCheck(const std::string& path) : path_(path) {}

  void Take(std::string_view piece) {
    for (std::size_t end = piece.find('\n'); end != std::string_view::npos; end = piece.find('\n')) {
      // A CR right before the LF belongs to the line end.
      const bool carriage_return = end > 0 ? piece[end - 1] == '\r' : endsWithCarriageReturn_;
      Check(length_ + end - (carriage_return ? 1 : 0));
      ++line_;
      length_ = 0;
      piece.remove_prefix(end + 1);
    }
    length_ += piece.size();
    endsWithCarriageReturn_ = !piece.empty() && piece.back() == '\r';
    // The line goes on; a CR at its end may still belong to its line end.
    if (length_ > MaxLineBytes + 1) Check(length_);
  }
  // A last line without an LF keeps whatever it ends with.
  void End() const { Check(length_); }

 private:
  void Check(std::size_t length) const {
    if (length > MaxLineBytes) throw IoError("Line " + std::to_string(line_) + " is longer than 64 MB", path_);
  }

  const std::string& path_;
  long long line_ = 1;
  std::size_t length_ = 0;
  bool endsWithCarriageReturn_ = false;
};

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  errno = 0;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (file == nullptr) throw IoError::FromErrno(path);
  std::string text;
  // A regular file's size is known: its text goes into memory taken once.
  struct stat status {};
  if (::fstat(::fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)) {
    text.reserve(static_cast<std::size_t>(status.st_size));
  }
  LineLengthCheck lines(path);
  char chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    lines.Take(std::string_view(chunk, got));
    text.append(chunk, got);
  }
  if (std::ferror(file.get()) != 0) throw IoError(IoError::MessageFor(errno != 0 ? errno : EIO), path);
  lines.End();
  return text;
}

}  // namespace bruso
