#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/random.h"
#include "engine/text_file.h"
#include "session/classify_run.h"
#include "session/shared_state.h"
#include "shoe/shoe_file.h"
#include "study/classify_options.h"
#include "study/participants.h"

namespace bruso {

class BatchOutcome;
class Summary;
class ProgressLine;

// The columns of the table of lines that `classify --csv` writes, one row per move line.
extern const std::vector<std::string> ClassifyCsvHeader;
// The header rows of the tables of lines and of positions, with the columns of the rule
// player when there is one, then the participant and condition columns with a groups file.
std::vector<std::string> LinesCsvHeader(bool with_rules, bool with_groups = false);
std::vector<std::string> PositionsCsvHeader(bool with_rules, bool with_groups = false);

// "Classify All Hands" as a batch drives it: line by line, so that it can show its
// progress, count how well the model follows the players, write a row per line, and stop
// after the line in progress when a stop signal comes (see stop_signals.h). What it writes
// to Amik.txt, the output window and the memo is what the window's command writes, up to
// where it stopped.
class ClassifyBatch : private ClassifyWatcher {
 public:
  // `csv`: the table of lines, open with its header row (OpenTable), or none; `positions`:
  // the same for the table of positions. `lapse`: the player's lapse rate for the exact
  // figures. `rules`: a rule player to score the lines under too, with the same lapse
  // rate; it must outlive the batch. `owners`: who played each line, which the rows and the
  // summary then name; it must outlive the batch.
  ClassifyBatch(SharedState& state, TextFile* csv, TextFile* positions = nullptr, double lapse = DefaultLapse,
                const RulePlayer* rules = nullptr, const LineOwners* owners = nullptr);

  // Numbers the hands in the tables as `numbers` says, one number per hand of the list,
  // instead of by their place in the list: with several shoes, each by its place in its
  // file. Each hand numbered 1 starts a file, which the generator then starts afresh, as
  // where the run began, so that a file's lines are classified as they are alone.
  void NumberHands(std::vector<int> numbers) { handNumbers_ = std::move(numbers); }

  // Classifies the hands as the reader gives them, a block at a time in the state's
  // HandList, instead of the hands that list holds; `lines`: how many lines they have to
  // classify. The reader must outlive the batch.
  void ReadHandsFrom(ShoeReader& reader, long long lines) {
    reader_ = &reader;
    linesTotal_ = lines;
  }

  // Classifies the hands, with a progress line on a terminal. After a stop request it stops
  // before the next hand or line.
  void Run();

  // The summary of the run so far, aligned lines for standard error; the outcome tells
  // whether the run stopped early or failed.
  std::string SummaryText(std::uint64_t seed, const BatchOutcome& outcome) const;

  const ClassifyTally& tally() const { return run_.tally(); }
  bool stopped() const { return stopped_; }

 private:
  bool Stopping() override;
  void HandStarting(int hand_number) override;
  void LineClassified(const ClassifiedLine& line) override;
  void WriteCsvRow(const ClassifiedLine& line);
  void WritePositions(const ClassifiedLine& line);
  void AddRuleFigures(Summary& summary) const;
  int HandNumber(const ClassifiedLine& line) const {
    return handNumbers_.empty() ? line.hand : handNumbers_[static_cast<std::size_t>(line.hand - 1)];
  }
  // The participant and condition fields of a line's rows; none without a groups file.
  std::vector<std::string> OwnerFields(const ClassifiedLine& line) const;

  void RunInBlocks();

  ClassifyRun run_;
  SharedState& state_;
  Random runStart_;  // the generator where the run began
  TextFile* csv_;
  TextFile* positions_;
  bool withRules_;
  const LineOwners* owners_;
  ShoeReader* reader_ = nullptr;
  std::vector<int> handNumbers_;  // empty: by place in the list
  std::vector<Agreement> byParticipant_;  // with a groups file
  LineScore ruleTotal_;  // the rule player's, over the lines so far
  ProgressLine* progress_ = nullptr;  // while it runs
  long long linesTotal_ = 0;
  long long linesDone_ = 0;
  bool stopped_ = false;
};

}  // namespace bruso
