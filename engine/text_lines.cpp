#include "engine/text_lines.h"

namespace bruso {

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
