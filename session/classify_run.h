#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "model/line_compiler.h"
#include "model/line_likelihood.h"
#include "model/rule_player.h"
#include "session/classify_commands.h"
#include "session/classify_tally.h"
#include "session/shared_state.h"

namespace bruso {

// One move line as the run has just classified it.
struct ClassifiedLine {
  int hand = 0;          // from 1, in shoe order
  std::size_t line = 0;  // from 1, as the window lists them
  std::string_view text;
  MoveLineOutcome outcome;
  const PositionCounts* counts = nullptr;  // the line's positions
  const CompiledLine* compiled = nullptr;
  const std::vector<PositionChances>* chances = nullptr;  // one per compiled position
  LineScore score;                                        // for the run's player
  // With a rule player: its attempts (one per compiled position) and its score.
  const std::vector<RuleAttempt>* ruleAttempts = nullptr;
  LineScore ruleScore;
};

// What a caller of the run sees of it as it goes, and how it stops the run.
class ClassifyWatcher {
 public:
  virtual ~ClassifyWatcher() = default;
  // Asked before every hand and every line but a hand's first: true stops the run there.
  virtual bool Stopping() { return false; }
  // Told before each hand is set up, with its number from 1.
  virtual void HandStarting(int /*hand_number*/) {}
  virtual void LineClassified(const ClassifiedLine&) {}
};

// "Classify All Hands" line by line, with the model's figures: while it writes what the
// window's command writes (Amik.txt, the output window, the memo), it counts how well the
// model follows the players, compiles each line and scores it exactly for a player with
// the lapse rate; with a rule player, it scores each line under that player too. A hand once set up always has its first line classified, so that every
// hand counted has lines to show for it.
class ClassifyRun {
 public:
  // `rules`, when given, must outlive the run.
  ClassifyRun(SharedState& state, double lapse, const RulePlayer* rules = nullptr);
  ~ClassifyRun() { state_.score.SetReplayObserver(nullptr); }
  ClassifyRun(const ClassifyRun&) = delete;
  ClassifyRun& operator=(const ClassifyRun&) = delete;

  // Clears the output window and classifies the hands of the state's HandList. Given the
  // number of hands classified before (the list then holds the next of a shoe's hands, read
  // a block at a time), it goes on from them: the window is not cleared again, and the
  // hands are numbered after them.
  void Run(ClassifyWatcher& watcher, int hands_before = 0);

  const ClassifyTally& tally() const { return tally_; }
  double lapse() const { return player_.lapse; }

 private:
  void ClassifyHand(Fhand& hand, int hand_number, ClassifyWatcher& watcher);

  SharedState& state_;
  PlayerParameters player_;
  ClassifyTally tally_;
  LineCompiler compiler_;
  std::vector<PositionChances> chances_;  // the line's, kept to spare an allocation a line
  ObserverPair observers_{tally_, compiler_};
  std::optional<RuleAttemptObserver> ruleObserver_;
  std::optional<ObserverPair> withRules_;
};

}  // namespace bruso
