#pragma once

#include <string>

#include "players/rule_set.h"

namespace bruso {

// Reads the rules file of one side ("CK" or "NK") before a run. Throws IoError when it
// cannot be read. A file with more rules than the table holds is told once on standard
// error, naming the file and the side; its first MaxRules rules are used.
RuleSet LoadRulesFile(const std::string& path, const char* side);

}  // namespace bruso
