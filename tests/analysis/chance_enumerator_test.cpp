#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "analysis/chance_enumerator.h"

namespace bruso {
namespace {

// A decision tree whose shape depends on the answers: a card rule, then a coin only when
// the rule gave its unlikely card, then another coin only after N.
std::string Walk(Chance& chance) {
  if (chance.TakesLikelyCard(3, 0.4)) return "likely";
  if (!chance.ExploresN()) return "unlikely C";
  return chance.ExploresN() ? "unlikely N N" : "unlikely N C";
}

TEST(EnumeratingChance, FollowsEveryOutcomeOnceWithItsDecisions) {
  EnumeratingChance chance;
  std::set<std::string> outcomes;
  std::set<std::size_t> lengths;
  int runs = 0;
  do {
    outcomes.insert(Walk(chance));
    lengths.insert(chance.decisions().size());
    EXPECT_EQ(chance.decisions().front().rule, 3);
    ++runs;
  } while (chance.NextOutcome());
  EXPECT_EQ(runs, 4);
  EXPECT_EQ(outcomes, (std::set<std::string>{"likely", "unlikely C", "unlikely N N", "unlikely N C"}));
  EXPECT_EQ(lengths, (std::set<std::size_t>{1, 2, 3}));
}

// A run known beforehand (the seeded replay's) stands in for the run it equals: the
// enumeration goes on to the same outcomes after it, and no other run is taken for it.
TEST(EnumeratingChance, SkipsTheRunItIsGiven) {
  const std::vector<Decision> known = {{3, false}, {CoinDecision, true}, {CoinDecision, false}};
  EnumeratingChance chance;
  std::vector<std::string> outcomes;
  int skipped = 0;
  do {
    if (chance.NextRunIs(known)) {
      chance.Skip(known);
      outcomes.push_back("unlikely N C");
      ++skipped;
      continue;
    }
    outcomes.push_back(Walk(chance));
  } while (chance.NextOutcome());
  EXPECT_EQ(skipped, 1);
  EXPECT_EQ(outcomes, (std::vector<std::string>{"unlikely C", "unlikely N C", "unlikely N N", "likely"}));
}

}  // namespace
}  // namespace bruso
