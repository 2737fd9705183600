#include "players/rule_set.h"

namespace bruso {

std::string FieldValue::Text() const {
  const char bytes[2] = {static_cast<char>((code_ >> 8) & 0xFF), static_cast<char>(code_ & 0xFF)};
  return std::string(bytes, size());
}

}  // namespace bruso
