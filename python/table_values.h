#pragma once

#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "engine/table_fields.h"

namespace bruso {

// A field as a Python value: None where it does not apply (or no number, or no text), an
// int, a float or a str.
pybind11::object PythonValue(const TableField& field);

// The rows as lists of Python values, for bruso/__init__.py to turn into records.
pybind11::list RowValues(const std::vector<FieldRow>& rows);

// (columns, rows): a table as the package's functions receive it.
pybind11::tuple TableValues(const std::vector<std::string>& columns, const std::vector<FieldRow>& rows);

}  // namespace bruso
