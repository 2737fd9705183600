#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/command_line.h"
#include "engine/csv_row.h"
#include "engine/output_files.h"
#include "engine/text_file.h"
#include "engine/whole_integer.h"
#include "model/rules_loading.h"
#include "players/rules_file.h"
#include "session/artificial_play.h"
#include "session/file_overlap.h"
#include "session/play_counts.h"
#include "tools/batch_commands.h"
#include "tools/batch_outcome.h"
#include "tools/batch_session.h"
#include "tools/play_table.h"
#include "tools/progress_line.h"
#include "tools/stop_signals.h"

namespace bruso {

namespace {

// The message boxes of a headless run: one line each on standard error. The last one is
// kept, for the summary of a run that it ended.
class StderrMessages : public UserMessages {
 public:
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "bruso-batch: %.*s\n", static_cast<int>(text.size()), text.data());
    last.assign(text);
  }
  std::string last;
};

// The window's part of the run: the iteration number comes from the command line, each
// play is counted and written to the table as it ends, the progress goes to standard
// error, and a stop signal ends the run after the play in progress.
class ToolPrompts : public PlayAllPrompts {
 public:
  ToolPrompts(std::string iterations, long long plays, TextFile* csv, bool per_hand)
      : tally(per_hand), iterations_(std::move(iterations)), csv_(csv), progress_(plays, "plays") {}
  std::string AskIterationNumber() override { return iterations_; }
  bool Played(const PlayRecord& play) override {
    tally.Played(play);
    if (csv_ != nullptr) csv_->WriteLine(CsvRow(PlayCsvFields(play)));
    progress_.Update(tally.total().plays);
    return !StopRequested();
  }
  bool HandPlayed(int hands_done) override {
    tally.HandBegun(hands_done);
    return !StopRequested();
  }
  void ShowBusyCursor(bool busy) override {
    if (!busy) progress_.Finish();
  }

  PlayTally<PlayCounts> tally;

 private:
  std::string iterations_;
  TextFile* csv_;
  ProgressLine progress_;
};

std::string RequiredValue(const CommandLine& line, const std::string& option) {
  std::optional<std::string> value = line.Value(option);
  if (!value) throw UsageError("play needs " + option + " RULES");
  return *value;
}

struct RunFacts {
  long long plays = 0;  // asked for: hands in the shoe times iterations
  std::uint64_t seed = 0;
  double seconds = 0;
};

void PrintSummary(const ToolPrompts& run, const BatchOutcome& outcome, const RunFacts& facts) {
  Summary summary("play");
  summary.Add("seed", std::to_string(facts.seed));
  const PlayTally<PlayCounts>& tally = run.tally;
  outcome.AddTo(summary, tally.total().plays, facts.plays, "plays");
  summary.Add("hands", std::to_string(tally.hands()));
  AddFigures(summary, "", FiguresOf(tally.total()));
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.0f", facts.seconds > 0 ? tally.total().plays / facts.seconds : 0.0);
  summary.Add("plays per second", rate);
  for (std::size_t hand = 0; hand < tally.byHand().size(); ++hand) {
    AddFigures(summary, "hand " + std::to_string(hand + 1) + " ", FiguresOf(tally.byHand()[hand]));
  }
  std::fputs(summary.Text().c_str(), stderr);
}

}  // namespace

// play SHOE --ck RULES --nk RULES [--iterations K] [--out DIR] [--seed N] [--csv FILE]
// [--per-hand]: "Play All Hands Artificially" on the shoe with the two rules files, K times
// each hand (default 1). Automa.txt and Amik.txt go to DIR (default: outputFile in the
// working directory), the output window to standard output, a row per play to the CSV
// file, messages and the summary to standard error. Every input is read and every other
// output opened before anything in DIR is emptied.
int RunPlay(const std::vector<std::string>& words) {
  const CommandLine line(words, {"--ck", "--nk", "--iterations", "--out", "--seed", "--csv"}, {"--per-hand"});
  if (line.positional().size() != 1) throw UsageError("play takes exactly one shoe file");
  const std::string ck_path = RequiredValue(line, "--ck");
  const std::string nk_path = RequiredValue(line, "--nk");
  const std::optional<std::uint64_t> seed = line.Number("--seed");
  const std::string iterations = line.Value("--iterations").value_or("1");
  const std::optional<std::int32_t> iteration_count = ParseWholeInteger(iterations);
  if (!iteration_count) throw OptionValueError("--iterations takes a whole number, not '" + iterations + "'");
  const std::string& shoe_path = line.positional()[0];
  const std::filesystem::path out =
      line.Value("--out").value_or((std::filesystem::current_path() / OutputFolderName).string());
  const std::optional<std::string> csv_path = line.Value("--csv");
  std::vector<NamedFile> outputs = EmptiedOutputFiles(out, true);
  if (csv_path) outputs.push_back({"--csv", *csv_path});
  RefuseOverlaps({{"the shoe", shoe_path}, {"--ck", ck_path}, {"--nk", nk_path}}, outputs);

  Shoe shoe = ReadShoeFile(shoe_path);
  if (shoe.hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  const RuleSet ck_rules = LoadRulesFile(ck_path, "CK");
  const RuleSet nk_rules = LoadRulesFile(nk_path, "NK");
  const FolderLock lock = LockOutputFolder(out);
  RefuseUnwritable(outputs);
  std::optional<TextFile> csv;
  if (csv_path) csv = OpenTable(*csv_path, PlayCsvHeader);

  StderrMessages messages;  // outlives the session, whose state points at it
  BatchSession session(out, seed);
  SharedState& state = session.state();
  state.messages = &messages;
  state.RulesCK = ck_rules;
  state.RulesFileCK = ck_path;
  state.RulesNK = nk_rules;
  state.RulesFileNK = nk_path;
  state.HandList = std::move(shoe.hands);
  const long long plays = static_cast<long long>(state.HandList.size()) * std::max(*iteration_count, 0);

  CatchStopSignals();
  ToolPrompts run(iterations, plays, csv ? &*csv : nullptr, line.Has("--per-hand"));
  BatchOutcome outcome;
  const auto start = std::chrono::steady_clock::now();
  if (!PlayAllHandsArtificially(state, run)) outcome.Failed(messages.last);  // reported already
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  outcome.Step([&] { session.Finish(); });
  if (csv) outcome.Step([&] { csv->Close(); });
  PrintSummary(run, outcome, {plays, session.seed(), seconds});
  return outcome.ExitStatus();
}

}  // namespace bruso
