#include "session/run_statistics.h"

#include "session/hand_on_screen.h"

namespace bruso {

namespace {

// Adds each line to its hand's figures, and tells the caller's watcher, if any.
class HandFiguresWatcher : public ClassifyWatcher {
 public:
  HandFiguresWatcher(std::vector<HandClassifyFigures>& by_hand, ClassifyWatcher* outer)
      : byHand_(by_hand), outer_(outer) {}

  bool Stopping() override { return outer_ != nullptr && outer_->Stopping(); }
  void HandStarting(int hand_number) override {
    if (outer_ != nullptr) outer_->HandStarting(hand_number);
  }
  void LineClassified(const ClassifiedLine& line) override {
    if (outer_ != nullptr) outer_->LineClassified(line);
    HandClassifyFigures& hand = byHand_[line.hand - 1];
    if (line.outcome.usable) ++hand.lines;
    if (line.outcome.reachesGoal) ++hand.linesReachingGoal;
    hand.agreement.suggested += line.counts->overall.suggested;
    hand.agreement.agreed += line.counts->overall.agreed;
    hand.agreement.expected += line.counts->overall.expected;
    hand.logLikelihood += line.score.logLikelihood;
  }

 private:
  std::vector<HandClassifyFigures>& byHand_;
  ClassifyWatcher* outer_;
};

}  // namespace

ClassifyStatistics ClassifyAllHandsWithFigures(SharedState& state, double lapse, ClassifyWatcher* watcher) {
  ClassifyStatistics statistics{.lapse = lapse, .byHand = std::vector<HandClassifyFigures>(state.HandList.size())};
  HandOnScreen kept(state);
  ClassifyRun run(state, lapse);
  HandFiguresWatcher figures(statistics.byHand, watcher);
  run.Run(figures);
  statistics.tally = run.tally();
  return statistics;
}

PlayStatistics PlayStatisticsOf(const SharedState& state, PlayTally<HandPlays> artificial) {
  return {.artificial = std::move(artificial), .recorded = RecordedPlaysOf(state.HandList, state.analysis)};
}

Summary ClassifySummary(const ClassifyStatistics& statistics) {
  Summary summary("classify");
  summary.Add("seed", std::to_string(statistics.seed));
  AddClassifyFigures(summary, statistics.tally, statistics.lapse);
  return summary;
}

Summary PlaySummary(const PlayStatistics& statistics) {
  Summary summary("play");
  summary.Add("seed", std::to_string(statistics.seed));
  summary.Add("hands", std::to_string(statistics.artificial.hands()));
  AddFigures(summary, "", FiguresOf(statistics.artificial.total()));
  // The players' own lines: not played by rules, so never stopped at the attempt limit.
  const PlayFigures recorded = FiguresOf(statistics.recorded.total);
  summary.Add("recorded lines", std::to_string(recorded.plays));
  summary.AddCount("  reaching 2H", recorded.solved, recorded.plays);
  if (recorded.solved > 0) summary.Add("  moves when solved", MovesWhenSolvedText(recorded));
  return summary;
}

}  // namespace bruso
