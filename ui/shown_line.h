#pragma once

#include <string_view>

#include <QString>

#include "ui/text_conversion.h"

namespace bruso {

// A text box shows a line up to this many characters, then a marker that it goes on:
// laying out a line of millions of characters would freeze the window. The boxes keep the
// line whole for whoever reads or saves it.
inline constexpr qsizetype ShownLineLength = 2000;
inline constexpr const char* GoesOnMarker = " \xE2\x80\xA6";  // " ..." as one character, in UTF-8

inline bool IsShortened(qsizetype length) { return length > ShownLineLength; }

inline QString ShownLine(const QString& line) {
  if (!IsShortened(line.size())) return line;
  return line.left(ShownLineLength) + QString::fromUtf8(GoesOnMarker);
}

inline QString ShownLine(std::string_view line) {
  if (!IsShortened(static_cast<qsizetype>(line.size()))) return ToQString(line);
  return ToQString(line.substr(0, ShownLineLength)) + QString::fromUtf8(GoesOnMarker);
}

}  // namespace bruso
