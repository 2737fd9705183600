#include "tools/classify_batch.h"

#include <cstdio>

#include "model/fit_data.h"
#include "tools/csv_row.h"
#include "tools/batch_outcome.h"
#include "tools/position_table.h"
#include "tools/stop_signals.h"
#include "tools/progress_line.h"
#include "tools/summary.h"

namespace bruso {

const std::vector<std::string> ClassifyCsvHeader = {"hand",       "line",      "moves",     "usable",
                                                   "reaches_2h", "positions", "suggested", "agreements",
                                                   "log_likelihood", "expected_agreements"};

// The likelihood takes a hand's lines where the window's command does.
static_assert(FirstRecordedLine == FirstReplayedLine);

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

// "expected of suggested (share%)".
std::string ExpectedText(const Agreement& agreement) {
  char text[96];
  std::snprintf(text, sizeof text, "%.2f of %lld", agreement.expected, agreement.suggested);
  if (agreement.suggested == 0) return text;
  char share[32];
  std::snprintf(share, sizeof share, " (%.1f%%)", 100.0 * agreement.expected / agreement.suggested);
  return text + std::string(share);
}

// The agreement overall, for each role and for each branch, as `text` gives it.
void AddAgreementRows(Summary& summary, const std::string& label, const PositionCounts& total,
                      std::string (*text)(const Agreement&)) {
  summary.Add(label, text(total.overall));
  summary.Add("  as CK", text(total.ck));
  summary.Add("  as NK", text(total.nk));
  summary.Add("  card at hand", text(total.Branch(MoveBranch::CardAtHand)));
  summary.Add("  search", text(total.Branch(MoveBranch::Search)));
  summary.Add("  step aside", text(total.Branch(MoveBranch::StepAside)));
  summary.Add("  hand-over", text(total.Branch(MoveBranch::HandOver)));
}

}  // namespace

ClassifyBatch::ClassifyBatch(SharedState& state, TextFile* csv, TextFile* positions, double lapse)
    : state_(state),
      csv_(csv),
      positions_(positions),
      player_{.probabilities = state.analysis.ProbTable, .lapse = lapse},
      compiler_(state.analysis),
      linesTotal_(RecordedLineCount(state.HandList)) {
  state_.score.SetReplayObserver(&observers_);
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
    compiler_.LineStarted();
    const MoveLineOutcome outcome = ClassifyMoveLine(state_, text);
    tally_.LineEnded(outcome);
    const CompiledLine compiled = compiler_.TakeLine();
    std::vector<PositionChances> chances;
    const LineScore score = ScoreLine(compiled, player_, &chances);
    tally_.LineScored(compiled, chances, score);
    // Lines are numbered as the window lists them: the first replayed line is 1.
    WriteCsvRow(hand_number, line - FirstReplayedLine + 1, text, outcome, score);
    WritePositions(hand_number, line - FirstReplayedLine + 1, compiled, chances);
    progress.Update(++linesDone_);
  }
}

void ClassifyBatch::WriteCsvRow(int hand_number, std::size_t line_number, std::string_view line,
                                const MoveLineOutcome& outcome, const LineScore& score) {
  if (csv_ == nullptr) return;
  const PositionCounts& counts = tally_.line();
  csv_->WriteLine(CsvRow({std::to_string(hand_number), std::to_string(line_number), std::string(line),
                          Flag(outcome.usable), Flag(outcome.reachesGoal), std::to_string(counts.positions),
                          std::to_string(counts.overall.suggested), std::to_string(counts.overall.agreed),
                          TableNumber(score.logLikelihood), TableNumber(score.expectedAgreements)}));
}

void ClassifyBatch::WritePositions(int hand_number, std::size_t line_number, const CompiledLine& line,
                                   const std::vector<PositionChances>& chances) {
  if (positions_ == nullptr) return;
  for (std::size_t t = 0; t < chances.size(); ++t) {
    positions_->WriteLine(CsvRow(PositionCsvFields(hand_number, line_number, t + 1, line.facts[t], chances[t])));
  }
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
  AddAgreementRows(summary, "agreement", total, AgreementText);
  // The exact figures: the expected agreement over every random decision of the analysis,
  // and the log-likelihood of the lines for a player with the lapse rate.
  AddAgreementRows(summary, "expected", total, ExpectedText);
  char log_likelihood[64];
  std::snprintf(log_likelihood, sizeof log_likelihood, "%.3f (lapse %g)", tally_.logLikelihood(), player_.lapse);
  summary.Add("log-likelihood", log_likelihood);
  return summary.Text();
}

}  // namespace bruso
