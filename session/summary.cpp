#include "session/summary.h"

#include <algorithm>
#include <cstdio>

namespace bruso {

std::string FormatShare(long long count, long long whole) {
  if (whole <= 0) return std::to_string(count);
  char text[64];
  std::snprintf(text, sizeof text, "%lld (%.1f%%)", count, 100.0 * count / whole);
  return text;
}

void Summary::AddCount(const std::string& label, long long count, long long whole) {
  Add(label, FormatShare(count, whole));
}

std::string Summary::Text() const {
  std::size_t width = 0;
  for (const auto& row : rows_) width = std::max(width, row.first.size());
  std::string text = title_ + "\n";
  for (const auto& [label, value] : rows_) {
    text += "  " + label + ":" + std::string(width - label.size() + 1, ' ') + value + "\n";
  }
  return text;
}

}  // namespace bruso
