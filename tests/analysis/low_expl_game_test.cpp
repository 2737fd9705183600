#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_bench.h"

namespace bruso {
namespace {

using testing::AnalysisBench;
using testing::MarkOf;
using Lines = std::vector<std::string>;

// A hand set up with its root, ready for a move string to be replayed on it.
struct Replay : AnalysisBench {
  Replay(const char* board, char first_role) {
    tree.AddChild(current, Board::FromText(board));
    current->role = first_role;
    root = current;
  }
  ~Replay() { tree.DeleteTree(current, root); }

  void Run(std::string_view moves) {
    buffer.WriteMoveString(moves);
    score.LowExplGame(current, root, buffer, scratch, settings, random);
  }
  std::string Path() const {
    std::string letters;
    for (const TreeNode* node = root; node->firstChild != nullptr; node = node->firstChild) letters += node->move;
    return letters;
  }
  std::string Marks() const {
    std::string marks;
    for (const TreeNode* node = root; node != nullptr; node = node->firstChild) marks += MarkOf(*node);
    return marks;
  }

  TreeNode* current = nullptr;
  TreeNode* root = nullptr;
  HandBuffer buffer;
  Board scratch;
};

TEST(LowExplGame, ReplaysEveryLetterWithTheAnalysisBeforeEach) {
  // Every move of CCTUNTTT is legal here (the board holds 3H twice) and 2H never reaches
  // the Target. Every probability is 1, so each card rule takes its first card.
  Replay r("3C4C3H2C3H2H", RoleCK);
  r.Trace();
  r.AllProbabilities(1);
  r.Run("CCTUNTTT");
  EXPECT_EQ(r.Path(), "CCTUNTTT");
  EXPECT_EQ(r.current->board, Board::FromText("2H3H4C3C2C3H"));
  EXPECT_EQ(r.Pending(),
            "Norivel" "C "                         // CK cannot play onto 2C: steps aside
            "Nk  looks for 2H  Egoiste" "C "       // NK can, and holds 2H
            "Norivel" "T "
            "Nk  looks for 3H  Egoiste" "U "       // on 3C: NK rule 2, 3H on UP
            "Ck  looks for 2C  Egoiste" "N "       // CK rule 5, holds 2C
            "Nk  looks for 3H  Egoiste" "T "       // NK rule 1, holds 3H
            "Ck  looks for 2H  " "T "              // on 3H CK looks for 2H, remembered nowhere
            "Norivel" "T "
            "Ck  looks for ##  ");                 // the last position, before the string's end
  EXPECT_EQ(r.trace.str(),
            "Nk  looks for 2H  Nk  looks for 3H  Ck  looks for 2C  Nk  looks for 3H  Ck  looks for 2H  "
            "Ck  looks for ##  ");
  EXPECT_EQ(r.Marks(), "##2H##3H2C3H2H####");
  EXPECT_EQ(r.memo.lines, (Lines{" Top ", ""}));
}

TEST(LowExplGame, ALowerCaseLetterOrQIsShownAndEndsTheReplay) {
  struct Case {
    const char* moves;
    const char* path;
    const char* shown;
  };
  const Case cases[] = {
      {"CCuN", "CC", "C C U "},  // shown in capitals
      {"CQN", "C", "C Q "},
      {"CC N", "CC", "C C   "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.moves);
    Replay r("4H4C3H3C2H2C", RoleCK);
    r.Run(c.moves);
    EXPECT_EQ(r.Path(), c.path);
    EXPECT_EQ(r.Pending(), c.shown);
  }
}

TEST(LowExplGame, ARefusedTargetSwapConsumesItsLetterAndAnalysesAgain) {
  // NK holds 2C and the Target is 3C: its T is refused, and the next letter is read at the
  // same position.
  Replay r("4H4C3H3C2H2C", RoleNK);
  r.Trace();
  r.AllProbabilities(1);
  r.Run("TC");
  EXPECT_EQ(r.Path(), "C");
  EXPECT_EQ(r.Pending(), "Nk  looks for 3H  EgoisteT Nk  looks for 3H  EgoisteC Ck  looks for ##  ");
}

TEST(LowExplGame, FortyLettersStopByTheLimitWithoutAnalysingTheLastPosition) {
  Replay r("4H4C3H3C2H2C", RoleCK);
  r.Trace();
  std::string forty;
  for (int i = 0; i < 20; ++i) forty += "CN";
  r.Run(forty);
  EXPECT_EQ(r.Path(), forty);
  const std::string marks = r.Marks();
  EXPECT_EQ(marks.find("  "), 80u) << marks;  // only the 41st position is never analysed
  std::size_t analyses = 0;
  for (std::size_t at = r.Pending().find("looks for"); at != std::string::npos; at = r.Pending().find("looks for", at + 1)) {
    ++analyses;
  }
  EXPECT_EQ(analyses, 40u);
  EXPECT_EQ(r.Pending().substr(r.Pending().size() - 2), "N ");
}

TEST(LowExplGame, AStringLongerThanTheBufferReplaysItsFirstForty) {
  Replay r("4H4C3H3C2H2C", RoleCK);
  std::string long_string;
  for (int i = 0; i < 30; ++i) long_string += "CN";
  r.Run(long_string);
  EXPECT_EQ(r.Path(), long_string.substr(0, MaxReplayMoves));
}

TEST(LowExplGame, TheGoalCardOnTheTargetEndsTheReplay) {
  // NK puts 3H onto 3C, then CK plays 2H onto it; the last C is never read and the solved
  // position is not analysed.
  Replay r("4C2H4H3C2C3H", RoleNK);
  r.Run("TTC");
  EXPECT_EQ(r.Path(), "TT");
  EXPECT_EQ(r.current->TargetCard(), "2H");
  EXPECT_EQ(MarkOf(*r.current), "  ");
  EXPECT_EQ(r.Pending().substr(r.Pending().size() - 2), "T ");
}

TEST(LowExplGame, AOneLetterStringIsRefusedAndTheTreeStays) {
  Replay r("4H4C3H3C2H2C", RoleCK);
  r.Run("UN");
  TreeNode* leaf = r.current;
  r.io.AddLine("");
  r.memo.lines.clear();

  r.Run("C");
  EXPECT_EQ(r.memo.lines, (Lines{"It is false that the string is usable", ""}));
  EXPECT_EQ(r.current, leaf);
  EXPECT_EQ(r.Path(), "UN");
  EXPECT_EQ(r.Pending(), "");
}

TEST(LowExplGame, WithoutAGoalCardTheReplayRunsToTheEndOfTheString) {
  Replay r("4C2H4H3C2C3H", RoleNK);
  r.settings.KeyCardsB = {};
  r.Run("TTCU");
  EXPECT_EQ(r.Path(), "TTCU");
}

}  // namespace
}  // namespace bruso
