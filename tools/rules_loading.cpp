#include "tools/rules_loading.h"

#include <cstdio>

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

}  // namespace bruso
