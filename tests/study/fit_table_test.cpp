#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "study/fit_table.h"

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
  const std::vector<std::string> uniform = FitFields(UniformFit(100));
  EXPECT_EQ(uniform.size(), FitCsvHeader.size());
  EXPECT_EQ(uniform[3], "-160.94379124341003");  // 100 ln(1/5)
}

// A fit of 600,000 positions, where six significant digits tell no two variants apart.
FitResult LargeFit(double log_likelihood) {
  FitResult fit{.logLikelihood = log_likelihood, .positions = 600000, .freeParameters = 1};
  fit.aic = 2 - 2 * log_likelihood;
  fit.bic = std::log(600000.0) - 2 * log_likelihood;
  fit.parameters[LapseIndex] = {.determined = true, .value = 0.123456789012345, .standardError = 1.0 / 3};
  fit.expectedAgreement = 2.0 / 3;
  return fit;
}

TEST(FitTable, FileNumbersReadBackExactlyAndScreenOnesShowTwoDecimals) {
  for (const FitResult& row : FitTableRows({LargeFit(-123456.789012345), LargeFit(-123456.7812)})) {
    const std::vector<std::string> file = FitFields(row);
    const std::vector<std::string> screen = FitFields(row, FitNumbers::OnScreen);
    const struct {
      std::size_t column;
      double value;
    } numbers[] = {{3, row.logLikelihood}, {6, row.aic}, {7, row.bic}};
    for (const auto& [column, value] : numbers) {
      EXPECT_EQ(std::stod(file[column]), value) << FitCsvHeader[column] << " " << file[column];
      char two_decimals[64];
      std::snprintf(two_decimals, sizeof two_decimals, "%.2f", value);
      EXPECT_EQ(screen[column], two_decimals) << FitCsvHeader[column];
    }
    if (row.model != FitModel::Analysis) continue;
    EXPECT_EQ(std::stod(file[8]), 0.123456789012345) << file[8];  // the lapse rate
    EXPECT_EQ(std::stod(file[9]), 1.0 / 3) << file[9];
    const auto agreement = std::find(FitCsvHeader.begin(), FitCsvHeader.end(), "expected_agreement") - FitCsvHeader.begin();
    EXPECT_EQ(std::stod(file[agreement]), 2.0 / 3) << file[agreement];
  }
}

TEST(FitTable, TheLowestAicIsChosenAmongEveryRowTheUniformPlayerIncluded) {
  // 600,000 ln(1/5) is about -965,663: the uniform player beats the first fit only.
  const FitResult worse = LargeFit(-970000);
  const FitResult better = LargeFit(-960000);
  const struct {
    std::vector<FitResult> fits;
    FitModel best;
    const char* last_line;
  } cases[] = {
      {{worse}, FitModel::Uniform,
       "lowest AIC: the uniform player (no variant of the analysis explains the lines better than moving at random)\n"},
      {{worse, better}, FitModel::Analysis, "lowest AIC: conflict mode 0, altruism 0\n"},
  };
  for (const auto& each : cases) {
    const std::vector<FitResult> rows = FitTableRows(each.fits);
    ASSERT_EQ(rows.size(), each.fits.size() + 1);
    const FitResult* best = LowestAic(rows);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(best->model, each.best);
    const std::string text = FitTableText(each.fits);
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), each.last_line) << text;
  }
}

TEST(FitTable, GivesARulePlayerAColumnOfItsOwnAndNamesItsFiles) {
  FitResult analysis;
  analysis.aic = 200;
  analysis.positions = 100;
  FitResult rules{.model = FitModel::Rules, .rules = "a.txt,b.txt"};
  rules.aic = 150;
  rules.positions = 101;
  rules.freeParameters = 1;
  rules.parameters[LapseIndex] = {.determined = true, .value = 0.25, .standardError = 0.5};
  const std::string text = FitTableText({analysis, rules});
  for (const char* row : {"conflict mode       0                 rules 1           uniform\n",
                          "altruism            0\n", "positions n         100               101               100\n",
                          "lapse               –                 0.2500 (0.5000)   –\n",
                          "rules 1: a.txt,b.txt\nlowest AIC: rules a.txt,b.txt\n"}) {
    EXPECT_NE(text.find(row), std::string::npos) << row << text;
  }
  const std::vector<std::string> fields = FitFields(rules);
  ASSERT_EQ(fields.size(), FitCsvHeader.size());
  EXPECT_EQ(fields[0], "rules:a.txt,b.txt");
  EXPECT_EQ(fields[1] + fields[2] + fields[10], "");  // conflict mode, altruism, p1
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
  const std::vector<std::string> fields = FitFields(fit);
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
