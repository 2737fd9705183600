#include <gtest/gtest.h>

#include "analysis_bench.h"

namespace bruso {
namespace {

using testing::AnalysisBench;
using testing::MarkOf;
using testing::NodeAt;

// The letter that a random exploration gives for the generator's next draw.
char NextRandomExploration(Random& twin) { return twin.Next() >= 0.5 ? 'N' : 'C'; }

struct CardAtHandCase {
  char strategy;
  const char* board;  // C, CK, UP, T, N, NK; NK to move, looking for 2H
  char move;          // ' ' for none
  const char* words;
};

TEST(MoveChoice, SameCardComparesWholeCodes) {
  struct Case {
    std::string_view a, b;
    bool same;
  };
  const Case cases[] = {{"2H", "2H", true},  {"2H", "2C", false}, {"2H", "3H", false}, {"2H", "2", false},
                        {"##", NoCard, true}, {"", "", true},      {std::string_view("\0\0", 2), "  ", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(SameCard(c.a, c.b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(SameCard(c.a, c.b), c.a == c.b);
  }
}

TEST(MoveChoice, CardAtHandPlaysPassesOrWaitsByAttitude) {
  const CardAtHandCase cases[] = {
      {'e', "4H4C3H2C3C2H", 'T', "Egoiste"},       // NK holds 2H, the Target 2C has its number
      {'e', "4H4C3H3C2C2H", 'P', "EgoisteWait "},  // the Target 3C does not
      {'e', "4H4C2H3C2C3H", 'U', "Egoiste"},       // 2H lies on UP: take it
      {'c', "4H4C3H2C3C2H", 'T', "Egoiste"},
      {'c', "4H4C2H3C2C3H", 'U', "Egoiste"},
      {'a', "4H4C3H2C3C2H", 'U', "Altruiste "},  // hold it: put it on UP for CK
      {'a', "4H4C2H3C2C3H", 'P', "Altruiste "},  // on UP already: leave it there
      {'x', "4H4C3H2C3C2H", ' ', ""},
  };
  for (const CardAtHandCase& c : cases) {
    SCOPED_TRACE(std::string(1, c.strategy) + c.board);
    AnalysisBench bench;
    bench.score.CardAtHand(c.strategy, NodeAt(c.board, RoleNK), "2H", TracingMode);
    EXPECT_EQ(bench.score.SuggestedMove(), c.move);
    EXPECT_EQ(bench.Pending(), c.words);

    AnalysisBench quiet;
    quiet.score.CardAtHand(c.strategy, NodeAt(c.board, RoleNK), "2H", 'B');
    EXPECT_EQ(quiet.score.SuggestedMove(), c.move);
    EXPECT_EQ(quiet.Pending(), "");
  }
}

TEST(MoveChoice, CKPlaysOntoATargetOfItsSuit) {
  AnalysisBench bench;
  bench.score.CardAtHand('e', NodeAt("4H2H3H3C2C4C", RoleCK), "2H", 'B');
  EXPECT_EQ(bench.score.SuggestedMove(), 'P');  // 2H onto 3C: another suit
  bench.score.CardAtHand('e', NodeAt("4H2H3C3H2C4C", RoleCK), "2H", 'B');
  EXPECT_EQ(bench.score.SuggestedMove(), 'T');
}

struct MemoryCase {
  const char* name;
  char role;
  const char* memory;  // the remembered Board; two blanks are a cell not remembered
  char move;
  const char* words;
};

TEST(MoveChoice, SearchMoveFetchesWhatThePlayerRemembers) {
  const MemoryCase cases[] = {
      {"CellC", RoleNK, "3C      4C  ", 'C', ""},
      {"CellN", RoleNK, "    4C  3C  ", 'N', ""},
      {"CKHoldsIt", RoleNK, "4H3C4C      ", 'P', "Stop "},
      {"OnlyNRemembered", RoleNK, "  4H4C  2C2H", 'C', ""},
      {"OnlyCRemembered", RoleNK, "2C4H4C    2H", 'N', ""},
      {"CKCellC", RoleCK, "3C          ", 'C', ""},
      {"NKHoldsIt", RoleCK, "  4H      3C", 'P', "Stop "},
      {"CKOnlyNRemembered", RoleCK, "    4C  2C  ", 'C', ""},
  };
  for (const MemoryCase& c : cases) {
    SCOPED_TRACE(c.name);
    AnalysisBench bench;
    bench.Trace();
    Board& memory = c.role == RoleNK ? bench.settings.MemoryNK : bench.settings.MemoryCK;
    memory = Board::FromText(c.memory);
    TreeNode node = NodeAt("4H4C2H2C3H2H", c.role);  // 3C neither in the keeper cell nor on UP
    bench.score.SearchMove('e', node, "3C", bench.settings, bench.chance);
    EXPECT_EQ(bench.score.SuggestedMove(), c.move);
    EXPECT_EQ(bench.Pending(), std::string{c.role} + "k  looks for 3C  " + c.words);
    EXPECT_EQ(MarkOf(node), "3C");
  }
}

TEST(MoveChoice, SearchMoveMarksTheCardAlsoWhenItIsAtHand) {
  AnalysisBench bench;
  TreeNode node = NodeAt("4H4C3H2C3C2H", RoleNK);
  bench.score.SearchMove('e', node, "2H", bench.settings, bench.chance);
  EXPECT_EQ(bench.score.SuggestedMove(), 'T');
  EXPECT_EQ(MarkOf(node), "2H");
}

// A player that does not find the card explores: the egoist opposite to its own previous
// move, the altruist ('a', and 'c') opposite to its partner's last move.
struct ExploreCase {
  const char* name;
  char strategy;
  char ownPreviousMove;   // the grandparent's move; '-' for no grandparent
  char partnersLastMove;  // the parent's move; '-' for no parent
  char move;              // '?' for a random draw
};

TEST(MoveChoice, SearchMoveExploresWhenTheCardIsNotLocated) {
  const ExploreCase cases[] = {
      {"EgoistAfterOwnN", 'e', 'N', 'U', 'C'},
      {"EgoistAfterOwnC", 'e', 'C', 'N', 'N'},
      {"EgoistAfterOwnT", 'e', 'T', 'N', '?'},
      {"EgoistWithoutGrandparent", 'e', '-', 'C', '?'},
      {"AltruistAfterPartnersN", 'a', 'N', 'N', 'C'},
      {"AltruistAfterPartnersC", 'a', 'C', 'C', 'N'},
      {"AltruistAfterPartnersUAlternates", 'a', 'C', 'U', 'N'},
      {"CooperativeAfterPartnersPAlternates", 'c', 'N', 'P', 'C'},
      {"CooperativeAfterPartnersTWithoutGrandparent", 'c', '-', 'T', '?'},
      {"AltruistAtTheRoot", 'a', '-', '-', '?'},
      {"OtherLetterChoosesNothing", 'x', 'N', 'U', ' '},
  };
  for (const ExploreCase& c : cases) {
    SCOPED_TRACE(c.name);
    AnalysisBench bench;
    Random twin{1};
    TreeNode grandparent = NodeAt("4H4C3H3C2H2C", RoleNK);
    grandparent.move = c.ownPreviousMove;
    TreeNode parent = NodeAt("4H4C3H3C2H2C", RoleCK, c.ownPreviousMove == '-' ? nullptr : &grandparent);
    parent.move = c.partnersLastMove;
    TreeNode node = NodeAt("4H4C3H3C2H2C", RoleNK, c.partnersLastMove == '-' ? nullptr : &parent);
    bench.score.SearchMove(c.strategy, node, "3C", bench.settings, bench.chance);  // 3C is on T
    EXPECT_EQ(bench.score.SuggestedMove(), c.move == '?' ? NextRandomExploration(twin) : c.move);
    EXPECT_EQ(bench.random.Next(), twin.Next()) << "a draw too many or too few";
  }
}

TEST(MoveChoice, AlternateSearchDrawsOnlyWithoutAnOwnCOrN) {
  Random random{5};
  SeededChance chance{random};
  Random twin{5};
  TreeNode root = NodeAt("4H4C3H3C2H2C", RoleCK);
  TreeNode child = NodeAt("4H4C3H3C2H2C", RoleNK, &root);
  TreeNode grandchild = NodeAt("4H4C3H3C2H2C", RoleCK, &child);
  root.move = 'N';
  EXPECT_EQ(Score::AlternateSearch(grandchild, chance), 'C');
  root.move = 'C';
  EXPECT_EQ(Score::AlternateSearch(grandchild, chance), 'N');
  EXPECT_EQ(random.Next(), twin.Next());
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(Score::AlternateSearch(child, chance), NextRandomExploration(twin));
    EXPECT_EQ(Score::AlternateSearch(root, chance), NextRandomExploration(twin));
  }
}

TEST(MoveChoice, StepAsideGivesTheCardUpOrPassesWithNorivel) {
  AnalysisBench bench;  // not tracing: "Norivel" is written all the same
  TreeNode holding = NodeAt("4H4C3H3C2C2H", RoleNK);
  bench.score.StepAside(holding, "2H");
  EXPECT_EQ(bench.score.SuggestedMove(), 'U');
  EXPECT_EQ(MarkOf(holding), "##");
  EXPECT_EQ(bench.Pending(), "");

  TreeNode empty_handed = NodeAt("4H2H3H3C2C4C", RoleNK);
  bench.score.StepAside(empty_handed, "2H");
  EXPECT_EQ(bench.score.SuggestedMove(), 'P');
  EXPECT_EQ(MarkOf(empty_handed), "##");
  EXPECT_EQ(bench.Pending(), "Norivel");
}

TEST(MoveChoice, AnnounceLookForWritesTheTraceToBothPlacesWhenTracing) {
  AnalysisBench bench;
  const TreeNode node = NodeAt("4H4C3H3C2H2C", RoleCK);
  bench.score.AnnounceLookFor(node, "2H", 'B');
  EXPECT_EQ(bench.trace.str(), "");
  EXPECT_EQ(bench.Pending(), "");

  bench.score.AnnounceLookFor(node, "2H", TracingMode);
  EXPECT_EQ(bench.trace.str(), "Ck  looks for 2H  ");
  EXPECT_EQ(bench.Pending(), "Ck  looks for 2H  ");

  bench.score.SetTraceStream(nullptr);  // no standard output: the memo still gets it
  bench.score.AnnounceLookFor(node, "##", TracingMode);
  EXPECT_EQ(bench.Pending(), "Ck  looks for 2H  Ck  looks for ##  ");
}

}  // namespace
}  // namespace bruso
