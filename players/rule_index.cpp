#include "players/rule_index.h"

#include <algorithm>

namespace bruso {

RuleIndex::RuleIndex(const RuleSet& rules) : weights_(rules.RuleWeights) {
  const int count = std::clamp<std::int32_t>(rules.RuleCount, 0, MaxRules);
  for (int rule = 0; rule < count; ++rule) {
    const std::uint64_t bit = std::uint64_t{1} << (rule % 64);
    for (int index = ActionField; index < RuleFieldCount; ++index) {
      const FieldValue value = rules.RuleTable[rule][index];
      FieldRules& field = fields_[index];
      if (value == WildcardOf(index + 1)) field.wildcards[rule / 64] |= bit;
      // A wildcard is also a value of its own: a situation holding it equals the rule.
      auto named = std::find_if(field.byValue.begin(), field.byValue.end(),
                                [&](const ValueRules& entry) { return entry.value == value; });
      if (named == field.byValue.end()) named = field.byValue.insert(field.byValue.end(), {value, {}});
      named->rules[rule / 64] |= bit;
    }
  }
}

const RuleIndex::RuleBits& RuleIndex::Naming(const FieldRules& field, FieldValue value) {
  for (const ValueRules& entry : field.byValue) {
    if (entry.value == value) return entry.rules;
  }
  return NoRules;
}

}  // namespace bruso
