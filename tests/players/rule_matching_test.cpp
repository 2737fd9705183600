#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/random.h"
#include "players/history.h"
#include "players/rule_matching.h"
#include "players/rules_file.h"
#include "rules_text.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using testing::RootHistory;
using testing::Rules;

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

// Rules and situations drawn from few values, so that rules hold, tie and fail often: the
// index must choose what scoring every rule chooses, with the same draws.
TEST(RuleMatching, TheIndexChoosesAsScanningEveryRuleDoes) {
  const std::vector<std::string> cards = {"2H", "3H", "4C", "##", "#", "2h"};
  const std::vector<std::string> letters = {"C", "U", "#", "##"};
  Random pick(31);
  auto one_of = [&](const std::vector<std::string>& values) {
    return values[static_cast<std::size_t>(pick.Next() * values.size())];
  };
  for (int set = 0; set < 40; ++set) {
    RuleSet rules;
    rules.RuleCount = 1 + static_cast<int>(pick.Next() * MaxRules);
    for (int field = 2; field <= RuleFieldCount; ++field) {
      rules.Weight(field) = static_cast<int>(pick.Next() * 5) - 1;  // ties and scores of 0 too
    }
    for (int rule = 1; rule <= rules.RuleCount; ++rule) {
      rules.Field(rule, 1) = FieldValue::Of(one_of(letters));
      for (int field = 2; field <= RuleFieldCount; ++field) {
        const bool wild = pick.Next() < 0.9;
        const bool letter_field = FieldWidth(field) == 1;
        rules.Field(rule, field) = wild ? WildcardOf(field) : FieldValue::Of(one_of(letter_field ? letters : cards));
      }
    }
    for (int evaluation = 0; evaluation < 500; ++evaluation) {
      std::string history = "#";
      const int length = static_cast<int>(pick.Next() * 32);
      while (static_cast<int>(history.size()) < length) history += one_of(pick.Next() < 0.3 ? letters : cards);
      const std::uint64_t seed = static_cast<std::uint64_t>(pick.Next() * 1e9);
      Random indexed(seed);
      Random scanned(seed);
      ASSERT_EQ(Eval(rules, history, indexed), EvalByScanning(rules, history, scanned)) << history;
      ASSERT_EQ(indexed.Next(), scanned.Next()) << history;
    }
  }
}

// The choice draws the coins of ties that come before the last outright winner without
// reading them: the letters and the draws must stay those of scanning every rule, for a
// situation met the first time and remembered after.
TEST(RuleMatching, TiesBeforeAnOutrightWinnerOnlyUseUpTheirDraws) {
  // On RootHistory "#2H4C3H" a wildcard rule scores 17, one naming 2H scores 19; with
  // weights of 0, a rule equal in every field scores 0 and only ties.
  const std::string weights = "0 3 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n";
  const std::string zero_weights = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";
  const std::vector<std::string> cases = {
      weights + "C\nN\nU 2H\nP\nT 2H\n",  // a tie before the lead, a loser and a tie after it
      weights + "C\nN\nU\n",               // the lead first, then ties
      weights + "C\nN\nU\nP 2H\n",         // two idle coins, then a lone lead
      zero_weights + "P 2H 4C 3H\nC 2H 4C 3H\nU 2H 4C 3H\n",  // ties only: no lead
  };
  for (const std::string& rules_text : cases) {
    const RuleSet rules = Rules(rules_text);
    for (std::uint64_t seed = 1; seed <= 64; ++seed) {
      Random indexed(seed);
      Random scanned(seed);
      ASSERT_EQ(Eval(rules, RootHistory, indexed), EvalByScanning(rules, RootHistory, scanned)) << rules_text;
      ASSERT_EQ(indexed.Next(), scanned.Next()) << rules_text << " seed " << seed;
    }
  }
}

// The situation read straight from the game tree must be the one its history string
// describes: random plays of one hand, each node judged by random rules on the hand's cards
// through the tree and by scanning every rule on the string, with the same draws.
TEST(RuleMatching, TheTreeGivesTheSituationOfTheHistoryString) {
  testing::StartedSession session;
  session.OpenShoe("4H 4C 3H 3C 2H 2C\n");
  SharedState& state = session.state;
  const std::vector<std::string> cards = {"4H", "4C", "3H", "3C", "2H", "2C", "##"};
  const std::vector<std::string> letters = {"C", "U", "N", "T", "P", "#"};
  Random pick(77);
  auto one_of = [&](const std::vector<std::string>& values) {
    return values[static_cast<std::size_t>(pick.Next() * values.size())];
  };
  RuleSet rules;
  rules.RuleCount = MaxRules;
  for (int field = 2; field <= RuleFieldCount; ++field) rules.Weight(field) = 1 + static_cast<int>(pick.Next() * 4);
  for (int rule = 1; rule <= MaxRules; ++rule) {
    rules.Field(rule, 1) = FieldValue::Of(one_of(letters));
    for (int field = 2; field <= RuleFieldCount; ++field) {
      const bool wild = pick.Next() < 0.8;
      rules.Field(rule, field) = wild ? WildcardOf(field) : FieldValue::Of(one_of(FieldWidth(field) == 1 ? letters : cards));
    }
  }

  Random through_tree(5);
  Random scanning(5);
  std::string history;
  for (int play = 0; play < 300; ++play) {
    state.tree.GoTop(state.CurrentNode);
    state.tree.DeleteBelow(state.CurrentNode, state.CurrentNode);
    state.CurrentNode->role = pick.Next() < 0.5 ? RoleCK : RoleNK;
    for (int move = 0; move < 8; ++move) {
      HiStory(state.CurrentNode, history);
      const char chosen = EvalAt(rules, *state.CurrentNode, through_tree);
      ASSERT_EQ(chosen, EvalByScanning(rules, history, scanning)) << history;
      ASSERT_EQ(through_tree.Next(), scanning.Next()) << history;
      state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, one_of(letters)[0]);
    }
  }
}

TEST(RuleMatching, ARuleChangedAfterAnEvaluationCounts) {
  RuleSet rules = Rules("0 9\nT 2H\n");
  Random random(1);
  EXPECT_EQ(Eval(rules, RootHistory, random), 'T');
  rules.Field(1, 1) = FieldValue::Of("U");
  EXPECT_EQ(Eval(rules, RootHistory, random), 'U');
  ReadRules("0 9\nP 2H\n", rules);
  EXPECT_EQ(Eval(rules, RootHistory, random), 'P');
}

}  // namespace
}  // namespace bruso
