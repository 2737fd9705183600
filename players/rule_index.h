#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "absl/container/flat_hash_map.h"
#include "engine/game_tree.h"
#include "players/rule_set.h"

namespace bruso {

// The rules of one role sorted by what each field asks for, so that finding the rules that
// hold in a situation costs a few lookups per field instead of a pass over every rule.
// For each condition field it keeps, per value that some rule names there, the set of
// rules that name it, and the set of rules with the field's wildcard. A rule holds when
// every field of it equals the situation's or is the wildcard; it scores the field's
// weight for an equal field and 1 for a wildcard meeting anything else.
//
// It also remembers, per situation met, the steps of the choice among the rules that hold
// (see Steps): the situations of a run are few and repeat, and the rules never change while
// it lasts.
class RuleIndex {
 public:
  // One rule that the choice meets in rule order and that can win: one scoring more than
  // every rule before it (and more than 0) wins outright; one scoring as much as the best
  // so far (0 at first) wins on a coin toss. Rules scoring less can never win and draw
  // nothing, so they are left out.
  struct Step {
    char letter;  // the first character of the rule's action, '\0' for none
    bool tie;
  };

  // The same choice cut where the last step that wins outright stands: the coins of the
  // ties before it are drawn for nothing, as that step wins whatever they give.
  struct Choice {
    std::uint32_t idleDraws = 0;    // ties before the lead, each drawing one number
    const Step* lead = nullptr;     // the last step that wins outright, if any
    std::span<const Step> ties;     // the ties after it (all the steps when there is no lead)
  };

  explicit RuleIndex(const RuleSet& rules);

  // The steps of the choice in the situation of the history string, from memory when the
  // string was met before. Good until the next call.
  std::span<const Step> StepsFor(std::string_view history) const;
  // The same steps cut as Choice describes. Good until the next call.
  Choice ChoiceFor(std::string_view history) const;
  // The choice in the situation of the node, as ChoiceFor(the node's history string) gives
  // it: the situation is read straight from the node and the four steps above it, and the
  // string is built only the first time the situation is met.
  Choice ChoiceAt(const TreeNode& node) const;

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

  // The bytes of a history string of a full length (7, 12, 19, 24 or 31: 0 to 4 steps back)
  // after its leading "#", packed into four words with the number of steps, the top byte
  // left 0 (RawKeyOf marks it for strings of other lengths), so that the memory of steps
  // compares and hashes a situation without a pointer to follow. The leading character
  // never counts in matching. Each card lies where one load of a Board puts it, so that the
  // key of a node is put together in registers (see KeyAt).
  struct SituationKey {
    std::array<std::uint64_t, 4> words{};
    // Word by word: the generated comparison of the array calls memcmp.
    bool operator==(const SituationKey& other) const {
      return ((words[0] ^ other.words[0]) | (words[1] ^ other.words[1]) | (words[2] ^ other.words[2]) |
              (words[3] ^ other.words[3])) == 0;
    }
  };
  // A few multiplications, inlined: a general hash of the 32 bytes costs more than the
  // lookup it serves.
  struct SituationKeyHash {
    std::size_t operator()(const SituationKey& key) const noexcept;
  };
  // Where the steps of one situation lie in stepPool_, and where its lead stands.
  struct StepRange {
    std::uint32_t start;
    std::uint32_t count;
    std::uint32_t lead;  // count when there is no lead
    std::uint32_t idleDraws;
  };
  // Enough for the situations of a long run; past it, steps are worked out every time.
  static constexpr std::size_t MaxRemembered = 200000;

  // The rules naming `value` in a field; none when no rule does.
  static const RuleBits& Naming(const FieldRules& field, FieldValue value);
  // The key of a history string; none for a string longer than 31 bytes.
  static std::optional<SituationKey> KeyOf(std::string_view history);
  // The key of a string of another length than the full ones, which only tests and
  // benchmarks make up: its bytes after the first as they stand.
  static std::optional<SituationKey> RawKeyOf(std::string_view history);
  static SituationKey KeyAt(const TreeNode& node);
  // Appends the steps of the situation to `steps`; returns where they lie.
  StepRange WorkOutSteps(const RuleRow& situation, std::vector<Step>& steps) const;
  using Found = std::pair<std::span<const Step>, StepRange>;
  // The steps of the situation with that key (none: not to be remembered), which the
  // history string that `history` gives describes: in stepPool_ when remembered, else in
  // scratch_. `history` is called only for a situation not remembered.
  template <typename History>
  Found Find(const std::optional<SituationKey>& key, History&& history) const;
  static Choice ChoiceOf(const Found& found);

  std::array<FieldRules, RuleFieldCount> fields_{};  // entry f - 1 for field f; field 1 unused
  std::array<std::int32_t, RuleFieldCount> weights_{};
  std::array<char, MaxRules> letters_{};
  mutable absl::flat_hash_map<SituationKey, StepRange, SituationKeyHash> remembered_;
  mutable std::vector<Step> stepPool_;
  mutable std::vector<Step> scratch_;
  mutable std::string history_;  // the string of a node whose situation is new
};

// The rule set's index, built from it the first time it is needed. Inline: every
// evaluation asks for it.
inline const RuleIndex& RuleIndexOf(const RuleSet& rules) {
  if (!rules.Index) rules.Index = std::make_shared<const RuleIndex>(rules);
  return *rules.Index;
}

inline std::size_t RuleIndex::SituationKeyHash::operator()(const SituationKey& key) const noexcept {
  // Four products side by side rather than one after another.
  const std::uint64_t hash = key.words[0] * 0x9E3779B97F4A7C15u ^ key.words[1] * 0xC2B2AE3D27D4EB4Fu ^
                             key.words[2] * 0x165667B19E3779F9u ^ key.words[3] * 0xD6E8FEB86659FD93u;
  return static_cast<std::size_t>(hash ^ (hash >> 32));  // the table reads the low bits too
}

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
