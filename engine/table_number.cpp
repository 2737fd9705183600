#include "engine/table_number.h"

#include <cstdio>

#include "engine/exact_number.h"

namespace bruso {

std::string TableNumber(double value) { return ExactNumber(value); }

std::string ScreenNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

}  // namespace bruso
