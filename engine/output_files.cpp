#include "engine/output_files.h"

#include <optional>
#include <system_error>

#include "engine/io_error.h"

namespace bruso {

namespace {

// A file that is never written: open it for reading, or create it empty when it is missing.
void OpenKeptFile(TextFile& file, const std::string& path) {
  if (file.TryOpenForReading(path)) return;
  file.Open(path, TextFile::Mode::Write);
}

// The files read as they are, and those written from empty.
constexpr OutputFileId KeptFiles[] = {OutputFileId::Sperim, OutputFileId::Commands, OutputFileId::Boards};
constexpr OutputFileId EmptiedFiles[] = {OutputFileId::Hands, OutputFileId::Amik, OutputFileId::Print};

}  // namespace

void Iodef::OpenFiles(const std::filesystem::path& folder, OutputFiles& files) {
  // Without the folder every file would fail; the folder is what the user has to create.
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) throw IoError(MissingOutputFolderMessage, folder.string());
  for (int i = 0; i < OutputFileCount; ++i) files.paths[i] = (folder / OutputFileNames[i]).string();
  // One that cannot be written is found before the others are emptied.
  for (OutputFileId id : EmptiedFiles) CheckWritable(files.Path(id));
  for (OutputFileId id : KeptFiles) OpenKeptFile(files[id], files.Path(id));
  for (OutputFileId id : EmptiedFiles) files[id].Open(files.Path(id), TextFile::Mode::Write);
}

void Iodef::OpenDiscarding(OutputFiles& files) {
  files.paths.fill(NullDevice);
  for (OutputFileId id : KeptFiles) files[id].Open(NullDevice, TextFile::Mode::Read);
  for (OutputFileId id : EmptiedFiles) files[id].Open(NullDevice, TextFile::Mode::Write);
}

void Iodef::CloseFiles(OutputFiles& files) {
  std::optional<IoError> first_failure;
  for (OutputFileId id : {OutputFileId::Boards, OutputFileId::Sperim, OutputFileId::Hands,
                          OutputFileId::Commands, OutputFileId::Amik, OutputFileId::Print}) {
    try {
      files[id].Close();
    } catch (const IoError& error) {
      if (!first_failure) first_failure = error;
    }
  }
  if (first_failure) throw *first_failure;
}

void Iodef::FlushFiles(OutputFiles& files) {
  for (OutputFileId id : {OutputFileId::Hands, OutputFileId::Amik, OutputFileId::Print}) {
    if (files[id].IsOpen()) files[id].Flush();
  }
}

void Iodef::DefaultParameters(ProbTable& table) { table.entries.fill(0.5); }

void Iodef::DefaultModes(char& analysis_mode) { analysis_mode = 'B'; }

void Iodef::WriteMarked(char c) {
  if (channel_ != nullptr) channel_->AddText(std::string_view(&c, 1));
}

}  // namespace bruso
