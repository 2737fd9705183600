#include "engine/csv_row.h"

#include <charconv>
#include <cmath>

namespace bruso {

std::string CsvField(std::string_view text) {
  const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                      (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quoted) return std::string(text);
  std::string field = "\"";
  for (char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields) {
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) row += ',';
    row += CsvField(fields[i]);
  }
  return row;
}

TextFile OpenTable(const std::string& path, const std::vector<std::string>& header) {
  TextFile table;
  table.Open(path, TextFile::Mode::Write);
  table.WriteLine(CsvRow(header));
  table.Flush();
  return table;
}

}  // namespace bruso
