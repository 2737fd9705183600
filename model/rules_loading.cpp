#include "model/rules_loading.h"

#include <cstdio>

#include "engine/text_file.h"
#include "model/weight_search.h"
#include "players/rules_file.h"

namespace bruso {

RuleSet LoadRulesFile(const std::string& path, const char* side) {
  RuleSet rules;
  if (Memo(path, rules).tableFull) {
    std::fprintf(stderr, "bruso-batch: %s (%s): %s: only the first %d rules are used\n", path.c_str(), side,
                 NotEnoughMemoryMessage, MaxRules);
  }
  return rules;
}

std::optional<RuleFiles> RuleFilesFrom(const CommandLine& line) {
  const std::optional<std::string> ck = line.Value("--ck");
  const std::optional<std::string> nk = line.Value("--nk");
  if (!ck && !nk) return std::nullopt;
  if (!ck || !nk) throw OptionValueError("--ck and --nk go together: give both rules files");
  return RuleFiles{*ck, *nk};
}

RuleFiles RuleFilesFromText(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos || comma == 0 || comma + 1 == text.size() ||
      text.find(',', comma + 1) != std::string_view::npos) {
    throw OptionValueError("--rules takes two rules files separated by a comma, CK's first, not '" +
                           std::string(text) + "'");
  }
  return {std::string(text.substr(0, comma)), std::string(text.substr(comma + 1))};
}

LoadedRulePlayer LoadRulePlayer(const RuleFiles& files) {
  LoadedRulePlayer loaded;
  loaded.player.ck = LoadRulesFile(files.ck, "CK");
  loaded.player.nk = LoadRulesFile(files.nk, "NK");
  loaded.weightsFitted = WeightsFittedIn(ReadWholeFile(files.ck)) + WeightsFittedIn(ReadWholeFile(files.nk));
  return loaded;
}

}  // namespace bruso
