#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace bruso {

// A rule and a situation share one layout of 18 fields. Field 1 is the action in a rule
// and "#" in a situation; fields 2 to 18 are the conditions: the own card, UP and T of the
// current board, then for each of the last four moves its letter and the cards of the
// board it was played from (the own card on every second one).
inline constexpr int RuleFieldCount = 18;
inline constexpr std::array<int, RuleFieldCount> RuleFieldWidths = {1, 2, 2, 2, 1, 2, 2, 1, 2,
                                                                    2, 2, 1, 2, 2, 1, 2, 2, 2};
inline constexpr int ActionField = 1;
inline constexpr int MaxRules = 150;

// The width of a field, counted from 1 as the system counts fields.
constexpr int FieldWidth(int field) { return RuleFieldWidths[field - 1]; }

// The value of one field: a string of at most two bytes, compared as a whole (length and
// bytes). Packed into one integer so that matching compares a field in one step.
class FieldValue {
 public:
  constexpr FieldValue() = default;  // the empty string
  // The first two bytes of the text at most.
  static constexpr FieldValue Of(std::string_view text) {
    FieldValue value;
    const std::size_t size = text.size() < 2 ? text.size() : 2;
    std::uint32_t code = static_cast<std::uint32_t>(size) << 16;
    if (size > 0) code |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 8;
    if (size > 1) code |= static_cast<unsigned char>(text[1]);
    value.code_ = code;
    return value;
  }

  constexpr std::size_t size() const { return code_ >> 16; }
  std::string Text() const;
  // The first byte, '\0' for the empty string.
  constexpr char First() const { return size() > 0 ? static_cast<char>((code_ >> 8) & 0xFF) : '\0'; }
  constexpr bool operator==(const FieldValue&) const = default;

 private:
  std::uint32_t code_ = 0;
};

// The wildcard of a field: "#" in a field one wide, "##" in a field two wide.
inline constexpr FieldValue WildcardOf(int field) {
  return FieldValue::Of(FieldWidth(field) == 1 ? "#" : "##");
}

// What every field of a row that no rule occupies holds after a load.
inline constexpr FieldValue FreeRowMarker = FieldValue::Of("? ");

// The 18 fields of one rule or one situation; field f is entry f - 1.
using RuleRow = std::array<FieldValue, RuleFieldCount>;

class RuleIndex;

// The rules of one role: 150 rows of 18 fields (all empty at start), 18 weights (weight f
// belongs to field f; the action's weight is never used) and the number of rows in use.
struct RuleSet {
  std::array<RuleRow, MaxRules> RuleTable{};  // rule r is entry r - 1
  std::array<std::int32_t, RuleFieldCount> RuleWeights{};  // weight f is entry f - 1
  std::int32_t RuleCount = 0;
  // The index that matching builds from the three above when it first needs it. Whatever
  // writes the rules drops it: the writing accessors below and the rules reader do.
  mutable std::shared_ptr<const RuleIndex> Index;

  FieldValue& Field(int rule, int field) {
    Index.reset();
    return RuleTable[rule - 1][field - 1];
  }
  const FieldValue& Field(int rule, int field) const { return RuleTable[rule - 1][field - 1]; }
  std::int32_t& Weight(int field) {
    Index.reset();
    return RuleWeights[field - 1];
  }
  std::int32_t Weight(int field) const { return RuleWeights[field - 1]; }
};

}  // namespace bruso
