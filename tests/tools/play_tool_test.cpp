#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <string>
#include <vector>

#include "session/artificial_play.h"
#include "session/rules_commands.h"
#include "shoe/shoe_file.h"
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

constexpr std::string_view Shoe =
    "4H 2H 3C 3H 2C 4C\n"
    "2H 3H 4H 2C 3C 4C NK\n"
    "CU\n"
    "4C 3C 2C 3H 2H 4H CK\n";
// CK plays one sure move; everything else is drawn at random, so the seed decides.
constexpr std::string_view CKRules = "0 5 5 5\nT 2H # 3H\n";
constexpr std::string_view NKRules = "/ no rules: C or N at random\n";

// A folder with the shoe and the two rules files.
struct PlayFolder {
  PlayFolder() {
    WriteFile(folder.path() / "shoe.txt", Shoe);
    WriteFile(folder.path() / "ck.txt", CKRules);
    WriteFile(folder.path() / "nk.txt", NKRules);
  }
  std::filesystem::path operator/(const std::string& name) const { return folder.path() / name; }
  TempFolder folder;
};

TEST(PlayTool, WritesWhatTheWindowsCommandWritesAndRepeatsWithItsSeed) {
  PlayFolder folder;
  const std::string play = "play shoe.txt --ck ck.txt --nk nk.txt --iterations 3 --seed 11 --out ";
  ASSERT_EQ(RunTool(folder.folder.path(), play + "again"), 0);
  ASSERT_EQ(RunTool(folder.folder.path(), play + "results"), 0);
  EXPECT_EQ(ReadFile(folder / "again/Automa.txt"), ReadFile(folder / "results/Automa.txt"));
  EXPECT_EQ(ReadFile(folder / "again/Amik.txt"), ReadFile(folder / "results/Amik.txt"));

  std::filesystem::create_directory(folder / "outputFile");
  RecordingSink output;
  {
    SharedState state;
    StartUp(state, {.startDirectory = folder.folder.path(), .outputWindow = &output, .seed = 11});
    LoadRulesCK(state, (folder / "ck.txt").string());
    LoadRulesNK(state, (folder / "nk.txt").string());
    state.HandList = ReadShoe(Shoe).hands;
    ASSERT_TRUE(PlayAllHandsArtificially(state, "3").has_value());
    state.iodef.CloseFiles(state.outputFiles);
  }
  EXPECT_EQ(ReadFile(folder / "results/Automa.txt"), ReadFile(folder / "outputFile/Automa.txt"));
  EXPECT_EQ(ReadFile(folder / "results/Amik.txt"), ReadFile(folder / "outputFile/Amik.txt"));
  EXPECT_EQ(ReadFile(folder / "stdout.txt"), JoinLines(output.lines));
  const std::string errors = ReadFile(folder / "stderr.txt");
  EXPECT_EQ(errors.substr(0, errors.find("\nplay\n") + 6), "seed: 11\nplay\n");  // then the summary
  EXPECT_NE(errors.find("  plays: "), std::string::npos) << errors;
  EXPECT_NE(errors.find(" 9\n  reached 2H:"), std::string::npos) << errors;
}

TEST(PlayTool, WritesOneCsvRowPerPlayAndFiguresPerHand) {
  PlayFolder folder;
  ASSERT_EQ(RunTool(folder.folder.path(),
                    "play shoe.txt --ck ck.txt --nk nk.txt --iterations 2 --seed 5 --out results "
                    "--csv plays.csv --per-hand"),
            0);
  const std::string csv = ReadFile(folder / "plays.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "hand,iteration,moves,solved,attempts");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3 * 2);  // three hands, twice each
  EXPECT_NE(csv.find("\n1,1,"), std::string::npos);
  EXPECT_NE(csv.find("\n3,2,"), std::string::npos);
  const std::string errors = ReadFile(folder / "stderr.txt");
  for (const char* label : {"hand 1 plays:", "hand 2 plays:", "hand 3 plays:", "plays per second:"}) {
    EXPECT_NE(errors.find(label), std::string::npos) << label << "\n" << errors;
  }
}

TEST(PlayTool, AnUnreadableFileOrABadNumberStopsBeforeTheOutputFilesAreEmptied) {
  PlayFolder folder;
  ASSERT_EQ(RunTool(folder.folder.path(), "play shoe.txt --ck ck.txt --nk nk.txt --out results"), 0);
  const std::string automa = ReadFile(folder / "results/Automa.txt");
  const struct {
    const char* arguments;
    int status;
    const char* message;  // the first line on standard error
  } cases[] = {
      {"play shoe.txt --ck missing.txt --nk nk.txt --out results", 1, "bruso-batch: File not found: missing.txt"},
      {"play gone.txt --ck ck.txt --nk nk.txt --out results", 1, "bruso-batch: File not found: gone.txt"},
      {"play shoe.txt --ck ck.txt --nk nk.txt --iterations abc --out results", 2,
       "bruso-batch: --iterations takes a whole number, not 'abc'"},
      {"play shoe.txt --nk nk.txt --out results", 2, "bruso-batch: play needs --ck RULES"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTool(folder.folder.path(), c.arguments), c.status) << c.arguments;
    const std::string errors = ReadFile(folder / "stderr.txt");
    EXPECT_EQ(errors.substr(0, errors.find('\n')), c.message) << c.arguments;
    EXPECT_EQ(ReadFile(folder / "results/Automa.txt"), automa) << c.arguments;
  }
  // A file error is the only line.
  RunTool(folder.folder.path(), "play shoe.txt --ck ck.txt --nk missing.txt --out results");
  EXPECT_EQ(ReadFile(folder / "stderr.txt"), "bruso-batch: File not found: missing.txt\n");
}

TEST(PlayTool, ARulesFileTooLongForTheTableIsToldOnceWithItsNameAndSide) {
  PlayFolder folder;
  std::string rules;
  for (int rule = 0; rule <= 150; ++rule) rules += "T 2H # 3H\n";
  WriteFile(folder / "long.txt", rules);
  ASSERT_EQ(RunTool(folder.folder.path(), "play shoe.txt --ck ck.txt --nk long.txt --out results"), 0);
  const std::string errors = ReadFile(folder / "stderr.txt");
  const std::string message = "bruso-batch: long.txt (NK): Not enough memory: only the first 150 rules are used\n";
  EXPECT_NE(errors.find(message), std::string::npos) << errors;
  EXPECT_EQ(errors.find("Not enough memory"), errors.rfind("Not enough memory")) << errors;  // once
}

}  // namespace
}  // namespace bruso
