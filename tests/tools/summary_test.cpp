#include <gtest/gtest.h>

#include "tools/progress_line.h"
#include "session/summary.h"

namespace bruso {
namespace {

TEST(Summary, AlignsValuesAndGivesShares) {
  Summary summary("play");
  summary.Add("hands", "12");
  summary.AddCount("solved plays", 3, 4);
  summary.AddCount("stopped", 0, 0);
  EXPECT_EQ(summary.Text(),
            "play\n"
            "  hands:        12\n"
            "  solved plays: 3 (75.0%)\n"
            "  stopped:      0\n");
}

TEST(ProgressLine, TellsDoneRateAndTimeLeft) {
  EXPECT_EQ(ProgressLine::Format(250, 1000, "plays", 2.0), "250/1000 plays  125 plays/s  6 s left");
  EXPECT_EQ(ProgressLine::Format(0, 10, "lines", 0.0), "0/10 lines  0 lines/s  0 s left");
}

}  // namespace
}  // namespace bruso
