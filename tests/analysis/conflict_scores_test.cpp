#include <gtest/gtest.h>

#include "analysis_bench.h"

namespace bruso {
namespace {

using testing::AnalysisBench;
using testing::NodeAt;

// The partner's last move: UP before and after it, the move, and what the player to move
// remembers in the partner's keeper cell. The other cells stay out of the flags.
struct ConflictCase {
  const char* name;
  const char* upBefore;
  const char* upNow;
  char move;
  const char* remembered;  // "" for the empty memory
  const char* trace;  // after the role letter and "k "
  double score;
};

// NK reading CK, on the Target A[3] (B[m] is 3H).
const ConflictCase NKCases[] = {
    {"Flag1", "2C", "4H", 'U', "", "10000000 ", 1},
    {"Flag2", "4H", "2H", 'U', "", "01000000 ", 1},
    {"Flag3", "2H", "4H", 'C', "", "00100000 ", 1},
    {"Flag3NotAfterT", "2H", "4H", 'T', "", "00000000 ", 0.5},
    {"Flag4", "4H", "4H", 'N', "3H", "00010000 ", 1},
    {"Flag4NotAfterPass", "4H", "4H", 'P', "3H", "00000000 ", 0.5},
    {"Flag6", "4H", "3H", 'U', "", "00000100 ", 0},
    {"Flag7AlsoAfterT", "2C", "4H", 'T', "", "00000010 ", 0},
    {"Flag8", "4H", "4H", 'P', "2H", "00000001 ", 0},
    {"Flags1And6", "2C", "3H", 'U', "", "10000100 RConflict ", 0.5},
    {"Flags2And5", "2H", "2H", 'U', "", "01001000 RConflict ", 0.5},
    {"None", "4H", "4H", 'N', "", "00000000 ", 0.5},
};

// CK reading NK, on the Target A[3].
const ConflictCase CKCases[] = {
    {"Flag1", "3H", "4H", 'U', "", "10000000 ", 0},
    {"Flag3", "2H", "4H", 'N', "", "00100000 ", 0},
    {"Flag4OnlyAfterPass", "4H", "4H", 'P', "2C", "00010000 ", 0},
    {"Flag4NotAfterN", "4H", "4H", 'N', "2C", "00000000 ", 0.5},
    {"Flag5", "2H", "4H", 'U', "", "00001000 ", 1},
    {"Flag6", "4H", "2C", 'U', "", "00000100 ", 1},
    {"Flag7", "3H", "4H", 'C', "", "00000010 ", 1},
    {"Flag7NotAfterT", "3H", "4H", 'T', "", "00000000 ", 0.5},
    {"Flag8", "4H", "4H", 'P', "2H", "00000001 ", 1},
    {"Flags1And6", "3H", "2C", 'U', "", "10000100 RConflict ", 0.5},
};

// Runs the role's score on a parent and node that differ only where the case says.
double ScoreCase(AnalysisBench& bench, const ConflictCase& c, char role) {
  TreeNode parent = NodeAt("4C2C4H3C3H2H", OtherRole(role));
  parent.board.SetCell(2, 1, c.upBefore);
  parent.move = c.move;
  TreeNode node = NodeAt("4C2C4H3C3H2H", role, &parent);
  node.board.SetCell(2, 1, c.upNow);
  Board& memory = role == RoleNK ? bench.settings.MemoryNK : bench.settings.MemoryCK;
  if (*c.remembered != '\0') memory.SetCell(role == RoleNK ? 1 : 3, 2, c.remembered);
  return role == RoleNK ? bench.score.ScoreConflictNK(node, 3, bench.settings)
                        : bench.score.ScoreConflictCK(node, 3, bench.settings);
}

void CheckCases(const ConflictCase* begin, const ConflictCase* end, char role) {
  for (const ConflictCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->name);
    AnalysisBench bench;
    bench.Trace();
    EXPECT_EQ(ScoreCase(bench, *c, role), c->score);
    EXPECT_EQ(bench.Pending(), (std::string{role, 'k', ' '} + c->trace));

    AnalysisBench quiet;  // the same verdict without tracing, and no words
    EXPECT_EQ(ScoreCase(quiet, *c, role), c->score);
    EXPECT_EQ(quiet.Pending(), "");
  }
}

TEST(ConflictScores, NKReadsCKsLastMove) { CheckCases(std::begin(NKCases), std::end(NKCases), RoleNK); }

TEST(ConflictScores, CKReadsNKsLastMove) { CheckCases(std::begin(CKCases), std::end(CKCases), RoleCK); }

TEST(ConflictScores, NKFlagsReadTheEntryOfTheTwoStepTarget) {
  // On A[4] the card NK would put on the Target is 4H: UP holding 4H after CK's U is flag 6.
  AnalysisBench bench;
  TreeNode parent = NodeAt("4C2C3H4C3H2H", RoleCK);
  parent.move = 'U';
  TreeNode node = NodeAt("4C2C4H4C3H2H", RoleNK, &parent);
  EXPECT_EQ(bench.score.ScoreConflictNK(node, 4, bench.settings), 0);
  EXPECT_EQ(bench.score.ScoreConflictNK(node, 3, bench.settings), 0.5);
}

TEST(ConflictScores, AtTheRootThereIsNoVerdictAndNoTrace) {
  AnalysisBench bench;
  bench.Trace();
  const TreeNode root = NodeAt("4H4C3H3C2H2C", RoleNK);
  EXPECT_EQ(bench.score.ScoreConflictNK(root, 3, bench.settings), 0.5);
  EXPECT_EQ(bench.score.ScoreConflictCK(root, 3, bench.settings), 0.5);
  EXPECT_EQ(bench.Pending(), "");
}

TEST(Grandparent, IsTheNodeTwoPliesUp) {
  TreeNode root = NodeAt("4H4C3H3C2H2C", RoleCK);
  TreeNode child = NodeAt("4H4C3H3C2H2C", RoleNK, &root);
  TreeNode grandchild = NodeAt("4H4C3H3C2H2C", RoleCK, &child);
  EXPECT_EQ(Score::Grandparent(root), nullptr);
  EXPECT_EQ(Score::Grandparent(child), nullptr);
  EXPECT_EQ(Score::Grandparent(grandchild), &root);
}

}  // namespace
}  // namespace bruso
