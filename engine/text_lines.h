#pragma once

#include <cstddef>
#include <string_view>

namespace bruso {

// The text without the UTF-8 byte order mark that editors saving UTF-8 may put first: it
// would become part of the first line.
std::string_view WithoutByteOrderMark(std::string_view text);

// Walks the lines of a text read as bytes. A line ends at LF, and a CR right before the LF
// belongs to the line end (files written on other systems end their lines with CR LF). A
// last line without an LF keeps whatever it ends with.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  // The next line without its line end; false when the text is used up.
  bool Next(std::string_view& line);

 private:
  std::string_view text_;
  std::size_t start_ = 0;
};

}  // namespace bruso
