#include "session/rules_commands.h"

#include "engine/io_error.h"
#include "players/rules_file.h"

namespace bruso {

namespace {

void LoadRules(SharedState& state, RuleSet& rules, std::string& file_name, const std::string& path) {
  RulesLoad load;
  try {
    load = Memo(path, rules);
  } catch (const IoError& error) {
    state.ShowMessage(error.what());
    return;
  }
  file_name = path;
  if (load.tableFull) state.ShowMessage(NotEnoughMemoryMessage);
}

void ListRules(const RuleSet& rules, std::vector<std::string>& lines) {
  for (const RuleRow& row : rules.RuleTable) {
    std::string text;
    for (const FieldValue& field : row) {
      const std::string value = field.Text();
      if (value.find('?') == std::string::npos) text += " " + value;
    }
    if (!text.empty()) lines.push_back(text);
  }
}

}  // namespace

void LoadRulesCK(SharedState& state, const std::string& path) {
  LoadRules(state, state.RulesCK, state.RulesFileCK, path);
}

void LoadRulesNK(SharedState& state, const std::string& path) {
  LoadRules(state, state.RulesNK, state.RulesFileNK, path);
}

std::vector<std::string> ShowRules(const SharedState& state) {
  std::vector<std::string> lines = {"CK rules", std::string(28, '-')};
  ListRules(state.RulesCK, lines);
  lines.insert(lines.end(), {"", "", "NK rules", std::string(27, '-')});
  ListRules(state.RulesNK, lines);
  return lines;
}

}  // namespace bruso
