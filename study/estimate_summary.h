#pragma once

#include <vector>

namespace bruso {

// One parameter of one fitted data set beside the value it was simulated with.
struct EstimateRecord {
  double truth = 0;
  bool estimated = false;  // false: no position depends on it (the other fields unused)
  double estimate = 0;
  double lower = 0;  // the interval; NaN without one
  double upper = 0;
  bool onBound = false;
};

// How well one parameter is recovered over many data sets.
struct EstimateSummary {
  long long dataSets = 0;
  long long estimated = 0;
  double correlation = 0;  // of estimate with truth; NaN when either does not vary
  double bias = 0;         // mean of estimate − truth
  double rmse = 0;
  long long intervals = 0;
  long long covered = 0;  // intervals that hold the truth
  long long onBound = 0;

  double NotIdentifiableShare() const { return dataSets > 0 ? double(dataSets - estimated) / dataSets : 0; }
  double OnBoundShare() const { return estimated > 0 ? double(onBound) / estimated : 0; }
  double Coverage() const { return intervals > 0 ? double(covered) / intervals : 0; }
  // Not estimated in half the data sets or more, or estimates that hardly follow the truth
  // (a correlation below 0.5).
  bool Recoverable() const;
};

EstimateSummary SummariseEstimates(const std::vector<EstimateRecord>& records);

}  // namespace bruso
