#pragma once

#include <string>
#include <vector>

#include "session/shared_state.h"

namespace bruso {

// "Load Rules CK" (F2) and "Load Rules NK" (F3), once the user has chosen a file in the
// open dialog (a cancelled dialog calls nothing). The file is loaded into that role's
// rules and its name stored in RulesFileCK or RulesFileNK. A file that cannot be opened or
// read is reported with its I/O error message, and that role's rules and file name stay
// as they were. A file with more rules than the table holds brings "Not enough memory";
// its first 150 rules stay loaded.
void LoadRulesCK(SharedState& state, const std::string& path);
void LoadRulesNK(SharedState& state, const std::string& path);

// "ShowRules" (Ctrl+F1): the lines of the rules window, CK's rules then NK's. Every row of
// a table gives a line of its fields, each after a blank, leaving out fields that contain a
// "?"; so the free rows of a loaded table give no line, while a table never loaded lists
// each row as 18 blanks.
std::vector<std::string> ShowRules(const SharedState& state);

}  // namespace bruso
