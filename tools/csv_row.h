#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bruso {

// One row of a comma-separated table, as spreadsheets and data-frame libraries read it
// (RFC 4180, without the line end): a field that holds a comma, a double quote, a line
// end or a blank at either end goes in double quotes, with its own quotes doubled.
std::string CsvRow(const std::vector<std::string>& fields);

std::string CsvField(std::string_view text);

}  // namespace bruso
