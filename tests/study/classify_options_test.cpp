#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "study/classify_options.h"

namespace bruso {
namespace {

// The start settings as the command line changes them.
AnalysisSettings Parse(const std::vector<std::string>& words) {
  AnalysisSettings settings;
  ModelOptionsFrom(CommandLine(words, {ConflictModeOption, AltruismOption, ProbOption}, {TraceOption}))
      .ApplyTo(settings);
  return settings;
}

TEST(ClassifyOptions, SetTheModesTheTraceAndTheProbabilities) {
  const AnalysisSettings parsed =
      Parse({"--conflict-mode", "1", "--altruism", "1", "--trace", "--prob", "0,.1,0.2,0.3,0.4,0.5,0.6,0.7,0.8,1"});
  EXPECT_EQ(parsed.AnalysisMode, TracingMode);
  EXPECT_EQ(parsed.ConflictMode, 1);
  EXPECT_EQ(parsed.AltruismSwitch, 1);
  EXPECT_EQ(parsed.ProbTable[1], 0);
  EXPECT_EQ(parsed.ProbTable[2], 0.1);
  EXPECT_EQ(parsed.ProbTable[10], 1);
  EXPECT_EQ(Parse({"--altruism", "0"}).AltruismSwitch, 0);
  EXPECT_EQ(Parse({}).ProbTable.entries, EvenProbTable().entries);  // what is not given stays
}

TEST(ClassifyOptions, RejectsValuesTheModelCannotTake) {
  const std::vector<std::vector<std::string>> wrong = {
      {"--conflict-mode", "2"},
      {"--conflict-mode", ""},
      {"--altruism", "01"},
      {"--prob", "1,1,1,1,1,1,1,1,1"},           // nine
      {"--prob", "1,1,1,1,1,1,1,1,1,1,1"},       // eleven
      {"--prob", "1,1,1,1,1,1,1,1,1,1.5"},       // above 1
      {"--prob", "1,1,1,1,1,1,1,1,1,-0.5"},      // below 0
      {"--prob", "1,1,1,1,1,1,1,1,1,nan"},
      {"--prob", "1,1,1,1,1,1,1,1,1,0x1p-1"},    // decimals only
      {"--prob", "1,1,1,1,1,1,1,1,1, 1"},
      {"--prob", "1,1,1,1,1,1,1,1,,1"},
      {"--prob", "0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5;0.5"},
  };
  for (const auto& words : wrong) {
    EXPECT_THROW(Parse(words), OptionValueError) << words[0] << " " << words[1];
  }
}

}  // namespace
}  // namespace bruso
