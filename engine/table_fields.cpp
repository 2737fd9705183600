#include "engine/table_fields.h"

#include "engine/exact_number.h"

namespace bruso {

std::string FieldText(const TableField& field) {
  switch (field.kind) {
    case TableField::Kind::Whole: return std::to_string(field.whole);
    case TableField::Kind::Unsigned: return std::to_string(field.unsignedWhole);
    case TableField::Kind::Number: return ExactNumber(field.number);
    case TableField::Kind::Text: return field.text;
    case TableField::Kind::Empty: break;
  }
  return {};
}

std::vector<std::string> FieldTexts(const FieldRow& row) {
  std::vector<std::string> texts;
  texts.reserve(row.size());
  for (const TableField& field : row) texts.push_back(FieldText(field));
  return texts;
}

std::vector<std::vector<std::string>> RowTexts(const std::vector<FieldRow>& rows) {
  std::vector<std::vector<std::string>> texts;
  texts.reserve(rows.size());
  for (const FieldRow& row : rows) texts.push_back(FieldTexts(row));
  return texts;
}

}  // namespace bruso
