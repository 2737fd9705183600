#include "players/rule_index.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "players/rule_matching.h"

namespace bruso {

RuleIndex::RuleIndex(const RuleSet& rules) : weights_(rules.RuleWeights) {
  const int count = std::clamp<std::int32_t>(rules.RuleCount, 0, MaxRules);
  for (int rule = 0; rule < count; ++rule) {
    letters_[rule] = rules.RuleTable[rule][ActionField - 1].First();
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

const RuleIndex& RuleIndexOf(const RuleSet& rules) {
  if (!rules.Index) rules.Index = std::make_shared<const RuleIndex>(rules);
  return *rules.Index;
}

const RuleIndex::RuleBits& RuleIndex::Naming(const FieldRules& field, FieldValue value) {
  for (const ValueRules& entry : field.byValue) {
    if (entry.value == value) return entry.rules;
  }
  return NoRules;
}

RuleIndex::StepRange RuleIndex::WorkOutSteps(const RuleRow& situation, std::vector<Step>& steps) const {
  const auto start = static_cast<std::uint32_t>(steps.size());
  std::int64_t best = 0;
  ForEachHolder(situation, [&](int rule, std::int64_t score) {
    if (score < best) return;
    steps.push_back({letters_[rule], score == best});
    best = score;
  });
  const auto count = static_cast<std::uint32_t>(steps.size()) - start;
  StepRange range{.start = start, .count = count, .lead = count, .idleDraws = 0};
  std::uint32_t ties = 0;
  for (std::uint32_t step = 0; step < count; ++step) {
    if (steps[start + step].tie) {
      ++ties;
    } else {
      range.lead = step;
      range.idleDraws = ties;
    }
  }
  return range;
}

RuleIndex::HistoryKey RuleIndex::KeyOf(std::string_view history) {
  HistoryKey key;
  if (!history.empty()) std::memcpy(key.words.data(), history.data(), history.size());
  key.words.back() |= static_cast<std::uint64_t>(history.size()) << 56;
  return key;
}

std::pair<std::span<const RuleIndex::Step>, RuleIndex::StepRange> RuleIndex::Find(std::string_view history) const {
  auto worked_out = [&]() {
    scratch_.clear();
    const StepRange range = WorkOutSteps(CutSituation(history), scratch_);
    return std::pair(std::span<const Step>(scratch_), range);
  };
  auto remembered = [&](const StepRange& range) {
    return std::pair(std::span<const Step>(stepPool_).subspan(range.start, range.count), range);
  };

  if (history.size() > HistoryKey::MaxLength) return worked_out();
  const HistoryKey key = KeyOf(history);
  if (auto found = remembered_.find(key); found != remembered_.end()) return remembered(found->second);
  if (remembered_.size() >= MaxRemembered) return worked_out();
  const StepRange range = WorkOutSteps(CutSituation(history), stepPool_);
  remembered_.emplace(key, range);
  return remembered(range);
}

std::span<const RuleIndex::Step> RuleIndex::StepsFor(std::string_view history) const { return Find(history).first; }

RuleIndex::Choice RuleIndex::ChoiceFor(std::string_view history) const {
  const auto [steps, range] = Find(history);
  if (range.lead == range.count) return {.ties = steps};
  return {.idleDraws = range.idleDraws, .lead = &steps[range.lead], .ties = steps.subspan(range.lead + 1)};
}

}  // namespace bruso
