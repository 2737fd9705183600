#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/game_tree.h"
#include "engine/random.h"
#include "players/rule_set.h"

namespace bruso {

// The situation of one evaluation: the history string cut into the 18 fields, with a
// wildcard in each field the string does not reach (a step back that does not exist).
RuleRow CutSituation(std::string_view history);

// The score of a rule in a situation, or nothing when the rule does not hold. Over fields
// 2 to 18: a field equal to the situation's adds its weight, a wildcard that meets
// anything else adds 1, any other field makes the rule fail.
std::optional<std::int64_t> RuleScore(const RuleRow& rule,
                                      const std::array<std::int32_t, RuleFieldCount>& weights,
                                      const RuleRow& situation);

// Chooses the move letter for the situation that the history string describes. The rule
// with the highest score wins; a rule scoring as much as the best so far replaces it on a
// coin toss (one draw per tie), and a rule that scores below 0 never wins. When no rule
// holds, a draw gives 'C' (above one half) or 'N'. The letter is not checked against the
// moves that can be played. Finds the rules that hold through the rule set's index.
char Eval(const RuleSet& rules, std::string_view history, Random& random);
// The same choice, with the same draws, in the situation of the node (the one its history
// string describes), read from the game tree without building the string.
char EvalAt(const RuleSet& rules, const TreeNode& node, Random& random);

// The same choice, with the same draws, by scoring every rule in turn: the plain
// definition that the index must agree with, kept for tests and benchmarks.
char EvalByScanning(const RuleSet& rules, std::string_view history, Random& random);

}  // namespace bruso
