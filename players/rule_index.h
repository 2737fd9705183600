#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "players/rule_set.h"

namespace bruso {

// The rules of one role sorted by what each field asks for, so that finding the rules that
// hold in a situation costs a few lookups per field instead of a pass over every rule.
// For each condition field it keeps, per value that some rule names there, the set of
// rules that name it, and the set of rules with the field's wildcard. A rule holds when
// every field of it equals the situation's or is the wildcard; it scores the field's
// weight for an equal field and 1 for a wildcard meeting anything else.
class RuleIndex {
 public:
  explicit RuleIndex(const RuleSet& rules);

  // Calls visit(rule, score) for every rule that holds in the situation, in rule order
  // (rule counted from 0), with the score that RuleScore gives it.
  template <typename Visit>
  void ForEachHolder(const RuleRow& situation, Visit&& visit) const;

 private:
  static constexpr int Words = (MaxRules + 63) / 64;
  using RuleBits = std::array<std::uint64_t, Words>;  // bit r: rule r
  struct ValueRules {
    FieldValue value;
    RuleBits rules{};
  };
  struct FieldRules {
    std::vector<ValueRules> byValue;
    RuleBits wildcards{};
  };
  static constexpr RuleBits NoRules{};

  // The rules naming `value` in a field; none when no rule does.
  static const RuleBits& Naming(const FieldRules& field, FieldValue value);

  std::array<FieldRules, RuleFieldCount> fields_{};  // entry f - 1 for field f; field 1 unused
  std::array<std::int32_t, RuleFieldCount> weights_{};
};

template <typename Visit>
void RuleIndex::ForEachHolder(const RuleRow& situation, Visit&& visit) const {
  std::array<const RuleBits*, RuleFieldCount> equal{};
  RuleBits holding;
  holding.fill(~std::uint64_t{0});
  for (int index = ActionField; index < RuleFieldCount; ++index) {  // fields 2 to 18
    equal[index] = &Naming(fields_[index], situation[index]);
    for (int word = 0; word < Words; ++word) {
      holding[word] &= (*equal[index])[word] | fields_[index].wildcards[word];
    }
  }
  for (int word = 0; word < Words; ++word) {
    for (std::uint64_t bits = holding[word]; bits != 0; bits &= bits - 1) {
      const int bit = __builtin_ctzll(bits);
      std::int64_t score = 0;
      for (int index = ActionField; index < RuleFieldCount; ++index) {
        score += ((*equal[index])[word] >> bit & 1) != 0 ? weights_[index] : 1;
      }
      visit(word * 64 + bit, score);
    }
  }
}

}  // namespace bruso
