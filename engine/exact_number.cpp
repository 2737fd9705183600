#include "engine/exact_number.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace bruso {

std::string ExactNumber(double value) {
  if (std::isnan(value)) return "";  // no number: an empty field, as data-frame readers take it
  char text[32];  // the longest shortest form, "-2.2250738585072014e-308", fits
  const std::to_chars_result written = std::to_chars(std::begin(text), std::end(text), value);
  return std::string(text, written.ptr);
}

}  // namespace bruso
