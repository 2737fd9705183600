#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/fit.h"
#include "model/parameter_search.h"

namespace bruso {
namespace {

// The log-likelihood that the derivative-free search reached on the example shoes, to ten
// decimals: the fit must reach at least as high (within a millionth).
struct Reference {
  const char* shoe;
  ModelVariant variant;
  double logLikelihood;
};

const Reference References[] = {
    {"small_shoe.txt", {0, 0}, -348.8788441652}, {"small_shoe.txt", {0, 1}, -343.0378723887},
    {"small_shoe.txt", {1, 0}, -350.6044519712}, {"small_shoe.txt", {1, 1}, -346.2807113129},
    {"large_shoe.txt", {0, 0}, -9661.2498092689}, {"large_shoe.txt", {0, 1}, -9576.4821705323},
    {"large_shoe.txt", {1, 0}, -9704.6898794844}, {"large_shoe.txt", {1, 1}, -9629.0662761703},
};

TEST(Fit, ReachesALogLikelihoodAtLeastAsHighAsTheDerivativeFreeSearch) {
  for (const Reference& reference : References) {
    SCOPED_TRACE(std::string(reference.shoe) + " variant " +
                 std::to_string(reference.variant.conflictMode * 10 + reference.variant.altruism));
    const HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/" + reference.shoe).hands;
    const FitResult fit = FitVariant(hands, reference.variant, AnalysisSettings{}, {}, 2);
    EXPECT_GE(fit.logLikelihood, reference.logLikelihood - 1e-6 * std::abs(reference.logLikelihood));
  }
}

// The value a search gives with its end point is the log-likelihood there, to the last bit,
// with a parameter held (as at a point of a profile) and without.
TEST(Fit, SearchGivesTheLogLikelihoodOfItsEndPoint) {
  const HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/small_shoe.txt").hands;
  const FitData data = CompileFitData(hands, {1, 0}, AnalysisSettings{}, 1);
  FixedParameters held;
  held[0] = 0.3;
  const FitWatch watch;  // the search keeps a reference to it
  for (const FixedParameters& fixed : {FixedParameters{}, held}) {
    const LikelihoodSearch search(data, fixed, watch);
    ParameterPoint start;
    start.fill(0.5);
    start[LapseIndex] = 0.05;
    double best = 0;
    const std::vector<double> x = search.Maximise({start}, &best);
    EXPECT_EQ(best, search.ScoreAt(search.PointAt(x)).logLikelihood);
  }
}

// A search asked for a value it can reach stops at the first point that reaches it, and
// goes on to its own end when the value lies beyond what it can reach.
TEST(Fit, SearchStopsWhereItReachesEnough) {
  const HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/small_shoe.txt").hands;
  const FitData data = CompileFitData(hands, {0, 0}, AnalysisSettings{}, 1);
  const FitWatch watch;
  const LikelihoodSearch search(data, {}, watch);
  ParameterPoint start;
  start.fill(0.5);
  start[LapseIndex] = 0.05;
  const double at_start = search.ScoreAt(start).logLikelihood;
  double best = 0;
  const std::vector<double> unchanged = search.Maximise({start}, &best, at_start - 1);
  EXPECT_EQ(search.PointAt(unchanged), start);
  EXPECT_EQ(best, at_start);
  double full = 0;
  const std::vector<double> end = search.Maximise({start}, &full);
  double beyond = 0;
  EXPECT_EQ(search.Maximise({start}, &beyond, full + 1), end);
  EXPECT_EQ(beyond, full);
}

}  // namespace
}  // namespace bruso
