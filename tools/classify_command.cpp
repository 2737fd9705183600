#include <cstdio>
#include <filesystem>
#include <optional>

#include "engine/output_files.h"
#include "engine/text_file.h"
#include "tools/batch_commands.h"
#include "tools/batch_session.h"
#include "tools/classify_batch.h"
#include "tools/classify_options.h"
#include "tools/command_line.h"
#include "tools/interruption.h"

namespace bruso {

namespace {

// The exit status of a run that Ctrl-C stopped early, as shells report it: 128 + SIGINT.
constexpr int StoppedByCtrlC = 130;

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

// classify SHOE [--out DIR] [--seed N] [--memo FILE] [--csv FILE] [--positions FILE]
// [--lapse E] [model options]:
// "Classify All Hands" on the shoe. Amik.txt goes to DIR (default: outputFile in the working
// directory), the output window to standard output, the memo to FILE when given, a table
// of the lines to the CSV file when given, a table of the positions with their exact
// chances to the positions file when given, and a summary to standard error. A run that
// Ctrl-C stopped early still closes its files and prints its summary, and exits with 130.
int RunClassify(const std::vector<std::string>& words) {
  const CommandLine line(
      words, {"--out", "--seed", "--memo", "--csv", "--positions", ConflictModeOption, AltruismOption, ProbOption, LapseOption},
      {TraceOption});
  if (line.positional().size() != 1) throw UsageError("classify takes exactly one shoe file");
  const ModelOptions model = ModelOptionsFrom(line);
  const double lapse = LapseFrom(line);
  const std::optional<std::uint64_t> seed = line.Number("--seed");
  const std::string& shoe_path = line.positional()[0];
  Shoe shoe = ReadShoeFile(shoe_path);
  if (shoe.hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  std::optional<FileSink> memo;
  if (std::optional<std::string> memo_path = line.Value("--memo")) memo.emplace(*memo_path);
  if (model.trace && !memo) {
    std::fputs("bruso-batch: --trace without --memo FILE: the trace words go to the memo only, so none are kept\n",
               stderr);
  }
  std::optional<TextFile> csv;
  if (std::optional<std::string> csv_path = line.Value("--csv")) csv.emplace().Open(*csv_path, TextFile::Mode::Write);
  std::optional<TextFile> positions;
  if (std::optional<std::string> path = line.Value("--positions")) positions.emplace().Open(*path, TextFile::Mode::Write);

  BatchSession session(line.Value("--out").value_or((std::filesystem::current_path() / OutputFolderName).string()),
                       seed);
  SharedState& state = session.state();
  model.ApplyTo(state.analysis);
  // Standard output carries the output window's lines; the "looks for" trace stays in the
  // memo, where the replay text holds it anyway.
  state.score.SetTraceStream(nullptr);
  if (memo) state.io.SetMemo(&*memo);
  state.HandList = std::move(shoe.hands);
  CatchInterruption();
  ClassifyBatch batch(state, csv ? &*csv : nullptr, positions ? &*positions : nullptr, lapse);
  batch.Run();
  state.io.SetMemo(nullptr);
  session.Finish();
  if (memo) memo->Close();
  if (csv) csv->Close();
  if (positions) positions->Close();
  std::fputs(batch.SummaryText(session.seed()).c_str(), stderr);
  return batch.stopped() ? StoppedByCtrlC : 0;
}

}  // namespace bruso
