#include "python/scratch_table.h"

#include "tools/csv_row.h"

namespace bruso {

ScratchTable::ScratchTable(const std::vector<std::string>& header)
    : file_(OpenTable((folder_.path() / "table.csv").string(), header)) {}

std::string ScratchTable::Text() {
  file_.Close();
  return ReadWholeFile((folder_.path() / "table.csv").string());
}

}  // namespace bruso
