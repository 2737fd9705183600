#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace bruso {

// One open text file, written with LF line ends. Every failed operation throws IoError
// naming the file. Closing is explicit so that a failure can be reported; a file still
// open when destroyed is closed quietly.
class TextFile {
 public:
  enum class Mode { Read, Write };

  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  TextFile(TextFile&& other) noexcept;
  TextFile& operator=(TextFile&& other) noexcept;
  ~TextFile();

  // Opens the file; Write creates it or empties an existing one.
  void Open(const std::string& path, Mode mode);
  // Tries to open for reading; false when that fails (the file is missing, say).
  bool TryOpenForReading(const std::string& path);

  void Write(std::string_view text);
  void WriteLine(std::string_view text) { Write(text); Write("\n"); }
  void Flush();
  void Close();

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
};

// The whole content of a file, as bytes; throws IoError naming the file when it cannot be
// opened or read (a folder cannot be read either).
std::string ReadWholeFile(const std::string& path);

}  // namespace bruso
