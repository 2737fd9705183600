#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/fit.h"
#include "model/rule_player.h"

namespace bruso {

// The weights that a search fits: fields 2 to 18 of each side (the action's weight has no
// effect).
inline constexpr int FirstFittedField = 2;
inline constexpr int FittedWeightsPerSide = RuleFieldCount - FirstFittedField + 1;

// The comment line that follows the weights line of a fitted rules file, saying how many
// of its weights were fitted to data: "/ fit-weights: 17 weights fitted to SHOE".
std::string WeightsFittedComment(int count, std::string_view shoe);
// The count of the last such line of a rules file's text; 0 without one.
int WeightsFittedIn(std::string_view rules_text);

// The whole numbers a search may give a weight, both ends included.
struct WeightRange {
  int low = 0;
  int high = 10;
};

struct WeightSearchResult {
  RulePlayer player;  // the rules with the best weights found
  FitResult before;   // the rule player of the starting files, its lapse rate fitted
  FitResult after;    // the same with the weights found, k counting them
};

// Searches the integer weights of fields 2 to 18 of both sides within the range for the
// highest likelihood of the data, the lapse rate at its best for each set of weights and
// the rules as they are. From each of a few fixed starting points (the files' own
// weights, all 1, all at the middle of the range, all at its top), one weight after the
// other is set to the value of the range that makes the lines most likely, when that is
// more likely than its value now, until a pass over all weights changes none; the best end
// point wins, so the result is never below the files' own weights and does not depend on
// chance. `fitted_before`: the weights of the starting files already fitted to data, for
// the k of `before`. `stop_requested`, when given, is asked before each trial: true ends
// the search with FitCancelled.
WeightSearchResult SearchWeights(const RuleData& data, const RulePlayer& start, WeightRange range,
                                 int fitted_before = 0, const std::function<bool()>& stop_requested = {});

}  // namespace bruso
