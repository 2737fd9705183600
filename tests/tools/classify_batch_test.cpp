#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "support/recorders.h"
#include "tools/classify_batch.h"
#include "tools/interruption.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::RecordingSink;
using testing::TempFolder;

// An output window whose user presses Ctrl-C when the first path line arrives.
class InterruptingSink : public RecordingSink {
 public:
  void AppendLine(std::string_view line) override {
    RecordingSink::AppendLine(line);
    if (line.find('\t') != std::string_view::npos && !pressed_) {
      pressed_ = true;
      std::raise(SIGINT);
    }
  }

 private:
  bool pressed_ = false;
};

TEST(ClassifyBatch, CtrlCStopsBetweenLinesAndTheSummaryTellsWhatWasDone) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "outputFile");
  InterruptingSink output;
  std::string summary;
  {
    SharedState state;
    StartUp(state, {.startDirectory = folder.path(), .outputWindow = &output, .seed = 1});
    state.analysis.ProbTable.entries.fill(1);  // NK plays its 3H onto 3C, CK its 2H onto 3H
    state.HandList = ReadShoe("4C 2H 4H 3C 2C 3H NK\n-\nTTC\nPTT\n4C 3H 4H 2H 2C 3C NK\n-\nPP\n").hands;
    TextFile csv;
    csv.Open((folder.path() / "lines.csv").string(), TextFile::Mode::Write);
    CatchInterruption();
    ClassifyBatch batch(state, &csv);
    batch.Run();
    EXPECT_TRUE(batch.stopped());
    summary = batch.SummaryText(1);
    csv.Close();
    state.iodef.CloseFiles(state.outputFiles);
  }
  CatchInterruption();  // clears the flag for the tests after this one
  std::signal(SIGINT, SIG_DFL);

  EXPECT_NE(summary.find("  stopped by Ctrl-C: after 1 of 3 lines\n  hands:             1\n"), std::string::npos)
      << summary;
  EXPECT_NE(summary.find("  lines replayed:    1\n"), std::string::npos) << summary;
  EXPECT_EQ(ReadFile(folder.path() / "outputFile" / "Amik.txt"), "   4C   2H   4H   3C   2C   3H NK \nTT \t3C3H2H\n");
  EXPECT_EQ(ReadFile(folder.path() / "lines.csv"),
            "hand,line,moves,usable,reaches_2h,positions,suggested,agreements,log_likelihood,"
            "expected_agreements\n1,1,TTC,1,1,2,2,2,-0.0160643,2\n");
}

}  // namespace
}  // namespace bruso
