#include "python/table_values.h"

#include <cmath>

#include <pybind11/stl.h>

namespace py = pybind11;

namespace bruso {

py::object PythonValue(const TableField& field) {
  // No number and no text are empty fields in the command line's tables too.
  switch (field.kind) {
    case TableField::Kind::Whole: return py::int_(field.whole);
    case TableField::Kind::Unsigned: return py::int_(field.unsignedWhole);
    case TableField::Kind::Number: return std::isnan(field.number) ? py::object(py::none()) : py::float_(field.number);
    case TableField::Kind::Text: return field.text.empty() ? py::object(py::none()) : py::str(field.text);
    case TableField::Kind::Empty: break;
  }
  return py::none();
}

py::list RowValues(const std::vector<FieldRow>& rows) {
  py::list values;
  for (const FieldRow& row : rows) {
    py::list fields;
    for (const TableField& field : row) fields.append(PythonValue(field));
    values.append(std::move(fields));
  }
  return values;
}

py::tuple TableValues(const std::vector<std::string>& columns, const std::vector<FieldRow>& rows) {
  return py::make_tuple(columns, RowValues(rows));
}

}  // namespace bruso
