#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// What the tests of bruso-batch share: running the program (whose path the target gives as
// BRUSO_BATCH) and comparing its standard output with recorded lines.

namespace bruso::testing {

inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Runs a shell script in the folder, with the path of bruso-batch in $BATCH; returns the
// script's exit status.
inline int RunScript(const std::filesystem::path& folder, const std::string& script) {
  const std::string command = "cd '" + folder.string() + "' || exit 1; BATCH='" BRUSO_BATCH "'; " + script;
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs bruso-batch in the folder with its standard output and error in stdout.txt and
// stderr.txt there (or where `redirections` send them); returns its exit status.
inline int RunTool(const std::filesystem::path& folder, const std::string& arguments,
                   const std::string& redirections = "> stdout.txt 2> stderr.txt") {
  return RunScript(folder, "\"$BATCH\" " + arguments + " " + redirections);
}

}  // namespace bruso::testing
