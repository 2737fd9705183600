#pragma once

#include <array>
#include <span>
#include <string_view>

#include "engine/move_engine.h"
#include "players/rule_index.h"
#include "players/rule_set.h"

namespace bruso {

// The chance of each letter that one evaluation of the rules can choose: the five moves,
// and the letters of actions that are no move (such as "#" or a lower-case letter) taken
// together, since none of them is ever a recorded move.
struct LetterChances {
  std::array<double, MoveCount> move{};  // in the order of MoveLetters
  double other = 0;
  // The chance of a move letter; 0 for a letter that is no move.
  double Of(char letter) const {
    const int index = MoveIndex(letter);
    return index < 0 ? 0 : move[index];
  }
};

// The exact chances of the choice that the steps describe (see RuleIndex::Step): the last
// step taken wins, a tie being taken on a coin toss of one half; when no step is taken, C
// and N have one half each.
LetterChances ChancesOfSteps(std::span<const RuleIndex::Step> steps);

// The exact chances of the letter that Eval chooses for the situation of the history
// string: the chances of the same steps that Eval follows.
LetterChances RuleChances(const RuleSet& rules, std::string_view history);

}  // namespace bruso
