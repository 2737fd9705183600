#include <gtest/gtest.h>

#include "analysis_bench.h"

namespace bruso {
namespace {

using testing::AnalysisBench;
using testing::NodeAt;

struct CardRuleCase {
  int rule;
  const char* board;  // C, CK, UP, T, N, NK
  int m;
  const char* likely;    // taken when the draw is below the rule's probability
  const char* unlikely;  // taken otherwise
};

// Each board makes exactly the named rule the first that holds, on the Target A[m].
const CardRuleCase NKRules[] = {
    {1, "4H4C2C3C2H3H", 3, "3H", "2H"},  // NK holds B[3]
    {2, "2H3C4H4C3H2C", 4, "4H", "2H"},  // UP holds B[4]
    {3, "3H4C2C3C4H2H", 3, "2H", "3H"},  // NK holds the goal card
    {4, "4H3C2H4C3H2C", 4, "2H", "4H"},  // UP holds the goal card
};

const CardRuleCase CKRules[] = {
    {5, "4H2C3H3C2H4C", 3, "2C", "2H"},   // CK holds A[2]
    {6, "3H3C2C4C2H4H", 4, "2C", "2H"},   // UP holds A[2]
    {7, "4H2H4C3C2C3H", 3, "2H", "2C"},   // CK holds the goal card
    {8, "3C3H2H4C2C4H", 4, "2H", "2C"},   // UP holds the goal card
    {9, "2H3C4H4C2C3H", 4, "3C", "##"},   // CK holds A[3], also on A[4]
    {10, "2H4H3C4C2C3H", 4, "3C", "##"},  // UP holds A[3], also on A[4]
};

// The rule's own probability decides; every other one is set the opposite way, so a rule
// reading the wrong entry fails.
std::string Choose(const CardRuleCase& c, char role, double own_probability) {
  AnalysisBench bench;
  bench.AllProbabilities(1 - own_probability);
  bench.settings.ProbTable[c.rule] = own_probability;
  TreeNode node = NodeAt(c.board, role);
  return std::string(role == RoleNK ? Score::ChooseCardNK(node, c.m, bench.settings, bench.chance)
                                    : Score::ChooseCardCK(node, c.m, bench.settings, bench.chance));
}

TEST(CardRules, EachNKRuleTakesItsFirstCardBelowItsProbability) {
  for (const CardRuleCase& c : NKRules) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(Choose(c, RoleNK, 1.0), c.likely);
    EXPECT_EQ(Choose(c, RoleNK, 0.0), c.unlikely);
  }
}

TEST(CardRules, EachCKRuleTakesItsFirstCardBelowItsProbability) {
  for (const CardRuleCase& c : CKRules) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(Choose(c, RoleCK, 1.0), c.likely);
    EXPECT_EQ(Choose(c, RoleCK, 0.0), c.unlikely);
  }
}

TEST(CardRules, NKRuleOneComesBeforeRuleFour) {
  // NK holds 3H while 2H lies on UP; with every probability 1, rule 4 would give 2H.
  AnalysisBench bench;
  bench.AllProbabilities(1);
  TreeNode node = NodeAt("4H4C2H3C2C3H", RoleNK);
  EXPECT_EQ(Score::ChooseCardNK(node, 3, bench.settings, bench.chance), "3H");
}

TEST(CardRules, OneDrawWhenARuleHoldsAndNoneOtherwise) {
  AnalysisBench bench;
  Random twin{1};
  const TreeNode no_rule = NodeAt("2H4C4H3C3H2C", RoleNK);
  EXPECT_EQ(Score::ChooseCardNK(no_rule, 3, bench.settings, bench.chance), "##");
  const TreeNode no_ck_rule = NodeAt("2C4H3H3C2H4C", RoleCK);
  EXPECT_EQ(Score::ChooseCardCK(no_ck_rule, 3, bench.settings, bench.chance), "##");

  const TreeNode rule_one = NodeAt(NKRules[0].board, RoleNK);
  Score::ChooseCardNK(rule_one, 3, bench.settings, bench.chance);
  twin.Next();
  EXPECT_EQ(bench.random.Next(), twin.Next());
}

TEST(CardRules, NothingOutsideTheRolesTurnOnItsTwoStepTarget) {
  AnalysisBench bench;
  bench.AllProbabilities(1);
  const TreeNode nk_rule = NodeAt(NKRules[0].board, RoleNK);
  EXPECT_EQ(Score::ChooseCardNK(nk_rule, 4, bench.settings, bench.chance), "##");  // T is A[3], not A[4]
  const TreeNode ck_turn = NodeAt(NKRules[0].board, RoleCK);
  EXPECT_EQ(Score::ChooseCardNK(ck_turn, 3, bench.settings, bench.chance), "##");
  const TreeNode nk_turn = NodeAt(CKRules[0].board, RoleNK);
  EXPECT_EQ(Score::ChooseCardCK(nk_turn, 3, bench.settings, bench.chance), "##");
}

}  // namespace
}  // namespace bruso
