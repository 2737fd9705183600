#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/random.h"
#include "players/rule_matching.h"
#include "players/rules_file.h"

namespace bruso {
namespace {

// The history string at a root whose own card is 2H, with 4C on UP and 3H on T.
constexpr const char* RootHistory = "#2H4C3H";

RuleSet Rules(const std::string& text) {
  RuleSet rules;
  ReadRules(text, rules);
  return rules;
}

// Weights 2 for the three cards of the current board, 1 for every other field.
constexpr const char* WorkedWeights = "0 2 2 2 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";

TEST(RuleMatching, ScoresTheWorkedExample) {
  const RuleSet rules = Rules(std::string(WorkedWeights) + "T 2H # 3H\nU 2H\nC 3H\n");
  const RuleRow situation = CutSituation(RootHistory);
  EXPECT_EQ(RuleScore(rules.RuleTable[0], rules.RuleWeights, situation), 19);
  EXPECT_EQ(RuleScore(rules.RuleTable[1], rules.RuleWeights, situation), 18);
  EXPECT_EQ(RuleScore(rules.RuleTable[2], rules.RuleWeights, situation), std::nullopt);

  Random random(7);
  Random untouched(7);
  EXPECT_EQ(Eval(rules, RootHistory, random), 'T');
  EXPECT_EQ(random.Next(), untouched.Next());  // a clear winner needs no draw
}

TEST(RuleMatching, RulesThatCannotHoldNeverHold) {
  const RuleRow situation = CutSituation(RootHistory);
  const RuleSet rules = Rules(std::string(WorkedWeights) +
                              "t 2h # 3h\n"    // boards hold upper-case codes
                              "T 2H ## 3H\n"   // 3 and H fall into fields 5 and 6
                              "T 2H # 3H U\n"  // asks for a move before the root
                              "T 2\n");        // a card cut short
  for (const RuleRow& rule : rules.RuleTable) {
    if (rule[0] == FreeRowMarker) break;
    EXPECT_EQ(RuleScore(rule, rules.RuleWeights, situation), std::nullopt) << rule[1].Text();
  }
}

TEST(RuleMatching, CutsTheSituationToTheLengthOfTheHistory) {
  const RuleRow situation = CutSituation("#2H4C3HU3H4C");  // one step back
  EXPECT_EQ(situation[0].Text(), "#");
  EXPECT_EQ(situation[1].Text(), "2H");
  EXPECT_EQ(situation[4].Text(), "U");
  EXPECT_EQ(situation[6].Text(), "4C");
  for (int field = 8; field <= RuleFieldCount; ++field) EXPECT_EQ(situation[field - 1], WildcardOf(field));

  // A wildcard in the rule meeting a missing step adds the weight of its field, not 1.
  const RuleSet rules = Rules("0 0 0 0 0 0 0 50\nP\n");
  EXPECT_EQ(RuleScore(rules.RuleTable[0], rules.RuleWeights, situation), 6 + 50);
}

TEST(RuleMatching, TiesGoToALaterRuleOnACoinToss) {
  // Three rules with one score: the first is taken outright, each later one replaces the
  // one before with a chance of a half, so the shares are a quarter, a quarter and a half.
  const RuleSet rules = Rules(std::string(WorkedWeights) + "C 2H\nN 2H\nU 2H\n");
  Random random(2024);
  std::map<char, int> chosen;
  constexpr int Evaluations = 20000;
  for (int i = 0; i < Evaluations; ++i) ++chosen[Eval(rules, RootHistory, random)];
  EXPECT_NEAR(chosen['C'] / double(Evaluations), 0.25, 0.02);
  EXPECT_NEAR(chosen['N'] / double(Evaluations), 0.25, 0.02);
  EXPECT_NEAR(chosen['U'] / double(Evaluations), 0.50, 0.02);

  // One draw per tie: two ties, two draws; the second decides between N and U.
  Random replay(99);
  Random draws(99);
  const double first = draws.Next();
  const double second = draws.Next();
  const char expected = second > 0.5 ? 'U' : (first > 0.5 ? 'N' : 'C');
  EXPECT_EQ(Eval(rules, RootHistory, replay), expected);
  EXPECT_EQ(replay.Next(), draws.Next());
}

TEST(RuleMatching, NoRuleHoldingGivesCOrNOnOneDraw) {
  const RuleSet none;
  Random random(5);
  Random draws(5);
  std::map<char, int> chosen;
  for (int i = 0; i < 1000; ++i) {
    const char letter = Eval(none, RootHistory, random);
    EXPECT_EQ(letter, draws.Next() > 0.5 ? 'C' : 'N');
    ++chosen[letter];
  }
  EXPECT_EQ(chosen.size(), 2u);
  EXPECT_NEAR(chosen['C'] / 1000.0, 0.5, 0.06);
}

TEST(RuleMatching, AScoreOfZeroCompetesWithNoRuleAndBelowZeroNeverWins) {
  // All weights 0: a rule equal in every field scores 0 and needs a coin toss.
  const RuleSet zero = Rules("P 2H 4C 3H\n");
  Random random(11);
  Random draws(11);
  for (int i = 0; i < 200; ++i) {
    const double toss = draws.Next();
    const char expected = toss > 0.5 ? 'P' : (draws.Next() > 0.5 ? 'C' : 'N');
    EXPECT_EQ(Eval(zero, RootHistory, random), expected);
  }

  const RuleSet negative = Rules("10 -5 -5 -5\nP 2H 4C 3H\n");  // "0 -5" would read as a rule line
  Random other(3);
  for (int i = 0; i < 200; ++i) EXPECT_NE(Eval(negative, RootHistory, other), 'P');
}

}  // namespace
}  // namespace bruso
