#include <cstdio>
#include <filesystem>
#include <optional>

#include "engine/output_files.h"
#include "engine/text_file.h"
#include "tools/batch_commands.h"
#include "tools/batch_outcome.h"
#include "tools/batch_session.h"
#include "tools/classify_batch.h"
#include "tools/classify_options.h"
#include "tools/command_line.h"
#include "tools/csv_row.h"
#include "tools/file_overlap.h"
#include "tools/position_table.h"
#include "tools/rules_loading.h"
#include "tools/stop_signals.h"
#include "tools/study_options.h"

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

// classify SHOE [--out DIR] [--seed N] [--memo FILE] [--csv FILE] [--positions FILE]
// [--lapse E] [--ck RULES --nk RULES] [--groups FILE] [model options]:
// "Classify All Hands" on the shoe. Amik.txt goes to DIR (default: outputFile in the working
// directory), the output window to standard output, the memo to FILE when given, a table
// of the lines to the CSV file when given, a table of the positions with their exact
// chances to the positions file when given, and a summary to standard error. With rules
// files the lines are scored under the rule player of those files too. With a groups file
// the tables name each line's participant and condition, and the summary gives each
// participant's agreement. A run that a
// signal stopped or a failed write cut short still closes its files and prints its
// summary.
int RunClassify(const std::vector<std::string>& words) {
  const CommandLine line(
      words,
      {"--out", "--seed", "--memo", "--csv", "--positions", "--ck", "--nk", ConflictModeOption, AltruismOption,
       ProbOption, LapseOption, "--groups"},
      {TraceOption});
  if (line.positional().size() != 1) throw UsageError("classify takes exactly one shoe file");
  const ModelOptions model = ModelOptionsFrom(line);
  const double lapse = LapseFrom(line);
  const std::optional<std::uint64_t> seed = line.Number("--seed");
  const std::string& shoe_path = line.positional()[0];
  const std::filesystem::path out =
      line.Value("--out").value_or((std::filesystem::current_path() / OutputFolderName).string());
  const std::optional<std::string> memo_path = line.Value("--memo");
  const std::optional<std::string> csv_path = line.Value("--csv");
  const std::optional<std::string> positions_path = line.Value("--positions");
  const std::optional<RuleFiles> rule_files = RuleFilesFrom(line);
  const std::optional<std::string> groups_path = line.Value("--groups");
  std::vector<NamedFile> outputs = EmptiedOutputFiles(out, false);
  if (memo_path) outputs.push_back({"--memo", *memo_path});
  if (csv_path) outputs.push_back({"--csv", *csv_path});
  if (positions_path) outputs.push_back({"--positions", *positions_path});
  std::vector<NamedFile> inputs = {{"the shoe", shoe_path}};
  if (rule_files) inputs.insert(inputs.end(), {{"--ck", rule_files->ck}, {"--nk", rule_files->nk}});
  if (groups_path) inputs.push_back({"--groups", *groups_path});
  RefuseOverlaps(inputs, outputs);

  Shoe shoe = ReadShoeFile(shoe_path);
  if (shoe.hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  std::optional<LineOwners> owners;
  if (groups_path) owners = ReadGroupsOption(shoe.hands, *groups_path);
  std::optional<LoadedRulePlayer> rules;
  if (rule_files) rules = LoadRulePlayer(*rule_files);
  const FolderLock lock = LockOutputFolder(out);
  RefuseUnwritable(outputs);
  std::optional<FileSink> memo;
  if (memo_path) memo.emplace(*memo_path);
  if (model.trace && !memo) {
    std::fputs("bruso-batch: --trace without --memo FILE: the trace words go to the memo only, so none are kept\n",
               stderr);
  }
  std::optional<TextFile> csv;
  if (csv_path) csv = OpenTable(*csv_path, LinesCsvHeader(rules.has_value(), owners.has_value()));
  std::optional<TextFile> positions;
  if (positions_path) positions = OpenTable(*positions_path, PositionsCsvHeader(rules.has_value(), owners.has_value()));

  BatchSession session(out, seed);
  SharedState& state = session.state();
  model.ApplyTo(state.analysis);
  // Standard output carries the output window's lines; the "looks for" trace stays in the
  // memo, where the replay text holds it anyway.
  state.score.SetTraceStream(nullptr);
  if (memo) state.io.SetMemo(&*memo);
  state.HandList = std::move(shoe.hands);
  CatchStopSignals();
  ClassifyBatch batch(state, csv ? &*csv : nullptr, positions ? &*positions : nullptr, lapse,
                      rules ? &rules->player : nullptr, owners ? &*owners : nullptr);
  BatchOutcome outcome;
  outcome.Step([&] { batch.Run(); });
  state.io.SetMemo(nullptr);
  outcome.Step([&] { session.Finish(); });
  if (memo) outcome.Step([&] { memo->Close(); });
  if (csv) outcome.Step([&] { csv->Close(); });
  if (positions) outcome.Step([&] { positions->Close(); });
  std::fputs(batch.SummaryText(session.seed(), outcome).c_str(), stderr);
  return outcome.ExitStatus();
}

}  // namespace bruso
