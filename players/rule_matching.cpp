#include "players/rule_matching.h"

#include <algorithm>

#include "engine/move_engine.h"

namespace bruso {

namespace {

constexpr double CoinTossHeads = 0.5;

}  // namespace

RuleRow CutSituation(std::string_view history) {
  RuleRow situation;
  std::size_t cursor = 0;
  for (int field = 1; field <= RuleFieldCount; ++field) {
    const int width = FieldWidth(field);
    if (cursor >= history.size()) {
      situation[field - 1] = WildcardOf(field);
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
  std::int64_t score = 0;  // 17 weights of 32 bits cannot overflow 64 bits
  for (int index = ActionField; index < RuleFieldCount; ++index) {  // fields 2 to 18
    if (rule[index] == situation[index]) score += weights[index];
    else if (rule[index] == WildcardOf(index + 1)) score += 1;
    else return std::nullopt;
  }
  return score;
}

char Eval(const RuleSet& rules, std::string_view history, Random& random) {
  const RuleRow situation = CutSituation(history);
  std::int64_t best = 0;
  const RuleRow* taken = nullptr;
  const int count = std::min<std::int32_t>(rules.RuleCount, MaxRules);
  for (int index = 0; index < count; ++index) {
    const RuleRow& rule = rules.RuleTable[index];
    const std::optional<std::int64_t> score = RuleScore(rule, rules.RuleWeights, situation);
    if (!score) continue;
    if (*score > best || (*score == best && random.Next() > CoinTossHeads)) {
      best = *score;
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
