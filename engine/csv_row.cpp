#include "engine/csv_row.h"

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

bool ReadCsvRow(std::string_view row, std::vector<std::string>& fields) {
  fields.assign(1, "");
  std::size_t i = 0;
  while (i < row.size()) {
    if (row[i] == ',') {
      fields.emplace_back();
      ++i;
    } else if (row[i] == '"' && fields.back().empty()) {
      for (++i;; ++i) {  // a doubled quote inside stands for one
        if (i >= row.size()) return false;
        if (row[i] == '"' && (i + 1 >= row.size() || row[i + 1] != '"')) break;
        if (row[i] == '"') ++i;
        fields.back() += row[i];
      }
      if (++i < row.size() && row[i] != ',') return false;
    } else {
      fields.back() += row[i++];
    }
  }
  return true;
}

TextFile OpenTable(const std::string& path, const std::vector<std::string>& header) {
  TextFile table;
  table.Open(path, TextFile::Mode::Write);
  table.WriteLine(CsvRow(header));
  table.Flush();
  return table;
}

}  // namespace bruso
