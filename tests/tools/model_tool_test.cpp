#include <gtest/gtest.h>

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
      "simulate shoe.txt --out written --lines 0",
      "simulate shoe.txt --out written --lines -3",
      "simulate shoe.txt --out written --lines 5 --lapse 1",
      "simulate shoe.txt --out written --lines 5 --prob 0.5",
      "classify shoe.txt --out written --lapse 0",
      "classify shoe.txt --positions written --lapse 1.5",
      "fit shoe.txt --csv shoe.txt",  // an output that names the input
      "simulate shoe.txt --lines 5 --out shoe.txt",
      "classify shoe.txt --out written --positions shoe.txt",
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

// 4.9e-324, the smallest double above 0, written out: a number the options read, too
// small to score.
std::string TooSmallToScore() { return "0." + std::string(323, '0') + "49"; }

TEST(ModelTools, RefuseARateOrHeldValueTooSmallToScoreNamingTheOption) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  const struct {
    const char* command;
    const char* option;
  } cases[] = {
      {"fit shoe.txt --csv written --fix lapse=", "--fix lapse "},
      {"fit shoe.txt --csv written --fix p2=", "--fix p2 "},
      {"classify shoe.txt --out written --lapse ", "--lapse "},
      {"simulate shoe.txt --out written --lines 5 --lapse ", "--lapse "},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.command);
    EXPECT_EQ(RunTool(folder.path(), each.command + TooSmallToScore()), 2);
    const std::string message = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(message.rfind(std::string("bruso-batch: ") + each.option, 0), 0u) << message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "written"));
  }
}

TEST(ModelTools, FitWithoutAPositionToFitSaysSoAndFails) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", "4H 4C 3H 3C 2H 2C CK\n-\n4C 2H 4H 3C 2C 3H NK\n-\n");
  EXPECT_EQ(RunTool(folder.path(), "fit shoe.txt --csv fit.csv"), 1);
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt"), "bruso-batch: shoe.txt: there is no position to fit\n");
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), "");
  const std::string csv = ReadFile(folder.path() / "fit.csv");
  EXPECT_EQ(csv.find('\n'), csv.size() - 1) << "the header only: " << csv;
}

TEST(ModelTools, FitNamesTheUniformPlayerWhenNoVariantExplainsTheLinesBetter) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  // Lines of moves at random.
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 30 --lapse 0.999999 --seed 3 --out random.txt"), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit random.txt --conflict-mode 1 --altruism 1"), 0);
  const std::string table = ReadFile(folder.path() / "stdout.txt");
  EXPECT_NE(table.find("\nlowest AIC: the uniform player ("), std::string::npos) << table;
  EXPECT_EQ(table.find("lowest AIC: conflict mode"), std::string::npos) << table;
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
            "p4,p4_se,p5,p5_se,p6,p6_se,p7,p7_se,p8,p8_se,p9,p9_se,p10,p10_se,expected_agreement");
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

}  // namespace
}  // namespace bruso
