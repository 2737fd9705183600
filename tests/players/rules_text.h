#pragma once

#include <string>

#include "players/rules_file.h"

// What the tests of rule matching and of its chances share.

namespace bruso::testing {

// The history string at a root whose own card is 2H, with 4C on UP and 3H on T.
inline constexpr const char* RootHistory = "#2H4C3H";

// The rule set that a rules file of this text loads.
inline RuleSet Rules(const std::string& text) {
  RuleSet rules;
  ReadRules(text, rules);
  return rules;
}

}  // namespace bruso::testing
