#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/output_files.h"
#include "engine/text_file.h"
#include "engine/whole_integer.h"
#include "session/artificial_play.h"
#include "session/rules_commands.h"
#include "tools/batch_commands.h"
#include "tools/batch_session.h"
#include "tools/command_line.h"
#include "tools/csv_row.h"
#include "tools/interruption.h"
#include "tools/play_statistics.h"
#include "tools/progress_line.h"
#include "tools/summary.h"

namespace bruso {

namespace {

constexpr int InterruptedStatus = 130;

// The message boxes of a headless run: one line each on standard error.
class StderrMessages : public UserMessages {
 public:
  void ShowMessage(std::string_view text) override {
    std::fprintf(stderr, "bruso-batch: %.*s\n", static_cast<int>(text.size()), text.data());
  }
};

// The window's part of the run: the iteration number comes from the command line, the
// progress goes to standard error, and Ctrl-C stops the run after the hand being played.
class ToolPrompts : public PlayAllPrompts {
 public:
  ToolPrompts(std::string iterations, long long hands) : iterations_(std::move(iterations)), progress_(hands, "hands") {}
  std::string AskIterationNumber() override { return iterations_; }
  void Played(const PlayRecord& play) override { plays.push_back(play); }
  bool HandPlayed(int hands_done) override {
    progress_.Update(hands_done);
    return !Interrupted();
  }
  void ShowBusyCursor(bool busy) override {
    if (!busy) progress_.Finish();
  }

  std::vector<PlayRecord> plays;

 private:
  std::string iterations_;
  ProgressLine progress_;
};

std::string RequiredValue(const CommandLine& line, const std::string& option) {
  std::optional<std::string> value = line.Value(option);
  if (!value) throw UsageError("play needs " + option + " RULES");
  return *value;
}

struct RunFacts {
  std::size_t hands = 0;        // in the shoe
  std::uint64_t seed = 0;
  double seconds = 0;
  bool perHand = false;
};

void PrintSummary(const PlayAllTally& tally, const std::vector<PlayRecord>& plays, const RunFacts& run) {
  Summary summary("play");
  summary.Add("seed", std::to_string(run.seed));
  summary.Add("hands", std::to_string(tally.hands));
  AddFigures(summary, "", FiguresOf(plays));
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.0f", run.seconds > 0 ? tally.plays / run.seconds : 0.0);
  summary.Add("plays per second", rate);
  if (Interrupted()) {
    summary.Add("stopped", "by Ctrl-C after " + std::to_string(tally.hands) + " of " + std::to_string(run.hands) + " hands");
  }
  if (run.perHand) {
    std::vector<std::vector<PlayRecord>> by_hand(static_cast<std::size_t>(tally.hands));
    for (const PlayRecord& play : plays) by_hand[play.hand - 1].push_back(play);
    for (std::size_t hand = 0; hand < by_hand.size(); ++hand) {
      AddFigures(summary, "hand " + std::to_string(hand + 1) + " ", FiguresOf(by_hand[hand]));
    }
  }
  std::fputs(summary.Text().c_str(), stderr);
}

void WriteCsv(const std::string& path, const std::vector<PlayRecord>& plays) {
  TextFile csv;
  csv.Open(path, TextFile::Mode::Write);
  csv.WriteLine(CsvRow(PlayCsvHeader));
  for (const PlayRecord& play : plays) csv.WriteLine(CsvRow(PlayCsvFields(play)));
  csv.Close();
}

}  // namespace

// play SHOE --ck RULES --nk RULES [--iterations K] [--out DIR] [--seed N] [--csv FILE]
// [--per-hand]: "Play All Hands
// Artificially" on the shoe with the two rules files, K times each hand (default 1).
// Automa.txt and Amik.txt go to DIR (default: outputFile in the working directory), the
// output window to standard output, messages and the summary to standard error.
int RunPlay(const std::vector<std::string>& words) {
  const CommandLine line(words, {"--ck", "--nk", "--iterations", "--out", "--seed", "--csv"}, {"--per-hand"});
  if (line.positional().size() != 1) throw UsageError("play takes exactly one shoe file");
  const std::string ck_rules = RequiredValue(line, "--ck");
  const std::string nk_rules = RequiredValue(line, "--nk");
  const std::optional<std::uint64_t> seed = line.Number("--seed");
  const std::string iterations = line.Value("--iterations").value_or("1");
  if (!ParseWholeInteger(iterations)) throw UsageError("'" + iterations + "' is not a valid integer value");
  const std::string& shoe_path = line.positional()[0];
  Shoe shoe = ReadShoeFile(shoe_path);
  if (shoe.hands.empty()) {
    std::fprintf(stderr, "bruso-batch: %s holds no hand\n", shoe_path.c_str());
    return 1;
  }
  // An unreadable rules file stops the run before the output files are emptied.
  ReadWholeFile(ck_rules);
  ReadWholeFile(nk_rules);

  StderrMessages messages;  // outlives the session, whose state points at it
  BatchSession session(line.Value("--out").value_or((std::filesystem::current_path() / OutputFolderName).string()),
                       seed);
  SharedState& state = session.state();
  state.messages = &messages;
  LoadRulesCK(state, ck_rules);
  LoadRulesNK(state, nk_rules);
  if (state.RulesFileCK.empty() || state.RulesFileNK.empty()) return 1;  // reported already

  state.HandList = std::move(shoe.hands);
  const std::size_t hands = state.HandList.size();
  CatchInterruption();
  ToolPrompts prompts(iterations, static_cast<long long>(hands));
  const auto start = std::chrono::steady_clock::now();
  const std::optional<PlayAllTally> tally = PlayAllHandsArtificially(state, prompts);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  session.Finish();
  if (!tally) return 1;  // reported already
  if (std::optional<std::string> csv = line.Value("--csv")) WriteCsv(*csv, prompts.plays);
  PrintSummary(*tally, prompts.plays, {hands, session.seed(), seconds, line.Has("--per-hand")});
  return Interrupted() ? InterruptedStatus : 0;
}

}  // namespace bruso
