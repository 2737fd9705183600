#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/exact_number.h"
#include "engine/text_file.h"

namespace bruso {

// One row of a comma-separated table, as spreadsheets and data-frame libraries read it
// (RFC 4180, without the line end): a field that holds a comma, a double quote, a line
// end or a blank at either end goes in double quotes, with its own quotes doubled.
std::string CsvRow(const std::vector<std::string>& fields);

std::string CsvField(std::string_view text);

// The fields of one row as CsvRow writes it (a row without its line end); false for a
// quoted field left open or followed by more than a comma.
bool ReadCsvRow(std::string_view row, std::vector<std::string>& fields);

// Opens a table for writing and writes its header row at once, so that a file that cannot
// be written (a full disk) shows before the run touches anything else. Throws IoError.
TextFile OpenTable(const std::string& path, const std::vector<std::string>& header);

}  // namespace bruso
