#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "analysis_bench.h"

namespace bruso {
namespace {

using testing::AnalysisBench;
using testing::MarkOf;
using testing::NodeAt;

struct PositionCase {
  const char* name;
  const char* board;  // C, CK, UP, T, N, NK
  char role;
  int altruism;
  const char* lookedFor;
  char move;
  const char* mark;
  const char* words;  // when tracing
};

// On a Target where one player can play the goal card 2H, that player looks for it and
// the other steps aside, or hands it over when altruism is on.
TEST(HandAnalysis, FinishingPhases) {
  const PositionCase cases[] = {
      // CK can finish on 3H (same suit as 2H).
      {"CKPlaysIt", "4H2H2C3H3C4C", RoleCK, 0, "2H", 'T', "2H", "Ck  looks for 2H  Egoiste"},
      {"CKPlaysItAsCooperative", "4H2H2C3H3C4C", RoleCK, 1, "2H", 'T', "2H", "Ck  looks for 2H  Egoiste"},
      {"NKStepsAside", "4H2H2C3H3C4C", RoleNK, 0, "2H", 'P', "##", "Norivel"},
      {"NKGivesItUp", "4H4C2C3H3C2H", RoleNK, 0, "2H", 'U', "##", ""},
      {"NKHandsItOver", "4H4C2C3H3C2H", RoleNK, 1, "2H", 'U', "2H", "Nk  looks for 2H  Altruiste "},
      // NK can finish on 2C (same number as 2H).
      {"NKPlaysIt", "4H4C3H2C3C2H", RoleNK, 0, "2H", 'T', "2H", "Nk  looks for 2H  Egoiste"},
      {"CKStepsAside", "4H4C3H2C3C2H", RoleCK, 0, "2H", 'P', "##", "Norivel"},
      {"CKHandsItOver", "4H2H3H2C3C4C", RoleCK, 1, "2H", 'U', "2H", "Ck  looks for 2H  Altruiste "},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(c.name);
    AnalysisBench bench;
    bench.Trace();
    bench.settings.AltruismSwitch = c.altruism;
    TreeNode node = NodeAt(c.board, c.role);
    bench.score.AnalysePosition(node, bench.settings, bench.chance);
    EXPECT_EQ(bench.score.LookedForCard(), c.lookedFor);
    EXPECT_EQ(bench.score.SuggestedMove(), c.move);
    EXPECT_EQ(MarkOf(node), c.mark);
    EXPECT_EQ(bench.Pending(), c.words);
  }
}

TEST(HandAnalysis, EmptyCardTablesLeaveEveryPositionAlone) {
  AnalysisBench bench;
  bench.Trace();
  bench.settings.ConflictMode = 1;
  bench.settings.AltruismSwitch = 1;
  TreeNode earlier = NodeAt("4H2H2C3H3C4C", RoleCK);
  bench.score.AnalysePosition(earlier, bench.settings, bench.chance);  // suggests T
  const std::string pending = bench.Pending();

  bench.settings.KeyCardsA = {};
  bench.settings.KeyCardsB = {};
  std::array<std::string, 6> cards = {"2C", "2H", "3C", "3H", "4C", "4H"};
  do {
    for (char role : {RoleCK, RoleNK}) {
      TreeNode node = NodeAt(cards[0] + cards[1] + cards[2] + cards[3] + cards[4] + cards[5], role, &earlier);
      bench.score.AnalysePosition(node, bench.settings, bench.chance);
      ASSERT_EQ(MarkOf(node), "  ") << node.board;
      ASSERT_EQ(bench.score.LookedForCard(), "##");
      ASSERT_EQ(bench.score.SuggestedMove(), 'T');
    }
  } while (std::next_permutation(cards.begin(), cards.end()));
  EXPECT_EQ(bench.Pending(), pending);
}

TEST(HandAnalysis, TheGoalCardOnTheTargetSkipsTheCKFinish) {
  AnalysisBench bench;
  bench.Trace();
  bench.settings.KeyCardsB.Set(3, "2H");
  TreeNode node = NodeAt("4H4C3H2H3C2C", RoleCK);
  bench.score.AnalysePosition(node, bench.settings, bench.chance);
  EXPECT_EQ(bench.score.LookedForCard(), "##");
  EXPECT_EQ(MarkOf(node), "  ");
  EXPECT_EQ(bench.Pending(), "");
}

TEST(HandAnalysis, EqualTwoStepEntriesMeanEntryThree) {
  AnalysisBench bench;
  bench.AllProbabilities(1);
  bench.settings.KeyCardsA.Set(4, "3C");
  TreeNode node = NodeAt("2H4C4H3C2C3H", RoleNK);  // NK holds 3H (rule 1 for m = 3), 4H on UP (rule 2 for m = 4)
  bench.score.AnalysePosition(node, bench.settings, bench.chance);
  EXPECT_EQ(bench.score.LookedForCard(), "3H");
}

// A player on a two-step Target, the partner having just moved (with the position before
// that as the grandparent, whose mark is the player's earlier plan).
struct TwoStep {
  TwoStep(const char* grandparent_board, const char* parent_board, char partners_move, const char* board,
          char role)
      : grandparent(NodeAt(grandparent_board, role)),
        parent(NodeAt(parent_board, OtherRole(role), &grandparent)),
        node(NodeAt(board, role, &parent)) {
    grandparent.move = 'C';
    parent.move = partners_move;
  }
  TreeNode grandparent;
  TreeNode parent;
  TreeNode node;
};

TEST(HandAnalysis, NKFollowsAVerdictOnCKsLastMove) {
  // CK took 4C from UP and left 3H there (flag 6): NK plans to put 3H onto 3C and hand
  // 2H over; holding 2H with altruism on, it puts 2H on UP and its mark stays.
  for (int altruism : {0, 1}) {
    SCOPED_TRACE(altruism);
    AnalysisBench bench;
    bench.Trace();
    bench.settings.ConflictMode = 1;
    bench.settings.AltruismSwitch = altruism;
    TwoStep t("4H3H4C3C2C2H", "4H3H4C3C2C2H", 'U', "4H4C3H3C2C2H", RoleNK);
    bench.score.AnalysePosition(t.node, bench.settings, bench.chance);
    EXPECT_EQ(bench.score.LookedForCard(), "3H");
    EXPECT_EQ(bench.score.SuggestedMove(), 'U');
    if (altruism == 1) {
      EXPECT_EQ(MarkOf(t.node), "  ");
      EXPECT_EQ(bench.Pending(), "Nk 00000100 Altruiste Nk  looks for 3H  ");
    } else {
      EXPECT_EQ(MarkOf(t.node), "3H");  // takes 3H from UP for itself
      EXPECT_EQ(bench.Pending(), "Nk 00000100 Nk  looks for 3H  Egoiste");
    }
  }
}

TEST(HandAnalysis, CKFollowsAVerdictOnNKsLastMove) {
  // NK took 4C from UP and left 2C there (CK's flag 6): CK plans to put 2C onto the Target.
  AnalysisBench bench;
  bench.settings.ConflictMode = 1;
  TwoStep t("4H3H4C3C2H3C", "4H3H4C3C2H2C", 'U', "4H3H2C3C2H4C", RoleCK);
  bench.score.AnalysePosition(t.node, bench.settings, bench.chance);
  EXPECT_EQ(bench.score.LookedForCard(), "2C");
  EXPECT_EQ(bench.score.SuggestedMove(), 'U');
  EXPECT_EQ(MarkOf(t.node), "2C");
}

struct KeepPlanCase {
  const char* name;
  const char* earlierMark;  // the grandparent's mark; nullptr: no grandparent
  const char* lookedFor;
};

TEST(HandAnalysis, WithoutAVerdictThePlayerKeepsItsEarlierPlan) {
  // CK's pass says nothing; " M " is written even when not tracing. NK holds 3H, so the
  // card rules (every probability 1) would pick 3H.
  const KeepPlanCase cases[] = {
      {"NoGrandparent", nullptr, "3H"},
      {"EarlierPlan", "4H", "4H"},
      {"EarlierNoCard", "##", "3H"},
      {"NeverAnalysed", "  ", "  "},
  };
  for (const KeepPlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    AnalysisBench bench;
    bench.AllProbabilities(1);
    bench.settings.ConflictMode = 1;
    TwoStep t("2H4C4H3C2C3H", "2H4C4H3C2C3H", 'P', "2H4C4H3C2C3H", RoleNK);
    if (c.earlierMark == nullptr) t.parent.parent = nullptr;
    else t.grandparent.mark = {c.earlierMark[0], c.earlierMark[1]};
    bench.score.AnalysePosition(t.node, bench.settings, bench.chance);
    EXPECT_EQ(bench.score.LookedForCard(), c.lookedFor);
    EXPECT_EQ(MarkOf(t.node), c.lookedFor);
    EXPECT_EQ(bench.Pending(), " M ");
  }
}

TEST(HandAnalysis, CKOffersEntryFourForTheGoalCardAlsoOnEntryThree) {
  // On 3C CK's rule 8 (2H on UP) plans 2H and offers 4H; holding 4H with altruism on, CK
  // puts it on UP without the word "Altruiste ", and its mark stays.
  AnalysisBench bench;
  bench.Trace();
  bench.AllProbabilities(1);
  bench.settings.AltruismSwitch = 1;
  TreeNode node = NodeAt("3H4H2H3C2C4C", RoleCK);
  bench.score.AnalysePosition(node, bench.settings, bench.chance);
  EXPECT_EQ(bench.score.LookedForCard(), "2H");
  EXPECT_EQ(bench.score.SuggestedMove(), 'U');
  EXPECT_EQ(MarkOf(node), "  ");
  EXPECT_EQ(bench.Pending(), "Ck  looks for 2H  ");
}

}  // namespace
}  // namespace bruso
