#include <cstdio>
#include <filesystem>
#include <optional>

#include "engine/output_files.h"
#include "engine/text_file.h"
#include "session/classify_commands.h"
#include "tools/batch_commands.h"
#include "tools/batch_session.h"
#include "tools/command_line.h"

namespace bruso {

namespace {

// The main window's memo of a headless run: its lines go to a file.
class FileSink : public TextSink {
 public:
  explicit FileSink(const std::string& path) { file_.Open(path, TextFile::Mode::Write); }
  void AppendLine(std::string_view line) override { file_.WriteLine(line); }
  void Close() { file_.Close(); }

 private:
  TextFile file_;
};

}  // namespace

// classify SHOE [--out DIR] [--seed N] [--memo FILE]: "Classify All Hands" on the shoe.
// Amik.txt goes to DIR (default: outputFile in the working directory), the output window
// to standard output, and the memo to FILE when given.
int RunClassify(const std::vector<std::string>& words) {
  const CommandLine line(words, {"--out", "--seed", "--memo"}, {});
  if (line.positional().size() != 1) throw UsageError("classify takes exactly one shoe file");
  const std::string& shoe_path = line.positional()[0];
  Shoe shoe = ReadShoeFile(shoe_path);
  if (shoe.hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  const std::optional<std::uint64_t> seed = line.Number("--seed");
  std::optional<FileSink> memo;
  if (std::optional<std::string> memo_path = line.Value("--memo")) memo.emplace(*memo_path);

  BatchSession session(line.Value("--out").value_or((std::filesystem::current_path() / OutputFolderName).string()),
                       seed);
  SharedState& state = session.state();
  // Standard output carries the output window's lines; the "looks for" trace stays in the
  // memo, where the replay text holds it anyway.
  state.score.SetTraceStream(nullptr);
  if (memo) state.io.SetMemo(&*memo);
  state.HandList = std::move(shoe.hands);
  automatic1Click(state);
  state.io.SetMemo(nullptr);
  session.Finish();
  if (memo) memo->Close();
  return 0;
}

}  // namespace bruso
