// Feeds arbitrary bytes to the rules reader, then matches the rules it read against a few
// situations, the way loading and playing use them.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/random.h"
#include "players/rule_matching.h"
#include "players/rules_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bruso::RuleSet rules;
  bruso::ReadRules(text, rules);
  bruso::Random random(1);
  // Histories of each length a game gives, and the start of the input itself.
  for (std::string_view history : {"#2H4C3H", "#2H4C3HU3H4C", "#3C4H2CN4H2CU2H3H4H2C",
                                   "#3C4H2CN4H2CU2H3H4H2CP3H3C", "#3C4H2CN4H2CU2H3H4H2CP3H3CT2C4C3H2H"}) {
    bruso::Eval(rules, history, random);
  }
  bruso::Eval(rules, text.substr(0, bruso::RuleFieldCount * 2), random);
  return 0;
}
