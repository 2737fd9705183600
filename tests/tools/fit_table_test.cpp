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

TEST(FitTable, GivesARulePlayerAColumnOfItsOwnAndNamesItsFiles) {
  FitResult analysis;
  analysis.aic = 200;
  analysis.positions = 100;
  FitResult rules;
  rules.rules = "a.txt,b.txt";
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
  const std::vector<std::string> fields = FitCsvFields(rules);
  ASSERT_EQ(fields.size(), FitCsvHeader.size());
  EXPECT_EQ(fields[0], "rules:a.txt,b.txt");
  EXPECT_EQ(fields[1] + fields[2] + fields[10], "");  // conflict mode, altruism, p1
}

}  // namespace
}  // namespace bruso
