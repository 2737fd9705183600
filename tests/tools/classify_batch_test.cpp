#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "engine/csv_row.h"
#include "model/fit_data.h"
#include "support/recorders.h"
#include "tools/batch_outcome.h"
#include "tools/classify_batch.h"
#include "tools/stop_signals.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RecordingSink;
using testing::TempFolder;

// An output window whose user sends a stop signal when the first line holding `cue`
// arrives.
class InterruptingSink : public RecordingSink {
 public:
  InterruptingSink(std::string cue, int signal_number) : cue_(std::move(cue)), signal_(signal_number) {}
  void AppendLine(std::string_view line) override {
    RecordingSink::AppendLine(line);
    if (line.find(cue_) != std::string_view::npos && !sent_) {
      sent_ = true;
      std::raise(signal_);
    }
  }

 private:
  std::string cue_;
  int signal_;
  bool sent_ = false;
};

// Classifies the shoe in a fresh start directory, with a CSV table, until the output window
// sends its signal; returns the summary.
std::string ClassifyUntilStopped(const TempFolder& folder, InterruptingSink& output, std::string_view shoe) {
  std::filesystem::create_directory(folder.path() / "outputFile");
  std::string summary;
  {
    SharedState state;
    StartUp(state, {.startDirectory = folder.path(), .outputWindow = &output, .seed = 1});
    state.analysis.ProbTable.entries.fill(1);  // NK plays its 3H onto 3C, CK its 2H onto 3H
    state.HandList = ReadShoe(shoe).hands;
    TextFile csv = OpenTable((folder.path() / "lines.csv").string(), ClassifyCsvHeader);
    // Caught even when the test was started with them ignored (as a script's background job).
    for (int each : {SIGINT, SIGTERM, SIGHUP}) std::signal(each, SIG_DFL);
    CatchStopSignals();
    ClassifyBatch batch(state, &csv);
    batch.Run();
    EXPECT_TRUE(batch.stopped());
    summary = batch.SummaryText(1, BatchOutcome());
    csv.Close();
    state.iodef.CloseFiles(state.outputFiles);
  }
  CatchStopSignals();  // clears the request for the tests after this one
  for (int each : {SIGINT, SIGTERM, SIGHUP}) std::signal(each, SIG_DFL);
  return summary;
}

TEST(ClassifyBatch, CtrlCStopsBetweenLinesAndTheSummaryTellsWhatWasDone) {
  TempFolder folder;
  InterruptingSink output("\t", SIGINT);  // at the first path line
  const std::string summary =
      ClassifyUntilStopped(folder, output, "4C 2H 4H 3C 2C 3H NK\n-\nTTC\nPTT\n4C 3H 4H 2H 2C 3C NK\n-\nPP\n");

  EXPECT_NE(summary.find("  stopped by Ctrl-C: after 1 of 3 lines\n  hands:             1\n"), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("  lines replayed:    1\n"), std::string::npos) << summary;
  EXPECT_EQ(ReadFile(folder.path() / "outputFile" / "Amik.txt"), "   4C   2H   4H   3C   2C   3H NK \nTT \t3C3H2H\n");
  EXPECT_EQ(ReadFile(folder.path() / "lines.csv"),
            "hand,line,moves,usable,reaches_2h,positions,suggested,agreements,log_likelihood,"
            "expected_agreements\n1,1,TTC,1,1,2,2,2,-0.01606434339452858,2\n");
}

TEST(ClassifyBatch, AHandSetUpWhenTheStopComesHasItsFirstLineReplayed) {
  TempFolder folder;
  InterruptingSink output("   4C   3H", SIGTERM);  // at the second hand's board line
  const std::string summary =
      ClassifyUntilStopped(folder, output, "4C 2H 4H 3C 2C 3H NK\n-\nTTC\n4C 3H 4H 2H 2C 3C NK\n-\nPP\nPT\n");

  // The summary, Amik.txt and the table agree: two hands, a line each.
  EXPECT_NE(summary.find("  stopped by SIGTERM: after 2 of 3 lines\n  hands:              2\n"), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("  lines replayed:     2\n"), std::string::npos) << summary;
  EXPECT_EQ(ReadFile(folder.path() / "outputFile" / "Amik.txt"),
            "   4C   2H   4H   3C   2C   3H NK \nTT \t3C3H2H\n   4C   3H   4H   2H   2C   3C NK \nP \t2H\n");
  const std::string csv = ReadFile(folder.path() / "lines.csv");
  EXPECT_NE(csv.find("\n1,1,TTC,"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\n2,1,PP,"), std::string::npos) << csv;
  EXPECT_EQ(csv.find("\n2,2,"), std::string::npos) << csv;
}

// Classifies the shoe with a CSV table, its hands in one list or, given a reader, a block at
// a time; returns Amik.txt, the table and the summary.
std::string ClassifyShoe(const TempFolder& folder, const std::string& shoe, bool in_blocks) {
  std::filesystem::create_directories(folder.path() / "outputFile");
  SharedState state;
  StartUp(state, {.startDirectory = folder.path(), .seed = 3});
  TextFile csv = OpenTable((folder.path() / "lines.csv").string(), ClassifyCsvHeader);
  std::optional<ShoeReader> reader;
  if (!in_blocks) state.HandList = ReadShoe(shoe).hands;
  ClassifyBatch batch(state, &csv);
  if (in_blocks) {
    reader.emplace(shoe);
    batch.ReadHandsFrom(*reader, RecordedLineCount(ReadShoe(shoe).hands));
  }
  batch.Run();
  const std::string summary = batch.SummaryText(3, BatchOutcome());
  csv.Close();
  state.iodef.CloseFiles(state.outputFiles);
  return ReadFile(folder.path() / "outputFile" / "Amik.txt") + ReadFile(folder.path() / "lines.csv") + summary;
}

// The 1,200 deals of the every-deal shoe, more than a block of hands, each with two lines of
// moves to replay.
std::string ShoeOfManyHands() {
  std::istringstream deals(ReadFile(std::filesystem::path(BRUSO_EXAMPLES_DIR) / "every_deal_shoe.txt"));
  const std::string letters = "CUNTP";
  std::string shoe;
  std::string deal;
  for (int h = 0; std::getline(deals, deal); ++h) {
    shoe += deal + "\n-\n";
    for (int line = 1; line <= 2; ++line) {
      for (int i = 0; i < 7; ++i) shoe += letters[static_cast<std::size_t>(h * line + i * i) % letters.size()];
      shoe += '\n';
    }
  }
  return shoe;
}

TEST(ClassifyBatch, AShoeReadInBlocksIsClassifiedAsItsWholeListOfHands) {
  const std::string shoe = ShoeOfManyHands();
  TempFolder whole, blocks;
  const std::string expected = ClassifyShoe(whole, shoe, false);
  EXPECT_NE(expected.find("\n1200,1,"), std::string::npos);
  EXPECT_EQ(ClassifyShoe(blocks, shoe, true), expected);
}

}  // namespace
}  // namespace bruso
