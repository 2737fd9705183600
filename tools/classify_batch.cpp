#include "tools/classify_batch.h"

#include <cstdio>

#include "engine/csv_row.h"
#include "model/fit_data.h"
#include "session/classify_rows.h"
#include "session/summary.h"
#include "tools/batch_outcome.h"
#include "tools/progress_line.h"
#include "tools/stop_signals.h"

namespace bruso {

const std::vector<std::string> ClassifyCsvHeader = LineColumns(false);

namespace {

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// "-24.891", and the mean per position with three decimals.
std::string LogLikelihoodText(const LineScore& score) {
  char text[96];
  std::snprintf(text, sizeof text, "%.3f (%.3f a position)", score.logLikelihood,
                score.suggested > 0 ? score.logLikelihood / static_cast<double>(score.suggested) : 0.0);
  return text;
}

std::string ExpectedShareText(const LineScore& score) {
  return ExpectedText({.suggested = score.suggested, .expected = score.expectedAgreements});
}

// Two cells of a side-by-side row, the first padded to one width.
std::string SideBySide(const std::string& analysis, const std::string& rules) {
  constexpr std::size_t Width = 30;
  return analysis + std::string(analysis.size() < Width ? Width - analysis.size() : 1, ' ') + rules;
}

}  // namespace

std::vector<std::string> LinesCsvHeader(bool with_rules, bool with_groups) {
  return with_groups ? Joined(LineColumns(with_rules), {"participant", "condition"}) : LineColumns(with_rules);
}

std::vector<std::string> PositionsCsvHeader(bool with_rules, bool with_groups) {
  return with_groups ? Joined(PositionColumns(with_rules), {"participant", "condition"}) : PositionColumns(with_rules);
}

ClassifyBatch::ClassifyBatch(SharedState& state, TextFile* csv, TextFile* positions, double lapse,
                             const RulePlayer* rules, const LineOwners* owners)
    : run_(state, lapse, rules),
      state_(state),
      csv_(csv),
      positions_(positions),
      withRules_(rules != nullptr),
      owners_(owners),
      byParticipant_(owners != nullptr ? owners->participants.size() : 0),
      linesTotal_(RecordedLineCount(state.HandList)) {}

void ClassifyBatch::Run() {
  ProgressLine progress(linesTotal_, "lines");
  progress_ = &progress;
  runStart_ = state_.random;
  if (reader_ != nullptr) {
    RunInBlocks();
  } else {
    run_.Run(*this);
  }
  progress_ = nullptr;
  progress.Finish();
}

// A block of hands at a time: a large shoe's hands are never all in memory, and reading
// them costs less, as each block reuses the memory of the one before.
void ClassifyBatch::RunInBlocks() {
  constexpr std::size_t HandsPerBlock = 1024;
  int hands_before = 0;
  while (!stopped_ && reader_->Next(state_.HandList, HandsPerBlock)) {
    run_.Run(*this, hands_before);
    hands_before += static_cast<int>(state_.HandList.size());
  }
  state_.CurrentHand = nullptr;  // its block is gone
}

void ClassifyBatch::LineClassified(const ClassifiedLine& line) {
  ruleTotal_.logLikelihood += line.ruleScore.logLikelihood;
  ruleTotal_.expectedAgreements += line.ruleScore.expectedAgreements;
  ruleTotal_.suggested += line.ruleScore.suggested;
  if (owners_ != nullptr) {
    Agreement& agreement = byParticipant_[owners_->owner[line.hand - 1][line.line - 1 + FirstRecordedLine]];
    agreement.suggested += line.counts->overall.suggested;
    agreement.agreed += line.counts->overall.agreed;
  }
  WriteCsvRow(line);
  WritePositions(line);
  progress_->Update(++linesDone_);
}

void ClassifyBatch::WriteCsvRow(const ClassifiedLine& line) {
  if (csv_ == nullptr) return;
  csv_->WriteLine(CsvRow(Joined(FieldTexts(LineRow(line, HandNumber(line))), OwnerFields(line))));
}

std::vector<std::string> ClassifyBatch::OwnerFields(const ClassifiedLine& line) const {
  if (owners_ == nullptr) return {};
  const Participant& participant = owners_->Of(line.hand - 1, line.line - 1 + FirstRecordedLine);
  return {participant.id, participant.condition};
}

void ClassifyBatch::WritePositions(const ClassifiedLine& line) {
  if (positions_ == nullptr) return;
  for (const FieldRow& row : PositionRows(line, HandNumber(line))) {
    positions_->WriteLine(CsvRow(Joined(FieldTexts(row), OwnerFields(line))));
  }
}

void ClassifyBatch::HandStarting(int hand_number) {
  if (!handNumbers_.empty() && handNumbers_[static_cast<std::size_t>(hand_number - 1)] == 1) state_.random = runStart_;
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
  if (withRules_) AddRuleFigures(summary);
  // The agreement of each participant's lines, as "agreement" above gives it for all.
  if (owners_ != nullptr) summary.Add("participants", std::to_string(byParticipant_.size()));
  for (std::size_t p = 0; p < byParticipant_.size(); ++p) {
    summary.Add("  " + owners_->participants[p].id, AgreementText(byParticipant_[p]));
  }
  return summary.Text();
}

void ClassifyBatch::AddRuleFigures(Summary& summary) const {
  const PositionCounts& total = run_.tally().total();
  const LineScore analysis{.logLikelihood = run_.tally().logLikelihood(),
                           .expectedAgreements = total.overall.expected,
                           .suggested = total.overall.suggested};
  summary.Add("side by side", SideBySide("analysis", "rules"));
  summary.Add("  positions", SideBySide(std::to_string(analysis.suggested), std::to_string(ruleTotal_.suggested)));
  summary.Add("  expected", SideBySide(ExpectedShareText(analysis), ExpectedShareText(ruleTotal_)));
  summary.Add("  log-likelihood", SideBySide(LogLikelihoodText(analysis), LogLikelihoodText(ruleTotal_)));
}

}  // namespace bruso
