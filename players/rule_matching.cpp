#include "players/rule_matching.h"

#include <algorithm>

#include "engine/move_engine.h"

namespace bruso {

namespace {

constexpr double CoinTossHeads = 0.5;

constexpr std::array<FieldValue, RuleFieldCount> Wildcards = [] {
  std::array<FieldValue, RuleFieldCount> wildcards{};
  for (int field = 1; field <= RuleFieldCount; ++field) wildcards[field - 1] = WildcardOf(field);
  return wildcards;
}();

// The matching loop that every evaluation runs once per rule, kept small enough to inline.
// False when the rule does not hold.
inline bool ScoreRule(const RuleRow& rule, const std::array<std::int32_t, RuleFieldCount>& weights,
                      const RuleRow& situation, std::int64_t& score) {
  score = 0;  // 17 weights of 32 bits cannot overflow 64 bits
  // Unrolled in every build type: the fixed 17 steps then need no loop branch of their own.
#pragma GCC unroll 17
  for (int index = ActionField; index < RuleFieldCount; ++index) {  // fields 2 to 18
    if (rule[index] == situation[index]) score += weights[index];
    else if (rule[index] == Wildcards[index]) score += 1;
    else return false;
  }
  return true;
}

}  // namespace

RuleRow CutSituation(std::string_view history) {
  RuleRow situation;
  std::size_t cursor = 0;
  for (int field = 1; field <= RuleFieldCount; ++field) {
    const int width = FieldWidth(field);
    if (cursor >= history.size()) {
      situation[field - 1] = Wildcards[field - 1];
    } else {
      situation[field - 1] = FieldValue::Of(history.substr(cursor, width));
      cursor += width;
    }
  }
  return situation;
}

std::optional<std::int64_t> RuleScore(const RuleRow& rule,
                                      const std::array<std::int32_t, RuleFieldCount>& weights,
                                      const RuleRow& situation) {
  std::int64_t score = 0;
  if (!ScoreRule(rule, weights, situation, score)) return std::nullopt;
  return score;
}

char Eval(const RuleSet& rules, std::string_view history, Random& random) {
  const RuleRow situation = CutSituation(history);
  std::int64_t best = 0;
  const RuleRow* taken = nullptr;
  const int count = std::min<std::int32_t>(rules.RuleCount, MaxRules);
  for (int index = 0; index < count; ++index) {
    const RuleRow& rule = rules.RuleTable[index];
    std::int64_t score = 0;
    if (!ScoreRule(rule, rules.RuleWeights, situation, score)) continue;
    if (score > best || (score == best && random.Next() > CoinTossHeads)) {
      best = score;
      taken = &rule;
    }
  }
  if (taken != nullptr) {
    const std::string action = (*taken)[ActionField - 1].Text();
    return action.empty() ? '\0' : action.front();
  }
  return random.Next() > CoinTossHeads ? MoveC : MoveN;
}

}  // namespace bruso
