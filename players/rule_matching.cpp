#include "players/rule_matching.h"

#include <algorithm>

#include "engine/move_engine.h"
#include "players/rule_index.h"

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

namespace {

char NoRuleLetter(Random& random) { return random.Next() > CoinTossHeads ? MoveC : MoveN; }

// The choice that the steps describe, drawing one coin per tie in rule order: the last
// step taken wins. The ties before the lead draw their coins unread.
char ChooseAmong(const RuleIndex::Choice& choice, Random& random) {
  random.Skip(choice.idleDraws);
  const RuleIndex::Step* taken = choice.lead;
  for (const RuleIndex::Step& tie : choice.ties) {
    const bool heads = random.Next() > CoinTossHeads;
    taken = heads ? &tie : taken;  // a choice without a jump: the coin cannot be foreseen
  }
  return taken != nullptr ? taken->letter : NoRuleLetter(random);
}

}  // namespace

char Eval(const RuleSet& rules, std::string_view history, Random& random) {
  return ChooseAmong(RuleIndexOf(rules).ChoiceFor(history), random);
}

char EvalAt(const RuleSet& rules, const TreeNode& node, Random& random) {
  return ChooseAmong(RuleIndexOf(rules).ChoiceAt(node), random);
}

char EvalByScanning(const RuleSet& rules, std::string_view history, Random& random) {
  const RuleRow situation = CutSituation(history);
  std::int64_t best = 0;
  int taken = -1;
  const int count = std::min<std::int32_t>(rules.RuleCount, MaxRules);
  for (int index = 0; index < count; ++index) {
    std::int64_t score = 0;
    if (!ScoreRule(rules.RuleTable[index], rules.RuleWeights, situation, score)) continue;
    if (score > best || (score == best && random.Next() > CoinTossHeads)) {
      best = score;
      taken = index;
    }
  }
  return taken >= 0 ? rules.RuleTable[taken][ActionField - 1].First() : NoRuleLetter(random);
}

}  // namespace bruso
