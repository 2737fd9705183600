#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/fit.h"
#include "model/parameter_search.h"
#include "study/study_units.h"

namespace bruso {

// One figure of a data set that the check compares: the share of lines reaching 2H, a
// share of the moves to 2H, a letter's share of a role's letters or of the lines' first
// letters, the model's expected agreement for a role or branch. NaN where the data set has
// nothing to take it over (no line reaching 2H, no letter of a role).
struct DataSetFigure {
  std::string name;
  double value = 0;
};

// The figures of the recorded lines of the hands, under the model of the variant at the
// point (the agreement as classify gives its expected share). The same names in the same
// order for any data set.
std::vector<DataSetFigure> DataSetFigures(const HandList& hands, ModelVariant variant, const ParameterPoint& point);

// A predictive check of the model at a point: data sets of the same hands, each with as
// many lines per hand as the shoe records, played by the model, and their figures beside
// the recorded ones.
struct PredictiveDesign {
  ModelVariant variant;
  ParameterPoint point{};  // p1..p10 and the lapse rate
  int replicates = 100;
  std::uint64_t seed = 0;
};

// The band of the simulated data sets that holds the middle 95% of a figure.
inline constexpr double CheckBandLow = 0.025;
inline constexpr double CheckBandHigh = 0.975;

// A figure of the recorded lines beside the same figure of the simulated data sets: their
// mean and the band from the CheckBandLow to the CheckBandHigh quantile, over the data
// sets where it is a number (NaN where none is).
struct CheckedFigure {
  std::string name;
  double recorded = 0;
  double mean = 0;
  double lower = 0;
  double upper = 0;
  long long dataSets = 0;
  // The recorded value lies outside the band.
  bool Outside() const { return dataSets > 0 && (recorded < lower || recorded > upper); }
};

// The figures of replicate `replicate`'s data set: everything follows from the design's
// seed and the replicate, wherever it runs.
std::vector<DataSetFigure> SimulatedFigures(const HandList& hands, const PredictiveDesign& design, int replicate);

struct PredictiveCheck {
  int replicates = 0;  // the data sets simulated: fewer than the design's after a stop
  std::vector<CheckedFigure> figures;
  int OutsideCount() const;
};

// Simulates the design's data sets over `jobs` threads (the result is the same for any
// number) and sets each recorded figure beside them. A stop leaves out the data sets not
// begun.
PredictiveCheck RunPredictiveCheck(const HandList& hands, const PredictiveDesign& design, int jobs,
                                   const StudyWatch& watch = {});

// The quantile q of sorted values, interpolated between the two nearest (NaN for none).
double Quantile(const std::vector<double>& sorted, double q);

}  // namespace bruso
