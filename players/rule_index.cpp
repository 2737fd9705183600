#include "players/rule_index.h"

#include <algorithm>
#include <cstring>

#include "players/history.h"
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

namespace {

// The lengths of the history string with 0 to 4 steps back.
constexpr std::array<std::size_t, 5> FullLengths = {7, 12, 19, 24, 31};
constexpr std::size_t UpOffset = Board::CellIndex(Position::UP) * CardCodeLength;
static_assert(Board::CellIndex(Position::T) == Board::CellIndex(Position::UP) + 1,
              "UP and T are read from a Board in one load");

std::uint64_t Load32(const char* bytes) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

std::uint64_t Load16(const char* bytes) {
  std::uint16_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

std::uint64_t Byte(char c) { return static_cast<unsigned char>(c); }

// Puts one step back (1 to 4) into the words of a key: the letter of the move played there,
// and its UP and T with the own card above them (steps 2 and 4). Each card lies where one
// load of a Board puts it.
void AddStep(std::array<std::uint64_t, 4>& words, int step, std::uint64_t move, std::uint64_t cards) {
  switch (step) {
    case 1: words[0] |= move << 48; words[1] |= cards; break;
    case 2: words[2] |= cards | move << 48; break;
    case 3: words[1] |= cards << 32; words[2] |= move << 56; break;
    default: words[3] |= cards | move << 48; break;
  }
}

// The words of a key holding the node's own card, UP and T and the number of steps back.
std::array<std::uint64_t, 4> NodeWords(std::uint64_t cards, int steps) {
  return {cards | static_cast<std::uint64_t>(steps) << 56, 0, 0, 0};
}

}  // namespace

std::optional<RuleIndex::SituationKey> RuleIndex::KeyOf(std::string_view history) {
  int steps = 0;
  while (steps < 5 && FullLengths[steps] != history.size()) ++steps;
  if (steps == 5) return RawKeyOf(history);
  const char* text = history.data();
  SituationKey key{NodeWords(Load32(text + 3) | Load16(text + 1) << 32, steps)};
  for (int step = 1; step <= steps; ++step) {
    const char* at = text + FullLengths[step - 1];  // the move letter, then the cards
    AddStep(key.words, step, Byte(at[0]), step % 2 == 0 ? Load32(at + 3) | Load16(at + 1) << 32 : Load32(at + 1));
  }
  return key;
}

std::optional<RuleIndex::SituationKey> RuleIndex::RawKeyOf(std::string_view history) {
  if (history.empty() || history.size() > FullLengths.back()) return std::nullopt;
  SituationKey key;
  std::memcpy(key.words.data(), history.data() + 1, history.size() - 1);
  // The top byte, 0 in the key of a full length, marks the length.
  key.words[3] |= (0x80u | static_cast<std::uint64_t>(history.size())) << 56;
  return key;
}

RuleIndex::SituationKey RuleIndex::KeyAt(const TreeNode& node) {
  const std::size_t own = Board::CellIndex(node.role == RoleCK ? Position::CK : Position::NK) * CardCodeLength;
  const char* here = node.board.chars.data();
  std::array<std::uint64_t, 4> words = NodeWords(Load32(here + UpOffset) | Load16(here + own) << 32, 0);
  int steps = 0;
  for (const TreeNode* back = node.parent; back != nullptr && steps < 4; back = back->parent) {
    ++steps;
    const char* board = back->board.chars.data();
    AddStep(words, steps, Byte(back->move), Load32(board + UpOffset) | (steps % 2 == 0 ? Load16(board + own) << 32 : 0));
  }
  words[0] |= static_cast<std::uint64_t>(steps) << 56;
  return SituationKey{words};
}

template <typename History>
RuleIndex::Found RuleIndex::Find(const std::optional<SituationKey>& key, History&& history) const {
  auto worked_out = [&]() {
    scratch_.clear();
    const StepRange range = WorkOutSteps(CutSituation(history()), scratch_);
    return Found(std::span<const Step>(scratch_), range);
  };
  auto remembered = [&](const StepRange& range) {
    return Found(std::span<const Step>(stepPool_).subspan(range.start, range.count), range);
  };

  if (!key) return worked_out();
  if (auto found = remembered_.find(*key); found != remembered_.end()) return remembered(found->second);
  if (remembered_.size() >= MaxRemembered) return worked_out();
  const StepRange range = WorkOutSteps(CutSituation(history()), stepPool_);
  remembered_.emplace(*key, range);
  return remembered(range);
}

RuleIndex::Choice RuleIndex::ChoiceOf(const Found& found) {
  const auto& [steps, range] = found;
  if (range.lead == range.count) return {.ties = steps};
  return {.idleDraws = range.idleDraws, .lead = &steps[range.lead], .ties = steps.subspan(range.lead + 1)};
}

std::span<const RuleIndex::Step> RuleIndex::StepsFor(std::string_view history) const {
  return Find(KeyOf(history), [&] { return history; }).first;
}

RuleIndex::Choice RuleIndex::ChoiceFor(std::string_view history) const {
  return ChoiceOf(Find(KeyOf(history), [&] { return history; }));
}

RuleIndex::Choice RuleIndex::ChoiceAt(const TreeNode& node) const {
  return ChoiceOf(Find(KeyAt(node), [&]() -> std::string_view {
    HiStory(&node, history_);
    return history_;
  }));
}

}  // namespace bruso
