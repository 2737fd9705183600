#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/compiled_line.h"
#include "model/line_likelihood.h"
#include "model/rule_player.h"

namespace bruso {

// The columns of the table of positions that `classify --positions` writes: one row per
// position, what the seeded run saw there and the exact chances of each suggestion.
extern const std::vector<std::string> PositionCsvHeader;

// The row of position `position` (from 1) of line `line` of hand `hand`.
std::vector<std::string> PositionCsvFields(int hand, std::size_t line, std::size_t position, const PositionFacts& facts,
                                           const PositionChances& chances);

// The columns that a rule player adds to it: R of each move and of the recorded one.
extern const std::vector<std::string> RuleChanceCsvColumns;
std::vector<std::string> RuleChanceCsvFields(const RuleAttempt& attempt);

// A number for a table in a file: the shortest text that reads back as the same number.
std::string TableNumber(double value);
// A number for a table on screen: up to six significant digits.
std::string ScreenNumber(double value);

}  // namespace bruso
