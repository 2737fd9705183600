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

// Remembers every position the replay reports.
struct PositionRecorder : ReplayObserver {
  void PositionAnalysed(const AnalysedPosition& position) override { seen.push_back(position); }
  std::vector<AnalysedPosition> seen;
};

// "role suggested recorded branch", '-' for no letter.
std::string Describe(const AnalysedPosition& p) {
  const char* branches[] = {"none", "card at hand", "search", "step aside", "hand-over"};
  const auto letter = [](char c) { return c == '\0' ? '-' : c; };
  return std::string{p.role, ' ', letter(p.suggested), ' ', letter(p.recorded), ' '} +
         branches[static_cast<int>(p.branch)];
}

Lines Observed(Replay& r, std::string_view moves) {
  PositionRecorder recorder;
  r.score.SetReplayObserver(&recorder);
  r.Run(moves);
  r.score.SetReplayObserver(nullptr);
  Lines described;
  for (const AnalysedPosition& p : recorder.seen) described.push_back(Describe(p));
  return described;
}

TEST(LowExplGame, TellsItsObserverWhatTheModelSuggestedAndWhatWasPlayed) {
  // Every probability is 1, so each card rule takes its first card. Role, suggestion,
  // recorded letter, branch:
  Replay r("2H2C4H3C4C3H", RoleCK);
  r.AllProbabilities(1);
  const Lines line = {
      "C T N card at hand",  // on 3C CK holds 2C (rule 5), which goes onto 3C
      "N T T card at hand",  // NK holds 3H (rule 1), which goes onto 3C
      "C C C search",        // on 3H CK looks for 2H: opposite to its own N
      "N P P step aside",    // NK cannot finish on 3H and holds no 2H
      "C T T card at hand",  // CK took 2H and plays it; then 2H is on the Target
  };
  EXPECT_EQ(Observed(r, "NTCPT"), line);
  // A refused T is reported and the same position again for the next letter; the string's
  // end is reported without a recorded move.
  Replay again("2H2C4H3C4C3H", RoleNK);
  again.AllProbabilities(1);
  const Lines refused = {
      "N T U card at hand",
      "C T N card at hand",
      "N U T card at hand",  // NK's 4H cannot go onto 3C
      "N U U card at hand",
      "C C - search",  // CK finds no rule: it looks for ##, opposite to its own N
  };
  EXPECT_EQ(Observed(again, "UNTU"), refused);
}

TEST(LowExplGame, ReportsAHandOverAndAPositionWithoutSuggestion) {
  // With altruism on, NK on 3C plans 3H (rule 2, on UP) and hands 2H over through UP.
  Replay r("4C2C3H3C4H2H", RoleNK);
  r.AllProbabilities(1);
  r.settings.AltruismSwitch = 1;
  EXPECT_EQ(Observed(r, "UP").front(), "N U U hand-over");
  // On a Target that already holds 2H no phase applies; the replay then stops at once.
  Replay solved("4C3H4H2H2C3C", RoleNK);
  EXPECT_EQ(Observed(solved, "PP"), Lines{"N - P none"});
}

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
