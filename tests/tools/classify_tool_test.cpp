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
  EXPECT_EQ(ReadFile(folder.path() / "stderr.txt"), "seed: 11\n");
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
