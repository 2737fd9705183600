#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace bruso {

// A file a run reads or writes, with what names it ("the shoe", "--csv").
struct NamedFile {
  std::string name;
  std::filesystem::path path;
};

// The files of the output folder `out` that a run empties: Hands.txt, Amik.txt and
// Print.txt, and Automa.txt too for a run that writes it.
std::vector<NamedFile> EmptiedOutputFiles(const std::filesystem::path& out, bool with_results);

// Throws OptionValueError when an output names an input (writing it would destroy what the
// run reads) or two outputs name one file (their lines would be mixed). Standard output
// sent to a file counts as an output too. Called before anything is opened.
void RefuseOverlaps(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

// Throws the IoError of the first output that cannot be written (see CheckWritable).
// Called before the first output is emptied, so that a failure empties none.
void RefuseUnwritable(const std::vector<NamedFile>& outputs);

}  // namespace bruso
