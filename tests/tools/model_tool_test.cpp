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
    "UTNTCUNP\n"
    "CNCNPPUUTN\n"
    "4C 2H 4H 3C 2C 3H NK\n"
    "-\n"
    "NUTTUNCT\n";

TEST(ModelTools, RefuseValuesTheyCannotTakeOnOneLineBeforeWritingAnything) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const char* wrong[] = {
      "fit shoe.txt --csv written --fix p11=0.5",  // no such parameter
      "fit shoe.txt --csv written --fix p3",       // no value
      "fit shoe.txt --csv written --fix p3=1.5",
      "fit shoe.txt --csv written --fix lapse=0",  // the lapse rate lies strictly inside (0, 1)
      "fit shoe.txt --csv written --conflict-mode 2",
      "fit shoe.txt --csv written --altruism all",
      "fit shoe.txt --csv written --jobs 0",
      "fit shoe.txt --csv written --level 0.5",  // no one-sided interval below 0.5
      "fit shoe.txt --csv written --level 95",
      "simulate shoe.txt --out written --lines 0",
      "simulate shoe.txt --out written --lines -3",
      "simulate shoe.txt --out written --lines 5 --lapse 1",
      "simulate shoe.txt --out written --lines 5 --prob 0.5",
      "classify shoe.txt --out written --lapse 0",
      "classify shoe.txt --positions written --lapse 1.5",
      "fit shoe.txt --csv shoe.txt",  // an output that names the input
      "simulate shoe.txt --lines 5 --out shoe.txt",
      "classify shoe.txt --out written --positions shoe.txt",
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

TEST(ModelTools, TablesHaveTheirHeaders) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "classify shoe.txt --seed 1 --out out --positions positions.csv"), 0);
  const std::string positions = ReadFile(folder.path() / "positions.csv");
  EXPECT_EQ(positions.substr(0, positions.find('\n')),
            "hand,line,position,role,board,target,looked_for,branch,suggested,recorded,agrees,"
            "p_C,p_U,p_N,p_T,p_P,p_recorded");
  ASSERT_EQ(RunTool(folder.path(), "fit shoe.txt --conflict-mode 1 --altruism 0 --csv fit.csv"), 0);
  const std::string fit = ReadFile(folder.path() / "fit.csv");
  EXPECT_EQ(fit.substr(0, fit.find('\n')),
            "model,conflict_mode,altruism,log_likelihood,n,k,aic,bic,lapse,lapse_se,p1,p1_se,p2,p2_se,p3,p3_se,"
            "p4,p4_se,p5,p5_se,p6,p6_se,p7,p7_se,p8,p8_se,p9,p9_se,p10,p10_se,expected_agreement,"
            "interval_level,lapse_lower,lapse_upper,p1_lower,p1_upper,p2_lower,p2_upper,p3_lower,p3_upper,"
            "p4_lower,p4_upper,p5_lower,p5_upper,p6_lower,p6_upper,p7_lower,p7_upper,p8_lower,p8_upper,"
            "p9_lower,p9_upper,p10_lower,p10_upper");
}

TEST(ModelTools, ASimulatedShoeFitsTheSameWithAnyNumberOfThreads) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 30 --lapse 0.1 --seed 5 --out played.txt"), 0);
  const std::string played = ReadFile(folder.path() / "played.txt");
  EXPECT_EQ(played.rfind("4H 4C 3H 3C 2H 2C CK\nplayed by the model: 30 lines", 0), 0u) << played;
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --fix p3=0.5 --jobs 1"), 0);
  const std::string one_thread = ReadFile(folder.path() / "stdout.txt");
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --fix p3=0.5 --jobs 3"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one_thread);
  EXPECT_NE(one_thread.find("0.5000 fixed"), std::string::npos) << one_thread;
}

// The same summary and table for any number of threads; the seed on standard error; a row
// per replicate, generating variant and fitted variant.
TEST(ModelTools, RecoverGivesTheSameForAnyNumberOfThreads) {
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
  EXPECT_EQ(one.rfind("recover: 4 of 4 data sets of 3 lines per hand of 2 hands, seed 11\n", 0), 0u) << one;
  for (const char* part : {"model recovery by AIC", "model recovery by BIC", "cannot be recovered on this design: "}) {
    EXPECT_NE(one.find(part), std::string::npos) << part << "\n" << one;
  }
}

// Without --folds, fit draws nothing and prints no seed; with it, the seed and the held-out
// figures, the same for any number of threads.
TEST(ModelTools, FitWithFoldsPrintsItsSeed) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 10 --seed 2 --out played.txt"), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --seed 4 --altruism 0"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").find("seed"), std::string::npos);
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --folds 2 --seed 4 --altruism 0 --jobs 1"), 0);
  const std::string one = ReadFile(folder.path() / "stdout.txt");
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt").rfind("seed: 4\n", 0), 0u);
  EXPECT_NE(one.find("2-fold cross-validation by hands, seed 4\nheld out: log-lik.  -"), std::string::npos) << one;
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --folds 2 --seed 4 --altruism 0 --jobs 2"), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one);
}

}  // namespace
}  // namespace bruso
