#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/command_line.h"
#include "engine/csv_row.h"
#include "engine/output_files.h"
#include "engine/table_number.h"
#include "engine/text_file.h"
#include "model/fit_data.h"
#include "model/rules_loading.h"
#include "session/file_overlap.h"
#include "shoe/shoe_file.h"
#include "study/classify_options.h"
#include "study/study_options.h"
#include "tools/batch_commands.h"
#include "tools/batch_outcome.h"
#include "tools/batch_session.h"
#include "tools/classify_batch.h"
#include "tools/stop_signals.h"

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

// The hands to classify, and who played each line when a groups file or several shoes say.
struct ClassifyHands {
  HandList hands;
  std::optional<LineOwners> owners;
  std::vector<int> handNumbers;  // with several shoes: each hand's place in its own file
  // One shoe without a groups file: its text, whose hands are read a block at a time as
  // they are classified, and how many lines they have to classify.
  std::string shoeText;
  long long shoeLines = 0;
};

// One shoe, with its groups file when given, or a participant per shoe, their hands one
// after another. Throws for a shoe that cannot be read or holds no hand.
ClassifyHands ReadClassifyHands(const std::vector<std::string>& shoe_paths, const std::optional<std::string>& groups_path,
                                const std::optional<std::string>& conditions_path) {
  ClassifyHands read;
  if (shoe_paths.size() == 1 && !groups_path) {
    read.shoeText = ReadWholeFile(shoe_paths[0]);
    const std::vector<std::size_t> move_lines = MoveLineCounts(read.shoeText);
    if (move_lines.empty()) throw std::runtime_error(shoe_paths[0] + " holds no hand");
    read.shoeLines = RecordedLineCount(move_lines);
    return read;
  }
  if (shoe_paths.size() == 1) {
    read.hands = ReadShoeFile(shoe_paths[0]).hands;
    if (read.hands.empty()) throw std::runtime_error(shoe_paths[0] + " holds no hand");
    read.owners = ReadGroupsOption(read.hands, *groups_path);
    return read;
  }
  std::vector<Participant> participants = ParticipantsFromShoesOption(shoe_paths, conditions_path);
  for (std::size_t p = 0; p < participants.size(); ++p) {
    if (participants[p].hands.empty()) throw std::runtime_error(shoe_paths[p] + " holds no hand");
    for (std::size_t h = 1; h <= participants[p].hands.size(); ++h) read.handNumbers.push_back(static_cast<int>(h));
  }
  JoinedParticipants joined = JoinParticipants(std::move(participants));
  read.hands = std::move(joined.hands);
  read.owners = std::move(joined.owners);
  return read;
}

}  // namespace

// classify SHOE... [--out DIR] [--seed N] [--memo FILE] [--csv FILE] [--positions FILE]
// [--lapse E] [--ck RULES --nk RULES] [--groups FILE | --conditions FILE] [model options]:
// "Classify All Hands" on the shoe. Amik.txt goes to DIR (default: outputFile in the working
// directory), the output window to standard output, the memo to FILE when given, a table
// of the lines to the CSV file when given, a table of the positions with their exact
// chances to the positions file when given, and a summary to standard error. With rules
// files the lines are scored under the rule player of those files too. With a groups file
// the tables name each line's participant and condition, and the summary gives each
// participant's agreement. Several shoes are classified one after another as one list, each
// file a participant named after it (with its condition from --conditions FILE), their
// hands numbered in the tables by their place in their own file. A run that a
// signal stopped or a failed write cut short still closes its files and prints its
// summary.
int RunClassify(const std::vector<std::string>& words) {
  const CommandLine line(
      words,
      {"--out", "--seed", "--memo", "--csv", "--positions", "--ck", "--nk", ConflictModeOption, AltruismOption,
       ProbOption, LapseOption, "--groups", "--conditions"},
      {TraceOption});
  const std::vector<std::string>& shoe_paths = line.positional();
  const std::optional<std::string> groups_path = line.Value("--groups");
  const std::optional<std::string> conditions_path = line.Value("--conditions");
  if (shoe_paths.empty()) throw UsageError("classify takes a shoe file");
  RefuseMisplacedGroups(shoe_paths.size(), groups_path.has_value(), conditions_path.has_value());
  if (conditions_path && shoe_paths.size() == 1) throw UsageError("--conditions goes with several shoes");
  const ModelOptions model = ModelOptionsFrom(line);
  const double lapse = LapseFrom(line);
  const std::optional<std::uint64_t> seed = line.Number("--seed");
  const std::filesystem::path out =
      line.Value("--out").value_or((std::filesystem::current_path() / OutputFolderName).string());
  const std::optional<std::string> memo_path = line.Value("--memo");
  const std::optional<std::string> csv_path = line.Value("--csv");
  const std::optional<std::string> positions_path = line.Value("--positions");
  const std::optional<RuleFiles> rule_files = RuleFilesFrom(line);
  std::vector<NamedFile> outputs = EmptiedOutputFiles(out, false);
  if (memo_path) outputs.push_back({"--memo", *memo_path});
  if (csv_path) outputs.push_back({"--csv", *csv_path});
  if (positions_path) outputs.push_back({"--positions", *positions_path});
  std::vector<NamedFile> inputs;
  for (const std::string& path : shoe_paths) inputs.push_back({"the shoe", path});
  if (rule_files) inputs.insert(inputs.end(), {{"--ck", rule_files->ck}, {"--nk", rule_files->nk}});
  if (groups_path) inputs.push_back({"--groups", *groups_path});
  if (conditions_path) inputs.push_back({"--conditions", *conditions_path});
  RefuseOverlaps(inputs, outputs);

  ClassifyHands read = ReadClassifyHands(shoe_paths, groups_path, conditions_path);
  const std::optional<LineOwners>& owners = read.owners;
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
  state.HandList = std::move(read.hands);
  CatchStopSignals();
  ClassifyBatch batch(state, csv ? &*csv : nullptr, positions ? &*positions : nullptr, lapse,
                      rules ? &rules->player : nullptr, owners ? &*owners : nullptr);
  batch.NumberHands(std::move(read.handNumbers));
  std::optional<ShoeReader> reader;
  if (!read.shoeText.empty()) {
    reader.emplace(read.shoeText);
    batch.ReadHandsFrom(*reader, read.shoeLines);
  }
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
