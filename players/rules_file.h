#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "players/rule_set.h"

namespace bruso {

inline constexpr const char* NotEnoughMemoryMessage = "Not enough memory";

// How a line of a rules file counts, judged on its compact form.
enum class RulesLineKind {
  Skipped,  // empty, a comment ("/" first) or a stray carriage return
  Weights,  // its first two characters read as a whole integer ("10 5", "$A")
  Rule,     // anything else ("1,2,3" too)
};

// The line with every blank and tab taken out.
std::string CompactForm(std::string_view line);

RulesLineKind ClassifyRulesLine(std::string_view compact);

// Cuts a compact rule line into the 18 fields from the left. A field the line does not
// reach is a wildcard; a single "#" stands for a whole card in a field two wide; a field
// cut short by the end of the line keeps what there is (and so never matches).
RuleRow CutRuleLine(std::string_view compact);

// Each piece of the line between blanks and tabs that reads as a whole integer becomes the
// weight of its place (1 to 18); pieces beyond the 18th and pieces that are no whole
// integer leave the weights as they are.
void ReadWeightsLine(std::string_view line, std::array<std::int32_t, RuleFieldCount>& weights);

struct RulesLoad {
  // The file held more rule lines than the table has rows: the load stopped at the first
  // one too many, and the table holds the first MaxRules rules.
  bool tableFull = false;
};

// Loads the text of a rules file into the rule set: every row is freed first, weights
// lines overwrite the weights they reach, and the rule count becomes the number of rules
// read (MaxRules when the table filled up).
RulesLoad ReadRules(std::string_view text, RuleSet& rules);

// Loads the named rules file. Throws IoError, leaving the rule set as it was, when the
// file cannot be opened or read.
RulesLoad Memo(const std::string& path, RuleSet& rules);

}  // namespace bruso
