#pragma once

#include <string>

namespace bruso {

// A number for a table in a file: the shortest text that reads back as the same number.
std::string TableNumber(double value);
// A number for a table on screen: up to six significant digits.
std::string ScreenNumber(double value);

}  // namespace bruso
