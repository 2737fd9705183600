#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>

#include "engine/text_file.h"
#include "study/data_set.h"
#include "study/predictive_check.h"

namespace bruso {
namespace {

const std::string SmallShoe = std::string(BRUSO_SOURCE_DIR) + "/examples/small_shoe.txt";

ParameterPoint Point(double probability, double lapse) {
  ParameterPoint point;
  point.fill(probability);
  point[LapseIndex] = lapse;
  return point;
}

double FigureOf(const std::vector<DataSetFigure>& figures, const std::string& name) {
  for (const DataSetFigure& figure : figures) {
    if (figure.name == name) return figure.value;
  }
  ADD_FAILURE() << "no figure " << name;
  return NAN;
}

// The small example shoe says under each hand how many of its lines reach 2H, and its
// lines' first letters can be counted in the file.
TEST(PredictiveCheck, FiguresOfTheRecordedLinesAreThoseOfTheShoe) {
  const std::string text = ReadWholeFile(SmallShoe);
  const std::vector<DataSetFigure> figures = DataSetFigures(ReadShoeFile(SmallShoe).hands, {0, 0}, Point(0.5, 0.1));
  int solving = 0, lines = 0;
  const std::regex note("solving lines: (\\d+) of (\\d+)");
  for (auto m = std::sregex_iterator(text.begin(), text.end(), note); m != std::sregex_iterator(); ++m) {
    solving += std::stoi((*m)[1]);
    lines += std::stoi((*m)[2]);
  }
  EXPECT_DOUBLE_EQ(FigureOf(figures, "lines reaching 2H"), double(solving) / lines);
  const std::regex starts_with_c("\n(C)[CUNTP]");
  const auto first_c =
      std::distance(std::sregex_iterator(text.begin(), text.end(), starts_with_c), std::sregex_iterator());
  EXPECT_DOUBLE_EQ(FigureOf(figures, "first letter C"), double(first_c) / lines);
  for (const char* share : {"CK letter ", "NK letter ", "first letter "}) {
    double sum = 0;
    for (char letter : MoveLetters) sum += FigureOf(figures, share + std::string(1, letter));
    EXPECT_NEAR(sum, 1, 1e-12) << share;
  }
  const double agreement = FigureOf(figures, "agreement overall");
  EXPECT_GT(agreement, 0);
  EXPECT_LT(agreement, 1);
}

TEST(PredictiveCheck, QuantilesInterpolateBetweenNeighbours) {
  EXPECT_EQ(Quantile({1, 2, 3, 4, 5}, 0.5), 3);
  EXPECT_DOUBLE_EQ(Quantile({0, 10}, 0.025), 0.25);
  EXPECT_EQ(Quantile({7}, 0.975), 7);
  EXPECT_TRUE(std::isnan(Quantile({}, 0.5)));
}

// The same check on one thread and on two, each data set again from the design's seed
// and its replicate; a stop leaves out the data sets not begun.
TEST(PredictiveCheck, TheSameForAnyThreadsAndEachDataSetAgainFromItsSeed) {
  const HandList hands = ReadShoeFile(SmallShoe).hands;
  const PredictiveDesign design{.variant = {1, 0}, .point = Point(0.6, 0.05), .replicates = 6, .seed = 4};
  const PredictiveCheck one = RunPredictiveCheck(hands, design, 1);
  const PredictiveCheck two = RunPredictiveCheck(hands, design, 2);
  ASSERT_EQ(one.figures.size(), two.figures.size());
  EXPECT_EQ(one.replicates, 6);
  for (std::size_t f = 0; f < one.figures.size(); ++f) {
    SCOPED_TRACE(one.figures[f].name);
    for (const auto field : {&CheckedFigure::recorded, &CheckedFigure::mean, &CheckedFigure::lower,
                             &CheckedFigure::upper}) {
      const double a = one.figures[f].*field, b = two.figures[f].*field;
      EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b)));
    }
  }
  const PredictiveDesign single{.variant = {1, 0}, .point = Point(0.6, 0.05), .replicates = 1, .seed = 4};
  const PredictiveCheck first = RunPredictiveCheck(hands, single, 1);
  const std::vector<DataSetFigure> again = SimulatedFigures(hands, design, 0);
  for (std::size_t f = 0; f < again.size(); ++f) {
    EXPECT_TRUE(first.figures[f].mean == again[f].value || std::isnan(again[f].value)) << again[f].name;
  }
  int asked = 0;
  EXPECT_EQ(RunPredictiveCheck(hands, design, 1, {.stopRequested = [&] { return ++asked > 2; }}).replicates, 2);
}

// Data sets of the small shoe's hands, 30 lines each, played by the model at a point.
HandList Played(ModelVariant variant, const ParameterPoint& point, std::uint64_t seed) {
  const HandList hands = ReadShoeFile(SmallShoe).hands;
  Random random(seed);
  return SimulateDataSet(hands, std::vector<int>(hands.size(), 30), variant, point, random);
}

// Over 20 data sets played by the model it checks, the check finds at most one figure in
// ten outside its band (about one in twenty expected).
TEST(PredictiveCheck, FlagsFewFiguresOfDataFromTheModelItChecks) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "two thousand data sets: too slow under the sanitizers";
#endif
  const ParameterPoint point = Point(0.7, 0.05);
  int outside = 0, figures = 0;
  for (std::uint64_t data_set = 0; data_set < 20; ++data_set) {
    const PredictiveDesign design{.variant = {0, 0}, .point = point, .replicates = 100, .seed = 100 + data_set};
    const PredictiveCheck check = RunPredictiveCheck(Played({0, 0}, point, data_set), design, 2);
    outside += check.OutsideCount();
    figures += static_cast<int>(check.figures.size());
  }
  std::printf("%d of %d figures outside their band\n", outside, figures);
  EXPECT_LE(outside, figures / 10);
}

// Lines played with conflict mode 1 and altruism checked against the variant without
// either: their letters are not those of the model checked.
TEST(PredictiveCheck, FlagsTheLettersOfDataFromAnotherVariant) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "a hundred data sets: too slow under the sanitizers";
#endif
  const ParameterPoint point = Point(0.7, 0.05);
  const PredictiveDesign design{.variant = {0, 0}, .point = point, .replicates = 100, .seed = 1};
  const PredictiveCheck check = RunPredictiveCheck(Played({1, 1}, point, 5), design, 2);
  int letters_outside = 0;
  for (const CheckedFigure& figure : check.figures) {
    if (figure.name.find(" letter ") != std::string::npos && figure.Outside()) ++letters_outside;
  }
  EXPECT_GE(letters_outside, 2);
}

}  // namespace
}  // namespace bruso
