#include "session/file_overlap.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <system_error>

#include "engine/command_line.h"
#include "engine/output_files.h"
#include "engine/text_file.h"
#include "players/play_all_hands.h"

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

// Standard output sent to a file (`> table.csv`) is one more output; one sent to a terminal
// or a pipe names no file.
std::optional<struct stat> StandardOutputFile() {
  struct stat status {};
  if (::fstat(STDOUT_FILENO, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return status;
}

// The file is the one standard output writes to; both exist, so device and inode tell,
// whatever the path (a hard link, /dev/stdout).
bool IsFile(const struct stat& file, const std::filesystem::path& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && status.st_dev == file.st_dev && status.st_ino == file.st_ino;
}

void RefuseStandardOutputOverlaps(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
  const std::optional<struct stat> standard_output = StandardOutputFile();
  if (!standard_output) return;
  for (const NamedFile& input : inputs) {
    if (IsFile(*standard_output, input.path)) {
      throw OptionValueError("standard output would overwrite " + input.name + " " + input.path.string());
    }
  }
  for (const NamedFile& output : outputs) {
    if (IsFile(*standard_output, output.path)) {
      throw OptionValueError("standard output and " + output.name + " name the same file " + output.path.string());
    }
  }
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
  RefuseStandardOutputOverlaps(inputs, outputs);
}

void RefuseUnwritable(const std::vector<NamedFile>& outputs) {
  for (const NamedFile& output : outputs) CheckWritable(output.path.string());
}

}  // namespace bruso
