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

}  // namespace
}  // namespace bruso
