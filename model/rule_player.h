#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/replay_observer.h"
#include "engine/game_tree.h"
#include "model/fit.h"
#include "model/line_likelihood.h"
#include "players/rule_chances.h"
#include "players/rule_set.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The rule player: at each attempt of a line it chooses a letter as one evaluation of the
// rules of the role to move does, with the chances R, or with the lapse rate any of the
// five moves uniformly: it plays x with chance (1 - lapse) R(x) + lapse / 5.
struct RulePlayer {
  RuleSet ck;
  RuleSet nk;
  const RuleSet& RulesFor(char role) const { return role == RoleCK ? ck : nk; }
  RuleSet& RulesFor(char role) { return role == RoleCK ? ck : nk; }
};

// R at a position: the chances of the rules of the role to move for its history string.
LetterChances RuleChancesAt(const RulePlayer& player, const TreeNode& position);

// One attempt of a line: R there and the letter recorded.
struct RuleAttempt {
  LetterChances chances;
  char recorded = '\0';
};

// The line's log-likelihood under the rule player with the lapse rate, and the sum of
// R(recorded letter) over its attempts with their number (in `suggested`: the rule player
// always chooses a letter).
LineScore ScoreAttempts(const std::vector<RuleAttempt>& attempts, double lapse);

// Watches the replay of a line and keeps the rule player's attempts: every position the
// replay plays a recorded letter from (a refused Target swap is an attempt too, and the
// next letter is tried at the same position).
class RuleAttemptObserver : public ReplayObserver {
 public:
  explicit RuleAttemptObserver(const RulePlayer& player) : player_(player) {}
  void LineStarted() { attempts_.clear(); }
  void PositionAnalysed(const AnalysedPosition& position) override;
  const std::vector<RuleAttempt>& attempts() const { return attempts_; }

 private:
  const RulePlayer& player_;
  std::vector<RuleAttempt> attempts_;
};

// The recorded lines of a shoe as the rule player meets them: the situation of every
// attempt (the role to move and its history string), equal ones once, with how often each
// move was recorded there. Found by following the lines as the classify replay does.
struct RuleSituation {
  char role = RoleCK;
  std::string history;
  std::array<long long, MoveCount> recorded{};  // in the order of MoveLetters
};
struct RuleData {
  std::vector<RuleSituation> situations;
  long long attempts = 0;
};
RuleData RuleDataFrom(const HandList& hands);

// A chance of a recorded move and how many attempts have it.
struct ChanceCount {
  double chance = 0;
  long long count = 0;
};

// R(recorded move) over the attempts of the situations of one role ('C' or 'N'), or of both
// roles when role is '\0', appended to `chances`.
void AddRecordedChances(const RuleData& data, const RulePlayer& player, char role, std::vector<ChanceCount>& chances);

// The maximum-likelihood fit of the lapse rate of a rule player whose chances of the
// recorded moves are given (the lapse held when `fixed_lapse` is given): the row of a fit
// table, with k = 1 (0 when held) plus the weights that were fitted to the data before.
FitResult FitRulePlayer(const std::vector<ChanceCount>& chances, std::optional<double> fixed_lapse,
                        int weights_fitted);

}  // namespace bruso
