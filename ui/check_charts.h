#pragma once

#include <string>
#include <vector>

#include <QChart>

#include "study/predictive_check.h"

namespace bruso {

// The figures whose names begin with `prefix` ("moves to 2H: ", "CK letter "), the prefix
// cut off their names; `except` leaves one out.
std::vector<CheckedFigure> FiguresNamed(const std::vector<CheckedFigure>& figures, const std::string& prefix,
                                        const std::string& except = {});

// The recorded value of each figure as a bar, red and its name starred where it lies
// outside the band, over the
// simulated data sets' band as a box with their mean across it. The caller owns the chart.
QChart* NewBandChart(const QString& title, const std::vector<CheckedFigure>& figures);

}  // namespace bruso
