#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bruso {

// One field of a row of a results table, typed: empty where it does not apply, a whole
// number (signed, or unsigned for seeds), a number or text. The command line writes the
// fields as CSV text, the Python module hands them over as values.
struct TableField {
  enum class Kind { Empty, Whole, Unsigned, Number, Text };

  TableField() = default;
  TableField(std::int64_t value) : kind(Kind::Whole), whole(value) {}
  TableField(std::uint64_t value) : kind(Kind::Unsigned), unsignedWhole(value) {}
  TableField(double value) : kind(Kind::Number), number(value) {}
  TableField(std::string value) : kind(Kind::Text), text(std::move(value)) {}

  Kind kind = Kind::Empty;
  std::int64_t whole = 0;
  std::uint64_t unsignedWhole = 0;
  double number = 0;
  std::string text;
};
using FieldRow = std::vector<TableField>;

// A flag as the tables hold it: 1 or 0.
inline TableField FlagField(bool value) { return std::int64_t{value ? 1 : 0}; }
// The number where it applies, an empty field otherwise.
inline TableField NumberIf(bool applies, double value) { return applies ? TableField(value) : TableField(); }

// The field as a CSV file holds it: nothing, the whole number, the number in the shortest
// text that reads back as the same double, or the text.
std::string FieldText(const TableField& field);
std::vector<std::string> FieldTexts(const FieldRow& row);
std::vector<std::vector<std::string>> RowTexts(const std::vector<FieldRow>& rows);

}  // namespace bruso
