#include "engine/text_lines.h"

namespace bruso {

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(Utf8ByteOrderMark)) text.remove_prefix(Utf8ByteOrderMark.size());
  return text;
}

bool LineCursor::Next(std::string_view& line) {
  if (start_ >= text_.size()) return false;
  std::size_t end = text_.find('\n', start_);
  const bool has_line_end = end != std::string_view::npos;
  if (!has_line_end) end = text_.size();
  line = text_.substr(start_, end - start_);
  if (has_line_end && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  start_ = has_line_end ? end + 1 : end;
  return true;
}

}  // namespace bruso
