#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace bruso {

// Reads a text as a whole number the way the system converts typed numbers: leading
// blanks, an optional sign, then decimal digits or hexadecimal digits after "$", "x",
// "X", "0x" or "0X", and nothing after them. Nothing (no value) when the text is not such
// a number or does not fit a signed 32-bit integer.
std::optional<std::int32_t> ParseWholeInteger(std::string_view text);

}  // namespace bruso
