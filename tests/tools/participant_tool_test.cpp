#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "shoe/shoe_file.h"
#include "support/recorders.h"
#include "tool_runner.h"

namespace bruso {
namespace {

using namespace testing;

// Two hands of one recorded line each.
constexpr std::string_view Shoe = "4H 4C 3H 3C 2H 2C CK\n-\nUTNTCUNP\n4C 2H 4H 3C 2C 3H NK\n-\nNUTTUNCT\n";

std::vector<std::string> TextLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The rows of a CSV table without its header, each with `drop_front` fields cut from its
// start and `drop_back` from its end; `rows` of them.
std::vector<std::string> Rows(const std::string& table, std::size_t drop_front, std::size_t drop_back, std::size_t rows) {
  std::vector<std::string> result;
  const std::vector<std::string> lines = TextLines(table);
  for (std::size_t r = 1; r < lines.size() && result.size() < rows; ++r) {
    std::vector<std::string> fields;
    std::istringstream in(lines[r]);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    if (lines[r].back() == ',') fields.push_back("");
    std::string row;
    for (std::size_t f = drop_front; f + drop_back < fields.size(); ++f) row += fields[f] + ",";
    result.push_back(row);
  }
  return result;
}

// A fit per participant is the fit of their lines saved as a shoe of their own, to the last
// digit, whether a groups file splits one shoe or each participant comes as a shoe file.
// The hierarchical fit of the two is the same either way and on any number of threads.
TEST(ParticipantTools, AFitPerParticipantIsTheFitOfTheirLinesAsAShoeOfTheirOwn) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate shoe.txt --lines 12 --lapse 0.1 --seed 8 --out played.txt"), 0);
  const HandList hands = ReadShoeFile((folder.path() / "played.txt").string()).hands;
  // Lines 1 to 5 of each hand are anna's, the rest ben's.
  std::string groups = "hand,line,participant\n", anna, ben;
  for (std::size_t h = 0; h < hands.size(); ++h) {
    const std::string head = (h == 0 ? "CK " : "NK ") + hands[h].HandText + "\n" + hands[h].MoveLines[0].Line + "\n";
    anna += head;
    ben += head;
    for (std::size_t l = 1; l < hands[h].MoveLines.size(); ++l) {
      const bool first = l <= 5;
      groups += std::to_string(h + 1) + "," + std::to_string(l) + "," + (first ? "anna" : "ben") + "\n";
      (first ? anna : ben) += hands[h].MoveLines[l].Line + "\n";
    }
  }
  WriteFile(folder.path() / "groups.csv", groups);
  WriteFile(folder.path() / "anna.txt", anna);
  WriteFile(folder.path() / "ben.txt", ben);
  const std::string options = " --conflict-mode 0 --fix p3=0.5";
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --groups groups.csv --per-participant --jobs 2 --csv pp.csv" + options), 0)
      << ReadFile(folder.path() / "stderr.txt");
  const std::string shown = ReadFile(folder.path() / "stdout.txt");
  EXPECT_NE(shown.find("participant anna\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("all participants (participants: 2,"), std::string::npos) << shown;
  ASSERT_EQ(RunTool(folder.path(), "fit anna.txt ben.txt --per-participant --jobs 1 --csv shoes.csv" + options), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit anna.txt --csv anna.csv" + options), 0);
  ASSERT_EQ(RunTool(folder.path(), "fit ben.txt --csv ben.csv" + options), 0);
  const std::string per_participant = ReadFile(folder.path() / "pp.csv");
  EXPECT_EQ(ReadFile(folder.path() / "shoes.csv"), per_participant);
  const std::vector<std::string> rows = Rows(per_participant, 2, 3, 4);
  ASSERT_EQ(rows.size(), 4u);
  const std::vector<std::string> anna_rows = Rows(ReadFile(folder.path() / "anna.csv"), 0, 0, 2);
  const std::vector<std::string> ben_rows = Rows(ReadFile(folder.path() / "ben.csv"), 0, 0, 2);
  EXPECT_EQ((std::vector<std::string>{rows[0], rows[1]}), anna_rows);
  EXPECT_EQ((std::vector<std::string>{rows[2], rows[3]}), ben_rows);
  EXPECT_EQ(per_participant.rfind("participant,condition,model,", 0), 0u);

  // The hierarchical fit is the same on any number of threads.
  ASSERT_EQ(RunTool(folder.path(), "fit played.txt --groups groups.csv --hierarchical --jobs 1 --csv h1.csv" + options), 0);
  const std::string one_thread = ReadFile(folder.path() / "stdout.txt");
  ASSERT_EQ(RunTool(folder.path(), "fit anna.txt ben.txt --hierarchical --jobs 3 --csv h3.csv" + options), 0);
  EXPECT_EQ(ReadFile(folder.path() / "stdout.txt"), one_thread);
  EXPECT_EQ(ReadFile(folder.path() / "h3.csv"), ReadFile(folder.path() / "h1.csv"));
  EXPECT_NE(one_thread.find("shrunk estimates\nparticipant"), std::string::npos) << one_thread;
}

TEST(ParticipantTools, RefuseUnclearParticipantsAndOptionsThatDoNotGoTogetherBeforeWritingAnything) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  std::filesystem::create_directory(folder.path() / "other");
  WriteFile(folder.path() / "other" / "shoe.txt", Shoe);
  WriteFile(folder.path() / "second.txt", Shoe);
  WriteFile(folder.path() / "groups.csv", "hand,line,participant\n1,1,a\n");  // hand 2 line 1 is nobody's
  WriteFile(folder.path() / "conditions.csv", "participant,condition\nshoe,x\nthird,y\n");
  const char* wrong[] = {
      "fit shoe.txt --per-participant --groups groups.csv --csv written",
      "fit shoe.txt other/shoe.txt --per-participant --csv written",
      "fit shoe.txt second.txt --per-participant --conditions conditions.csv --csv written",
      "fit shoe.txt --per-participant --groups missing.csv --csv written",
      "fit shoe.txt second.txt --csv written",
      "fit shoe.txt --groups groups.csv --csv written",
      "fit shoe.txt --per-participant --hierarchical --csv written",
      "fit shoe.txt --hierarchical --csv written",
      "fit shoe.txt --level 0.9 --no-intervals --csv written",
      "fit shoe.txt --per-participant --groups groups.csv --conditions conditions.csv --csv written",
      "fit shoe.txt --per-participant --groups groups.csv --csv groups.csv",
      "classify shoe.txt --groups groups.csv --out written",
      "classify shoe.txt --groups groups.csv --csv groups.csv",
      "classify shoe.txt second.txt --groups groups.csv --out written",
      "classify shoe.txt other/shoe.txt --out written",
      "classify shoe.txt second.txt --conditions conditions.csv --out written",
      "classify shoe.txt --conditions conditions.csv --out written",
      "classify shoe.txt --groups groups.csv --conditions conditions.csv --out written",
      "classify shoe.txt second.txt --csv second.txt",
      "recover shoe.txt --participants 3 --lines 4 --csv written",
      "recover shoe.txt --participants 3 --lines-per-participant 4 --group-spread p1=0 --csv written",
      "recover shoe.txt --participants 3 --lines-per-participant 4 --group-mean p12=1 --csv written",
      "recover shoe.txt --participants 3 --lines-per-participant 4 --conflict-mode both --csv written",
      "recover shoe.txt --participants 3 --csv written",
      "recover shoe.txt --lines 3 --group-mean p1=1 --csv written",
  };
  for (const char* command : wrong) {
    SCOPED_TRACE(command);
    const int status = RunTool(folder.path(), command);
    EXPECT_TRUE(status == 2 || (status == 1 && std::string(command).find("missing") != std::string::npos)) << status;
    const std::string message = ReadFile(folder.path() / "stderr.txt");
    EXPECT_EQ(message.rfind("bruso-batch: ", 0), 0u) << message;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "written"));
  }
  EXPECT_EQ(ReadFile(folder.path() / "groups.csv"), "hand,line,participant\n1,1,a\n");
}

// classify with a groups file names each line's participant and condition in its tables
// and gives each participant's agreement.
TEST(ParticipantTools, ClassifyNamesWhoPlayedEachLine) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  WriteFile(folder.path() / "groups.csv", "condition,hand,line,participant\nslow,2,1,ben\nfast,1,1,anna\n");
  ASSERT_EQ(RunTool(folder.path(), "classify shoe.txt --groups groups.csv --out . --csv lines.csv --positions positions.csv"), 0)
      << ReadFile(folder.path() / "stderr.txt");
  const std::vector<std::string> lines = TextLines(ReadFile(folder.path() / "lines.csv"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].ends_with(",participant,condition")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("1,1,") && lines[1].ends_with(",anna,fast")) << lines[1];
  EXPECT_TRUE(lines[2].starts_with("2,1,") && lines[2].ends_with(",ben,slow")) << lines[2];
  for (const std::string& row : TextLines(ReadFile(folder.path() / "positions.csv"))) {
    EXPECT_TRUE(row.ends_with(",participant,condition") || row.ends_with(row.starts_with("1,") ? ",anna,fast" : ",ben,slow"))
        << row;
  }
  const std::string summary = ReadFile(folder.path() / "stderr.txt");
  EXPECT_NE(summary.find("  participants:"), std::string::npos) << summary;
  EXPECT_NE(summary.find("    anna:"), std::string::npos) << summary;
}

// classify of several shoes is classify of each shoe alone, one after another, with each
// row naming the file's participant and condition and numbering hands as in its file.
TEST(ParticipantTools, ClassifyOfSeveralShoesIsClassifyOfEachAlone) {
  TempFolder folder;
  WriteFile(folder.path() / "anna.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "simulate anna.txt --lines 3 --seed 4 --out ben.txt"), 0);
  WriteFile(folder.path() / "conditions.csv", "condition,participant\nslow,ben\nfast,anna\n");
  const std::string tables = " --seed 5 --csv lines.csv --positions positions.csv";
  ASSERT_EQ(RunTool(folder.path(), "classify anna.txt ben.txt --conditions conditions.csv --out both" + tables), 0)
      << ReadFile(folder.path() / "stderr.txt");
  const std::string lines = ReadFile(folder.path() / "lines.csv");
  const std::string positions = ReadFile(folder.path() / "positions.csv");
  const std::string window = ReadFile(folder.path() / "stdout.txt");
  const std::string summary = ReadFile(folder.path() / "stderr.txt");
  EXPECT_NE(summary.find("    anna:"), std::string::npos) << summary;
  EXPECT_NE(summary.find("    ben:"), std::string::npos) << summary;

  std::string lines_alone, positions_alone, window_alone;
  for (const std::string id : {"anna", "ben"}) {
    ASSERT_EQ(RunTool(folder.path(), "classify " + id + ".txt --out " + id + tables), 0);
    const std::string owner = id == "anna" ? ",anna,fast" : ",ben,slow";
    for (auto [table, joined] : {std::pair{"lines.csv", &lines_alone}, std::pair{"positions.csv", &positions_alone}}) {
      const std::vector<std::string> rows = TextLines(ReadFile(folder.path() / table));
      for (std::size_t r = joined->empty() ? 0 : 1; r < rows.size(); ++r) {
        *joined += rows[r] + (r == 0 ? ",participant,condition" : owner) + "\n";
      }
    }
    window_alone += ReadFile(folder.path() / "stdout.txt");
  }
  EXPECT_EQ(lines, lines_alone);
  EXPECT_EQ(positions, positions_alone);
  EXPECT_EQ(window, window_alone);
}

// recover --participants fits a simulated group alone and hierarchically: a row per
// participant, and per parameter the errors of both ways.
TEST(ParticipantTools, RecoverASimulatedGroup) {
  TempFolder folder;
  WriteFile(folder.path() / "shoe.txt", Shoe);
  ASSERT_EQ(RunTool(folder.path(), "recover shoe.txt --participants 4 --lines-per-participant 6 --group-mean lapse=-2 "
                                   "--seed 3 --jobs 2 --csv group.csv"), 0)
      << ReadFile(folder.path() / "stderr.txt");
  const std::vector<std::string> rows = TextLines(ReadFile(folder.path() / "group.csv"));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_TRUE(rows[0].starts_with("participant,lapse_true,lapse_independent,lapse_hierarchical,p1_true")) << rows[0];
  const std::string shown = ReadFile(folder.path() / "stdout.txt");
  EXPECT_EQ(shown.rfind("recover: 4 participants of 6 lines on 2 hands, conflict mode 0, altruism 0, seed 3\n", 0), 0u)
      << shown;
  EXPECT_NE(shown.find("lapse               -2.0000"), std::string::npos) << shown;
}

}  // namespace
}  // namespace bruso
