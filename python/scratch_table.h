#pragma once

#include <string>
#include <vector>

#include "engine/text_file.h"
#include "python/scratch_session.h"

namespace bruso {

// A table that bruso-batch writes to a CSV file, written by the same writer to a file of
// its own in a scratch folder, and read back whole for Python to turn into records.
class ScratchTable {
 public:
  explicit ScratchTable(const std::vector<std::string>& header);

  TextFile& file() { return file_; }
  // Everything written, header row first; closes the file.
  std::string Text();

 private:
  ScratchFolder folder_;  // outlives the file in it
  TextFile file_;
};

}  // namespace bruso
