#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace bruso {

// One open text file, written with LF line ends. Every failed operation throws IoError
// naming the file. Closing is explicit so that a failure can be reported; a file still
// open when destroyed is flushed and closed quietly.
//
// Written text is collected and handed to the system in large pieces that end on a line
// end, so that a program stopped at any moment leaves whole lines on disk; Flush and Close
// hand over the rest.
class TextFile {
 public:
  enum class Mode { Read, Write, Append };

  // How much written text is collected before whole lines of it go to the system.
  static constexpr std::size_t BufferSize = 64 * 1024;

  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  TextFile(TextFile&& other) noexcept;
  TextFile& operator=(TextFile&& other) noexcept;
  ~TextFile();

  // Opens the file; Write creates it or empties an existing one, Append creates it or
  // writes after what it holds.
  void Open(const std::string& path, Mode mode);
  // Tries to open for reading; false when that fails (the file is missing, say).
  bool TryOpenForReading(const std::string& path);
  // Writes to a stream the program did not open (standard output), under the given name;
  // Close flushes it and leaves it open. On a terminal every line is shown as it ends.
  void Attach(std::FILE* stream, const std::string& name);

  void Write(std::string_view text);
  void WriteLine(std::string_view text) { Write(text); Write("\n"); }
  void Flush();
  void Close();

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }

 private:
  // Hands the first `size` bytes of the buffer to the system.
  void HandOver(std::size_t size);
  void Release() noexcept;

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string buffer_;
  bool owned_ = true;
  bool eachLine_ = false;
};

// Throws the IoError that opening the file for writing would throw (a folder in its place,
// a file on its path, no permission), without emptying the file or leaving one behind, so
// that a command can check every file it writes before it empties the first.
void CheckWritable(const std::string& path);

// The longest line that a text file read as a whole may hold, without its line end: a
// longer one (an endless input such as /dev/zero, say) is refused before it fills memory.
inline constexpr std::size_t MaxLineBytes = std::size_t{64} * 1024 * 1024;

// The whole content of a file, as bytes; throws IoError naming the file when it cannot be
// opened or read (a folder cannot be read either), or with "Line N is longer than 64 MB"
// for a line longer than MaxLineBytes.
std::string ReadWholeFile(const std::string& path);

}  // namespace bruso
