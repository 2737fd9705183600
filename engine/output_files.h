#pragma once

#include <array>
#include <cassert>
#include <filesystem>
#include <string>

#include "engine/output_channel.h"
#include "engine/text_file.h"

namespace bruso {

inline constexpr const char* OutputFolderName = "outputFile";
inline constexpr int OutputFileCount = 6;
// Where the text of a file that nobody keeps goes.
inline constexpr const char* NullDevice = "/dev/null";
inline constexpr const char* MissingOutputFolderMessage = "Output folder not found";

// The six output files, in the order they are opened.
enum class OutputFileId { Sperim = 0, Hands = 1, Commands = 2, Amik = 3, Boards = 4, Print = 5 };

inline constexpr std::array<const char*, OutputFileCount> OutputFileNames = {
    "Sperim.txt", "Hands.txt", "Commands.txt", "Amik.txt", "Boards.txt", "Print.txt"};

// The six files of the output folder with their full paths, open from start-up to quit.
struct OutputFiles {
  std::array<std::string, OutputFileCount> paths;
  std::array<TextFile, OutputFileCount> handles;

  TextFile& operator[](OutputFileId id) { return handles[static_cast<int>(id)]; }
  const std::string& Path(OutputFileId id) const { return paths[static_cast<int>(id)]; }
  TextFile& Amik() { return (*this)[OutputFileId::Amik]; }
};

// The ten probabilities of the analysis's card rules, numbered 1 to 10.
struct ProbTable {
  std::array<double, 10> entries{};
  double& operator[](int k) { assert(k >= 1 && k <= 10); return entries[k - 1]; }
  double operator[](int k) const { assert(k >= 1 && k <= 10); return entries[k - 1]; }
};

// The output file set and the fixed parameters of the analysis.
class Iodef {
 public:
  void SetIO(TIO* channel) { channel_ = channel; }

  // Builds the six paths in the folder and opens the files: Sperim.txt, Commands.txt and
  // Boards.txt for reading (created empty when missing, an existing one keeps its text),
  // Hands.txt, Amik.txt and Print.txt for writing from an empty file, once each of the three
  // is known to be writable. Throws IoError, with MissingOutputFolderMessage and the
  // folder's path when there is no such folder.
  void OpenFiles(const std::filesystem::path& folder, OutputFiles& files);

  // Opens the six files on the null device, for a caller that keeps none of them (the
  // Python module): the commands write them as ever and the text goes nowhere.
  void OpenDiscarding(OutputFiles& files);

  // Hands what the written files hold to the system, so that they are complete on disk
  // while they stay open (at the end of every command). Throws IoError.
  void FlushFiles(OutputFiles& files);

  // Closes the six files in the order Boards, Sperim, Hands, Commands, Amik, Print.
  // Throws IoError for the first close that fails, after trying the others.
  void CloseFiles(OutputFiles& files);

  void DefaultParameters(ProbTable& table);
  void DefaultModes(char& analysis_mode);

  // Appends the character to the PendingLine (the suit letter 'H' of a Target history).
  void WriteMarked(char c);

 private:
  TIO* channel_ = nullptr;
};

}  // namespace bruso
