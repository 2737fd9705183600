#include "tools/classify_batch.h"

#include <cstdio>

#include "tools/csv_row.h"
#include "tools/batch_outcome.h"
#include "tools/stop_signals.h"
#include "tools/progress_line.h"
#include "tools/summary.h"

namespace bruso {

const std::vector<std::string> ClassifyCsvHeader = {"hand",      "line",      "moves",     "usable",
                                                   "reaches_2h", "positions", "suggested", "agreements"};

namespace {

std::string Flag(bool value) { return value ? "1" : "0"; }

// "agreed of suggested (share%)".
std::string AgreementText(const Agreement& agreement) {
  std::string text = std::to_string(agreement.agreed) + " of " + std::to_string(agreement.suggested);
  if (agreement.suggested == 0) return text;
  char share[32];
  std::snprintf(share, sizeof share, " (%.1f%%)", 100.0 * agreement.agreed / agreement.suggested);
  return text + share;
}

long long LinesToReplay(const HandList& hands) {
  long long lines = 0;
  for (const Fhand& hand : hands) {
    if (hand.MoveLines.size() > FirstReplayedLine) lines += hand.MoveLines.size() - FirstReplayedLine;
  }
  return lines;
}

}  // namespace

ClassifyBatch::ClassifyBatch(SharedState& state, TextFile* csv)
    : state_(state), csv_(csv), linesTotal_(LinesToReplay(state.HandList)) {
  state_.score.SetReplayObserver(&tally_);
}

void ClassifyBatch::Run() {
  ProgressLine progress(linesTotal_, "lines");
  state_.io.ClearOutputWindow();
  int hand_number = 0;
  for (Fhand& hand : state_.HandList) {
    if (Stopping()) break;
    ClassifyHand(hand, ++hand_number, progress);
  }
  progress.Finish();
}

void ClassifyBatch::ClassifyHand(Fhand& hand, int hand_number, ProgressLine& progress) {
  ClassifyHandSetUp(state_, hand);
  tally_.HandSetUp();
  for (std::size_t line = FirstReplayedLine; line < hand.MoveLines.size(); ++line) {
    if (line > FirstReplayedLine && Stopping()) return;
    const std::string& text = hand.MoveLines[line].Line;
    tally_.LineStarted();
    const MoveLineOutcome outcome = ClassifyMoveLine(state_, text);
    tally_.LineEnded(outcome);
    // Lines are numbered as the window lists them: the first replayed line is 1.
    WriteCsvRow(hand_number, line - FirstReplayedLine + 1, text, outcome);
    progress.Update(++linesDone_);
  }
}

void ClassifyBatch::WriteCsvRow(int hand_number, std::size_t line_number, std::string_view line,
                                const MoveLineOutcome& outcome) {
  if (csv_ == nullptr) return;
  const PositionCounts& counts = tally_.line();
  csv_->WriteLine(CsvRow({std::to_string(hand_number), std::to_string(line_number), std::string(line),
                          Flag(outcome.usable), Flag(outcome.reachesGoal), std::to_string(counts.positions),
                          std::to_string(counts.overall.suggested), std::to_string(counts.overall.agreed)}));
}

bool ClassifyBatch::Stopping() {
  if (StopRequested()) stopped_ = true;
  return stopped_;
}

std::string ClassifyBatch::SummaryText(std::uint64_t seed, const BatchOutcome& outcome) const {
  const PositionCounts& total = tally_.total();
  Summary summary("classify");
  summary.Add("seed", std::to_string(seed));
  outcome.AddTo(summary, linesDone_, linesTotal_, "lines");
  summary.Add("hands", std::to_string(tally_.hands()));
  summary.Add("lines replayed", std::to_string(tally_.linesReplayed()));
  summary.Add("lines not usable", std::to_string(tally_.linesNotUsable()));
  summary.AddCount("lines reaching 2H", tally_.linesReachingGoal(), tally_.linesReplayed());
  summary.Add("positions", std::to_string(total.positions));
  summary.AddCount("no suggestion", total.noSuggestion, total.positions);
  summary.Add("agreement", AgreementText(total.overall));
  summary.Add("  as CK", AgreementText(total.ck));
  summary.Add("  as NK", AgreementText(total.nk));
  summary.Add("  card at hand", AgreementText(total.Branch(MoveBranch::CardAtHand)));
  summary.Add("  search", AgreementText(total.Branch(MoveBranch::Search)));
  summary.Add("  step aside", AgreementText(total.Branch(MoveBranch::StepAside)));
  summary.Add("  hand-over", AgreementText(total.Branch(MoveBranch::HandOver)));
  return summary.Text();
}

}  // namespace bruso
