#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/classify_commands.h"
#include "support/recorders.h"
#include "tool_runner.h"

namespace bruso {
namespace {

using testing::JoinLines;
using testing::ReadFile;
using testing::RecordingSink;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

// Hands with lines of every kind: usable and unusable, lower case, empty, longer than the
// buffer, and one that reaches the goal.
constexpr std::string_view Shoe =
    "4H 4C 3H 3C 2H 2C CK\n"
    "first line, never replayed\n"
    "UTNTCUNP\n"
    "cutn\n"
    "\n"
    "CNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCN\n"
    "4c 2h 4h 3c 2c 3h nk\n"
    "4C 2H 4H 3C 2C 3H NK\n"
    "-\n"
    "NUTTUNCT\n"
    "TTC\n"
    "2H 3H 4H 2C 3C 4C\n";

TEST(ClassifyTool, WritesWhatTheWindowsCommandWrites) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "classify shoe.txt --out results --seed 11 --memo memo.txt"), 0);

  std::filesystem::create_directory(folder.path() / "outputFile");
  RecordingSink output;
  RecordingSink memo;
  {
    SharedState state;
    StartUp(state, {.startDirectory = folder.path(), .outputWindow = &output, .seed = 11});
    state.io.SetMemo(&memo);
    state.HandList = ReadShoe(Shoe).hands;
    automatic1Click(state);
    state.io.SetMemo(nullptr);
    state.iodef.CloseFiles(state.outputFiles);
  }
  const std::string amik = ReadFile(folder.path() / "outputFile" / "Amik.txt");
  EXPECT_EQ(ReadFile(folder.path() / "results" / "Amik.txt"), amik);
  EXPECT_NE(amik.find("CNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCNCN \t3C\n"), std::string::npos);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), JoinLines(output.lines));
  EXPECT_EQ(ReadFile(folder.path() / "memo.txt"), JoinLines(memo.lines));
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").rfind("seed: 11\nclassify\n  seed:", 0), 0u);
}

TEST(ClassifyTool, TheSameSeedGivesTheSameFilesAndSummary) {
  // The card rules and the exploring moves draw at random here (every probability 1/2).
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const std::vector<std::string> outputs = {"stdout.txt", "stderr.txt", "memo.txt", "lines.csv", "results/Amik.txt"};
  std::vector<std::string> first;
  for (int run = 0; run < 2; ++run) {
    ASSERT_EQ(RunTool(folder.path(), "classify shoe.txt --out results --seed 7 --trace --conflict-mode 1 "
                                     "--memo memo.txt --csv lines.csv"),
              0);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      const std::string text = ReadFile(folder.path() / outputs[i]);
      if (run == 0) first.push_back(text);
      else EXPECT_EQ(text, first[i]) << outputs[i];
    }
  }
  EXPECT_NE(first[2].find("looks for"), std::string::npos);  // the trace went to the memo
  EXPECT_EQ(first[0].find("looks for"), std::string::npos);  // and not to standard output
}

// Two hands whose lines were worked out by hand from the model's rules. Every probability
// is 1, so each card rule takes its first card; altruism is off.
constexpr std::string_view WorkedShoe =
    "2H 2C 4H 3C 4C 3H CK\n"
    "recorded by hand\n"
    // Hand 1: C 2H, CK 2C, UP 4H, T 3C, N 4C, NK 3H.
    // CK on 3C holds 2C (rule 5) and would play it onto 3C: T, not the recorded N.
    // NK on 3C holds 3H (rule 1) and plays it onto 3C: T.
    // CK on 3H looks for 2H, which it does not hold and which is not on UP: it explores
    //   opposite to its own last move N: C. Now CK holds 2H.
    // NK on 3H cannot finish and holds no 2H: it steps aside with P.
    // CK holds 2H and plays it onto 3H: T. 2H is on the Target.
    "NTCPT\n"
    // CK would play T (as above), and plays P.
    // NK holds 3H and would play it onto 3C: T, and plays U (3H to UP, 4H to NK).
    // CK still holds 2C and would play T, and plays P.
    // NK finds 3H on UP (rule 2) and would take it; the line ends with x: no move to compare.
    "PUPx\n"
    // Hand 2 already has 2H on the Target: no phase applies, the model suggests nothing,
    // and the replay stops after the first P.
    "4C 3H 4H 2H 2C 3C NK\n"
    "-\n"
    "PP\n"
    // Its second character is no move letter: not usable.
    "T,\"x\"\n";

constexpr const char* EveryProbabilityOne = "--prob 1,1,1,1,1,1,1,1,1,1";

TEST(ClassifyTool, CountsHowOftenTheModelSuggestsTheRecordedMove) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", WorkedShoe);
  ASSERT_EQ(RunTool(folder.path(), std::string("classify shoe.txt --seed 3 --csv lines.csv ") + EveryProbabilityOne), 0);
  // Suggested and recorded: CK 2 of 5 (NTCPT: T/N, C/C, T/T; PUPx: T/P twice),
  // NK 2 of 3 (T/T, P/P; T/U); card at hand 2 of 6, search 1 of 1, step aside 1 of 1.
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt"),
            "seed: 3\n"
            "classify\n"
            "  seed:              3\n"
            "  hands:             2\n"
            "  lines replayed:    3\n"
            "  lines not usable:  1\n"
            "  lines reaching 2H: 2 (66.7%)\n"
            "  positions:         9\n"
            "  no suggestion:     1 (11.1%)\n"
            "  agreement:         4 of 8 (50.0%)\n"
            "    as CK:           2 of 5 (40.0%)\n"
            "    as NK:           2 of 3 (66.7%)\n"
            "    card at hand:    2 of 6 (33.3%)\n"
            "    search:          1 of 1 (100.0%)\n"
            "    step aside:      1 of 1 (100.0%)\n"
            "    hand-over:       0 of 0\n"
            // Every rule takes its first card, so the model is certain: the expected
            // agreement is the agreement, and a move has the chance 0.992 when it agrees,
            // 0.002 when not: 4 ln 0.992 + ln 0.002 = -6.247 and 3 ln 0.002 = -18.644.
            "  expected:          4.00 of 8 (50.0%)\n"
            "    as CK:           2.00 of 5 (40.0%)\n"
            "    as NK:           2.00 of 3 (66.7%)\n"
            "    card at hand:    2.00 of 6 (33.3%)\n"
            "    search:          1.00 of 1 (100.0%)\n"
            "    step aside:      1.00 of 1 (100.0%)\n"
            "    hand-over:       0.00 of 0\n"
            "  log-likelihood:    -24.89 (lapse 0.01)\n");
  EXPECT_EQ(ReadFile(folder.path() / "lines.csv"),
            "hand,line,moves,usable,reaches_2h,positions,suggested,agreements,log_likelihood,expected_agreements\n"
            "1,1,NTCPT,1,1,5,5,4,-6.246736785211249,4\n"
            "1,2,PUPx,1,0,3,3,0,-18.643824295266576,0\n"
            "2,1,PP,1,1,1,0,0,0,0\n"
            "2,2,\"T,\"\"x\"\"\",0,0,0,0,0,0,0\n");
}

TEST(ClassifyTool, WithAltruismOnAPlayerHandsTheCardOver) {
  // C 4C, CK 2C, UP 3H, T 3C, N 4H, NK 2H.
  // NK on 3C plans 3H (rule 2, on UP) and holds 2H, the card to hand over: U.
  // CK on 3C holds 2C (rule 5) and plays it onto 3C: T.
  // NK on 2C can finish and, cooperative, takes 2H from UP: U.
  // CK on 2C hands over as an altruist: 2H is not at hand, and NK's last move U says
  //   nothing, nor does its own T, so it explores at random (C or N), not the recorded P.
  // NK holds 2H and plays it onto 2C: T.
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", "4C 2C 3H 3C 4H 2H NK\n-\nUTUPT\n");
  ASSERT_EQ(RunTool(folder.path(), std::string("classify shoe.txt --altruism 1 ") + EveryProbabilityOne), 0);
  const std::string summary = ReadFile(folder.path() / "stderr.txt");
  for (const char* row : {"agreement:         4 of 5 (80.0%)\n", "as CK:           1 of 2 (50.0%)\n",
                          "as NK:           3 of 3 (100.0%)\n", "card at hand:    3 of 3 (100.0%)\n",
                          "search:          0 of 1 (0.0%)\n", "hand-over:       1 of 1 (100.0%)\n"}) {
    EXPECT_NE(summary.find(row), std::string::npos) << row << summary;
  }
}

TEST(ClassifyTool, RejectsModelSettingsItCannotTakeOnOneLine) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", WorkedShoe);
  const char* wrong[] = {
      "--prob 1,1,1,1,1,1,1,1,1",       // nine numbers
      "--prob 1,1,1,1,1,1,1,1,1,1.5",  // one above 1
      "--conflict-mode 2",
  };
  for (const char* options : wrong) {
    SCOPED_TRACE(options);
    EXPECT_EQ(RunTool(folder.path(), std::string("classify shoe.txt --out results ") + options), 2);
    const std::string message = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(message.rfind("bruso-batch: --", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "results"));
  }
}

TEST(ClassifyTool, AMissingOrEmptyShoeIsOneLineOnStandardError) {
  TempFolder folder;
  EXPECT_EQ(RunTool(folder.path(), "classify missing.txt --out results"), 1);
  const std::string missing = ReadFile(folder.path() / "stderr.txt");
  EXPECT_NE(missing.find("missing.txt"), std::string::npos);
  EXPECT_EQ(missing.find('\n'), missing.size() - 1) << missing;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "results"));

  WriteFile(folder.path() / "empty.txt", "moves without a hand\n");
  EXPECT_EQ(RunTool(folder.path(), "classify empty.txt"), 1);
  const std::string empty = ReadFile(folder.path() / "stderr.txt");
  EXPECT_EQ(empty, "bruso-batch: empty.txt holds no hand\n");
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), "");
}

}  // namespace
}  // namespace bruso
