#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/recorders.h"
#include "tool_runner.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RunTool;
using testing::TempFolder;
using testing::WriteFile;

constexpr std::string_view Shoe =
    "4H 4C 3H 3C 2H 2C CK\n"
    "-\n"
    "4C 2H 4H 3C 2C 3H NK\n"
    "-\n"
    "2C 3C 4C 2H 3H 4H CK\n"
    "-\n";

TEST(StudyTools, RefuseValuesTheyCannotTakeOnOneLineBeforeWritingAnything) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const char* wrong[] = {
      "recover shoe.txt --csv written --lines 0",
      "recover shoe.txt --csv written --lines 1 --replicates 0",
      "recover shoe.txt --csv written --lines 1 --prob-range 0.9,0.1",  // the wrong way round
      "recover shoe.txt --csv written --lines 1 --prob-range 0.1",
      "recover shoe.txt --csv written --lines 1 --lapse-range 0,0.2",  // the lapse rate lies inside (0, 1)
      "recover shoe.txt --csv written --lines 1 --level 1",
      "recover shoe.txt --csv written --lines 1 --conflict-mode 2",
      "recover shoe.txt --csv written --lines 1 --fix p12=0.5",
      "recover shoe.txt --csv written --lines 1 --seed -1",
      "recover shoe.txt --csv shoe.txt --lines 1",
      "fit shoe.txt --csv written --folds 1",
      "fit shoe.txt --csv written --folds 4",  // more folds than hands
  };
  for (const char* command : wrong) {
    SCOPED_TRACE(command);
    EXPECT_EQ(RunTool(folder.path(), command), 2);
    const std::string message = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(message.rfind("bruso-batch: --", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "written"));
    EXPECT_EQ(ReadFile(folder.path() / "shoe.txt"), Shoe);
  }
}

// The same summary and table for any number of threads; the seed on standard error; a row
// per replicate, generating variant and fitted variant.
TEST(StudyTools, RecoverGivesTheSameForAnyNumberOfThreads) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const std::string command = "recover shoe.txt --lines 3 --replicates 2 --altruism 0 --seed 11 ";
  ASSERT_EQ(RunTool(folder.path(), command + "--jobs 1 --csv one.csv"), 0);
  const std::string one = ReadFile(folder.path() / "stdout.txt");
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt"), "seed: 11\n");
  ASSERT_EQ(RunTool(folder.path(), command + "--jobs 2 --csv two.csv"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one);
  const std::string csv = ReadFile(folder.path() / "one.csv");
  EXPECT_EQ(ReadFile(folder.path() / "two.csv"), csv);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 2 * 2 * 4);
  EXPECT_EQ(csv.rfind("replicate,seed,generating_conflict_mode,generating_altruism,conflict_mode,altruism,"
                      "true_lapse,true_p1,",
                      0),
            0u);
  EXPECT_EQ(one.rfind("recover: 4 of 4 data sets of 3 lines per hand of 3 hands, seed 11\n", 0), 0u) << one;
  for (const char* part : {"model recovery by AIC", "model recovery by BIC", "cannot be recovered on this design: "}) {
    EXPECT_NE(one.find(part), std::string::npos) << part << "\n" << one;
  }
}

// Without --folds, fit draws nothing and prints no seed; with it, the seed and the held-out
// figures, the same for any number of threads.
TEST(StudyTools, FitWithFoldsPrintsItsSeed) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 10 --seed 2 --out played.txt"), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --seed 4 --altruism 0"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").find("seed"), std::string::npos);
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --folds 3 --seed 4 --altruism 0 --jobs 1"), 0);
  const std::string one = ReadFile(folder.path() / "stdout.txt");
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").rfind("seed: 4\n", 0), 0u);
  EXPECT_NE(one.find("3-fold cross-validation by hands, seed 4\nheld out: log-lik.  -"), std::string::npos) << one;
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --folds 3 --seed 4 --altruism 0 --jobs 2"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one);
}

}  // namespace
}  // namespace bruso
