#include "tools/file_overlap.h"

#include <system_error>

#include "engine/output_files.h"
#include "players/play_all_hands.h"
#include "tools/command_line.h"

namespace bruso {

namespace {

// Links and other spellings of a path lead to the same file too.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  const std::filesystem::path first = std::filesystem::weakly_canonical(std::filesystem::absolute(a), error);
  const std::filesystem::path second = std::filesystem::weakly_canonical(std::filesystem::absolute(b), error);
  return !error && first == second;
}

}  // namespace

std::vector<NamedFile> EmptiedOutputFiles(const std::filesystem::path& out, bool with_results) {
  std::vector<NamedFile> files;
  for (OutputFileId id : {OutputFileId::Hands, OutputFileId::Amik, OutputFileId::Print}) {
    const char* name = OutputFileNames[static_cast<int>(id)];
    files.push_back({std::string(name) + " of the output folder", out / name});
  }
  if (with_results) files.push_back({std::string(ResultsFileName) + " of the output folder", out / ResultsFileName});
  return files;
}

void RefuseOverlaps(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const NamedFile& output = outputs[i];
    for (const NamedFile& input : inputs) {
      if (SameFile(output.path, input.path)) {
        throw OptionValueError(output.name + " would overwrite " + input.name + " " + input.path.string());
      }
    }
    for (std::size_t j = i + 1; j < outputs.size(); ++j) {
      if (SameFile(output.path, outputs[j].path)) {
        throw OptionValueError(output.name + " and " + outputs[j].name + " name the same file " +
                               output.path.string());
      }
    }
  }
}

}  // namespace bruso
