#pragma once

#include <string>
#include <vector>

#include "engine/table_fields.h"
#include "session/classify_run.h"

namespace bruso {

// The rows of the two tables of a classify run: one per move line, and one per position
// of a line with what the seeded run saw there and the exact chances of each move. With a
// rule player the line has its log-likelihood under it too, and the position its chance
// of each move. The hand is numbered as the caller says (by its place in its own file,
// say).

std::vector<std::string> LineColumns(bool with_rules);
FieldRow LineRow(const ClassifiedLine& line, int hand_number);

std::vector<std::string> PositionColumns(bool with_rules);
std::vector<FieldRow> PositionRows(const ClassifiedLine& line, int hand_number);

// "card_at_hand", "search", "step_aside", "hand_over" or "none".
std::string BranchName(MoveBranch branch);

}  // namespace bruso
