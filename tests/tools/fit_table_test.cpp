#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tools/fit_table.h"

namespace bruso {
namespace {

TEST(FitTable, ShowsEstimatesWithTheirErrorsAndMarksWhatDoesNotApply) {
  FitResult fit;
  fit.variant = {1, 0};
  fit.positions = 100;
  fit.freeParameters = 2;
  fit.logLikelihood = -90;
  fit.aic = 184;
  fit.parameters[LapseIndex] = {.determined = true, .value = 0.05, .standardError = 0.01};
  fit.parameters[0] = {.determined = true, .value = 0.25, .standardError = 0.125};
  fit.parameters[1] = {.determined = true, .fixed = true, .value = 0.5};
  fit.parameters[2] = {.determined = true, .value = 1, .standardError = NAN};
  const std::string text = FitTableText({fit});
  for (const char* row : {"lapse               0.0500 (0.0100)   –\n", "p1                  0.2500 (0.1250)   –\n",
                          "p2                  0.5000 fixed      –\n", "p3                  1.0000 (?)        –\n",
                          "p4                  –                 –\n",
                          "log-likelihood      -90.00            -160.94\n", "lowest AIC: conflict mode 1, altruism 0\n"}) {
    EXPECT_NE(text.find(row), std::string::npos) << row << text;
  }
  const std::vector<std::string> uniform = UniformCsvFields(100);
  EXPECT_EQ(uniform.size(), FitCsvHeader.size());
  EXPECT_EQ(uniform[3], "-160.944");  // 100 ln(1/5)
}

// With intervals: a row per parameter, a mark on an estimate on a bound and its note, and
// the interval ends at the end of the CSV row.
TEST(FitTable, ShowsIntervalsAndMarksEstimatesOnABound) {
  FitResult fit;
  fit.intervalLevel = 0.9;
  fit.parameters[LapseIndex] = {.determined = true, .value = 0.05, .standardError = 0.01, .lower = 0.03, .upper = 0.08};
  fit.parameters[0] = {.determined = true, .value = 1, .standardError = 0.2, .lower = 0.625, .upper = 1, .onBound = true};
  fit.parameters[1] = {.determined = true, .fixed = true, .value = 0.5};
  const std::string text = FitTableText({fit});
  for (const char* row : {"p1                  1.0000 (0.2000) * –\n", "lapse 90%           [0.0300, 0.0800]  –\n",
                          "p1 90%              [0.6250, 1.0000]  –\n", "p2 90%              fixed             –\n",
                          "p3 90%              –                 –\n",
                          "* on a bound of its range: the interval is one-sided\n"}) {
    EXPECT_NE(text.find(row), std::string::npos) << row << text;
  }
  const std::vector<std::string> fields = FitCsvFields(fit);
  ASSERT_EQ(fields.size(), FitCsvHeader.size());
  const std::size_t level = FitCsvHeader.size() - 2 * ParameterCount - 1;
  EXPECT_EQ(FitCsvHeader[level], "interval_level");
  EXPECT_EQ(fields[level], "0.9");
  EXPECT_EQ(FitCsvHeader[level + 3], "p1_lower");
  EXPECT_EQ(fields[level + 3], "0.625");
  EXPECT_EQ(fields[level + 5], "");  // p2 is fixed
}

}  // namespace
}  // namespace bruso
