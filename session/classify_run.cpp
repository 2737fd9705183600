#include "session/classify_run.h"

#include "model/fit_data.h"

namespace bruso {

// The likelihood takes a hand's lines where the window's command does.
static_assert(FirstRecordedLine == FirstReplayedLine);

ClassifyRun::ClassifyRun(SharedState& state, double lapse, const RulePlayer* rules)
    : state_(state), player_{.probabilities = state.analysis.ProbTable, .lapse = lapse}, compiler_(state.analysis) {
  if (rules == nullptr) {
    state_.score.SetReplayObserver(&observers_);
    return;
  }
  ruleObserver_.emplace(*rules);
  withRules_.emplace(observers_, *ruleObserver_);
  state_.score.SetReplayObserver(&*withRules_);
}

void ClassifyRun::Run(ClassifyWatcher& watcher, int hands_before) {
  if (hands_before == 0) state_.io.ClearOutputWindow();
  int hand_number = hands_before;
  for (Fhand& hand : state_.HandList) {
    if (watcher.Stopping()) return;
    watcher.HandStarting(++hand_number);
    ClassifyHand(hand, hand_number, watcher);
  }
}

void ClassifyRun::ClassifyHand(Fhand& hand, int hand_number, ClassifyWatcher& watcher) {
  ClassifyHandSetUp(state_, hand);
  tally_.HandSetUp();
  for (std::size_t line = FirstReplayedLine; line < hand.MoveLines.size(); ++line) {
    if (line > FirstReplayedLine && watcher.Stopping()) return;
    const std::string& text = hand.MoveLines[line].Line;
    tally_.LineStarted();
    compiler_.LineStarted();
    if (ruleObserver_) ruleObserver_->LineStarted();
    const MoveLineOutcome outcome = ClassifyMoveLine(state_, text);
    tally_.LineEnded(outcome);
    const CompiledLine& compiled = compiler_.FinishLine();
    std::vector<PositionChances>& chances = chances_;
    chances.clear();
    const LineScore score = ScoreLine(compiled, player_, &chances);
    tally_.LineScored(compiled, chances, score);
    ClassifiedLine classified{.hand = hand_number, .line = line - FirstReplayedLine + 1, .text = text,
                              .outcome = outcome, .counts = &tally_.line(), .compiled = &compiled,
                              .chances = &chances, .score = score};
    if (ruleObserver_) {
      classified.ruleAttempts = &ruleObserver_->attempts();
      classified.ruleScore = ScoreAttempts(ruleObserver_->attempts(), player_.lapse);
    }
    watcher.LineClassified(classified);
  }
}

}  // namespace bruso
