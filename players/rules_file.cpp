#include "players/rules_file.h"

#include <optional>

#include "engine/text_file.h"
#include "engine/text_lines.h"
#include "engine/whole_integer.h"

namespace bruso {

namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string CompactForm(std::string_view line) {
  std::string compact;
  compact.reserve(line.size());
  for (char c : line) {
    if (!IsBlankOrTab(c)) compact.push_back(c);
  }
  return compact;
}

RulesLineKind ClassifyRulesLine(std::string_view compact) {
  if (compact.empty() || compact.front() == '/' || compact.front() == '\r') return RulesLineKind::Skipped;
  if (ParseWholeInteger(compact.substr(0, 2))) return RulesLineKind::Weights;
  return RulesLineKind::Rule;
}

RuleRow CutRuleLine(std::string_view compact) {
  RuleRow row;
  std::size_t cursor = 0;
  for (int field = 1; field <= RuleFieldCount; ++field) {
    const int width = FieldWidth(field);
    FieldValue& value = row[field - 1];
    if (cursor >= compact.size()) {
      value = WildcardOf(field);
    } else if (compact[cursor] == '#' && width == 2) {
      value = WildcardOf(field);
      cursor += 1;
    } else {
      value = FieldValue::Of(compact.substr(cursor, width));
      cursor += width;
    }
  }
  return row;
}

void ReadWeightsLine(std::string_view line, std::array<std::int32_t, RuleFieldCount>& weights) {
  std::size_t place = 0;
  std::size_t at = 0;
  while (place < weights.size()) {
    while (at < line.size() && IsBlankOrTab(line[at])) ++at;
    if (at >= line.size()) return;
    std::size_t end = at;
    while (end < line.size() && !IsBlankOrTab(line[end])) ++end;
    if (std::optional<std::int32_t> weight = ParseWholeInteger(line.substr(at, end - at))) {
      weights[place] = *weight;
    }
    ++place;
    at = end;
  }
}

RulesLoad ReadRules(std::string_view text, RuleSet& rules) {
  rules.Index.reset();
  for (RuleRow& row : rules.RuleTable) row.fill(FreeRowMarker);
  int count = 0;
  LineCursor lines(WithoutByteOrderMark(text));
  std::string_view line;
  while (lines.Next(line)) {
    const std::string compact = CompactForm(line);
    switch (ClassifyRulesLine(compact)) {
      case RulesLineKind::Skipped:
        break;
      case RulesLineKind::Weights:
        ReadWeightsLine(line, rules.RuleWeights);
        break;
      case RulesLineKind::Rule:
        if (count == MaxRules) {
          // The count follows the table, which now holds the first MaxRules rules.
          rules.RuleCount = MaxRules;
          return {.tableFull = true};
        }
        rules.RuleTable[count++] = CutRuleLine(compact);
        break;
    }
  }
  rules.RuleCount = count;
  return {};
}

RulesLoad Memo(const std::string& path, RuleSet& rules) { return ReadRules(ReadWholeFile(path), rules); }

}  // namespace bruso
