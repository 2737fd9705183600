#pragma once

#include <string>
#include <vector>

#include "study/predictive_check.h"

namespace bruso {

// The columns of the table that `check --csv` writes: one row per figure, with the
// recorded value, the simulated data sets' mean and 95% band, whether the recorded value
// lies outside it, and over how many data sets the figure is a number. Numbers read back
// exactly; a figure that is no number is empty.
extern const std::vector<std::string> CheckCsvHeader;

std::vector<std::string> CheckCsvFields(const CheckedFigure& figure);

// The table for standard output, a row per figure ("outside" marking those whose recorded
// value lies outside the band), and how many lie outside.
std::string CheckTableText(const PredictiveCheck& check);

}  // namespace bruso
