#pragma once

#include <vector>

#include <QChart>

#include "session/response_times.h"

namespace bruso {

// The median response time at each place of the lines, a bar for each role. The caller
// owns the chart.
QChart* NewResponseTimesChart(const std::vector<ResponseTimes>& times);

}  // namespace bruso
