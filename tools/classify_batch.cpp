#include "tools/classify_batch.h"

#include <cstdio>

#include "model/fit_data.h"
#include "tools/csv_row.h"
#include "tools/batch_outcome.h"
#include "tools/position_table.h"
#include "tools/stop_signals.h"
#include "tools/progress_line.h"
#include "session/summary.h"

namespace bruso {

const std::vector<std::string> ClassifyCsvHeader = {"hand",       "line",      "moves",     "usable",
                                                   "reaches_2h", "positions", "suggested", "agreements",
                                                   "log_likelihood", "expected_agreements"};

namespace {

std::string Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

ClassifyBatch::ClassifyBatch(SharedState& state, TextFile* csv, TextFile* positions, double lapse)
    : run_(state, lapse), csv_(csv), positions_(positions), linesTotal_(RecordedLineCount(state.HandList)) {}

void ClassifyBatch::Run() {
  ProgressLine progress(linesTotal_, "lines");
  progress_ = &progress;
  run_.Run(*this);
  progress_ = nullptr;
  progress.Finish();
}

void ClassifyBatch::LineClassified(const ClassifiedLine& line) {
  WriteCsvRow(line);
  WritePositions(line);
  progress_->Update(++linesDone_);
}

void ClassifyBatch::WriteCsvRow(const ClassifiedLine& line) {
  if (csv_ == nullptr) return;
  const PositionCounts& counts = *line.counts;
  csv_->WriteLine(CsvRow({std::to_string(line.hand), std::to_string(line.line), std::string(line.text),
                          Flag(line.outcome.usable), Flag(line.outcome.reachesGoal), std::to_string(counts.positions),
                          std::to_string(counts.overall.suggested), std::to_string(counts.overall.agreed),
                          TableNumber(line.score.logLikelihood), TableNumber(line.score.expectedAgreements)}));
}

void ClassifyBatch::WritePositions(const ClassifiedLine& line) {
  if (positions_ == nullptr) return;
  const std::vector<PositionChances>& chances = *line.chances;
  for (std::size_t t = 0; t < chances.size(); ++t) {
    positions_->WriteLine(
        CsvRow(PositionCsvFields(line.hand, line.line, t + 1, line.compiled->facts[t], chances[t])));
  }
}

bool ClassifyBatch::Stopping() {
  if (StopRequested()) stopped_ = true;
  return stopped_;
}

std::string ClassifyBatch::SummaryText(std::uint64_t seed, const BatchOutcome& outcome) const {
  Summary summary("classify");
  summary.Add("seed", std::to_string(seed));
  outcome.AddTo(summary, linesDone_, linesTotal_, "lines");
  AddClassifyFigures(summary, run_.tally(), run_.lapse());
  return summary.Text();
}

}  // namespace bruso
