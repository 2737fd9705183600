#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/command_line.h"
#include "model/rule_player.h"
#include "players/rule_set.h"

namespace bruso {

// Reads the rules file of one side ("CK" or "NK") before a run. Throws IoError when it
// cannot be read. A file with more rules than the table holds is told once on standard
// error, naming the file and the side; its first MaxRules rules are used.
RuleSet LoadRulesFile(const std::string& path, const char* side);

// The rules files of a rule player, CK's and NK's.
struct RuleFiles {
  std::string ck;
  std::string nk;
  std::string Text() const { return ck + "," + nk; }  // as --rules takes them
};

// --ck FILE and --nk FILE, which go together; none when neither is given. Throws
// OptionValueError when only one is.
std::optional<RuleFiles> RuleFilesFrom(const CommandLine& line);

// "CK,NK", the value of --rules. Throws OptionValueError for anything else.
RuleFiles RuleFilesFromText(std::string_view text);

// The rule player of both files, and how many weights the files say were fitted to data
// (see WeightsFittedIn). Throws IoError when a file cannot be read.
struct LoadedRulePlayer {
  RulePlayer player;
  int weightsFitted = 0;
};
LoadedRulePlayer LoadRulePlayer(const RuleFiles& files);

}  // namespace bruso
