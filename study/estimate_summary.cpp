#include "study/estimate_summary.h"

#include <cmath>
#include <limits>

namespace bruso {

bool EstimateSummary::Recoverable() const {
  return 2 * estimated > dataSets && std::isfinite(correlation) && correlation >= 0.5;
}

EstimateSummary SummariseEstimates(const std::vector<EstimateRecord>& records) {
  EstimateSummary summary;
  summary.dataSets = static_cast<long long>(records.size());
  double sum_truth = 0, sum_estimate = 0, sum_error = 0, sum_squared_error = 0;
  for (const EstimateRecord& record : records) {
    if (!record.estimated) continue;
    ++summary.estimated;
    sum_truth += record.truth;
    sum_estimate += record.estimate;
    sum_error += record.estimate - record.truth;
    sum_squared_error += (record.estimate - record.truth) * (record.estimate - record.truth);
    summary.onBound += record.onBound;
    if (std::isnan(record.lower)) continue;
    ++summary.intervals;
    summary.covered += record.lower <= record.truth && record.truth <= record.upper;
  }
  const double n = static_cast<double>(summary.estimated);
  summary.correlation = std::numeric_limits<double>::quiet_NaN();
  if (summary.estimated == 0) return summary;
  summary.bias = sum_error / n;
  summary.rmse = std::sqrt(sum_squared_error / n);
  const double mean_truth = sum_truth / n, mean_estimate = sum_estimate / n;
  double truth_spread = 0, estimate_spread = 0, together = 0;
  for (const EstimateRecord& record : records) {
    if (!record.estimated) continue;
    truth_spread += (record.truth - mean_truth) * (record.truth - mean_truth);
    estimate_spread += (record.estimate - mean_estimate) * (record.estimate - mean_estimate);
    together += (record.truth - mean_truth) * (record.estimate - mean_estimate);
  }
  if (truth_spread > 0 && estimate_spread > 0) summary.correlation = together / std::sqrt(truth_spread * estimate_spread);
  return summary;
}

}  // namespace bruso
