#pragma once

#include <vector>

#include <QChart>
#include <QTableWidget>

#include "study/recovery.h"

namespace bruso {

// The most intervals a recovery chart draws as whiskers; past them only the points.
inline constexpr int MostDrawnIntervals = 400;

// A parameter's estimate against its true value in the generating variants' own fits: a
// point per data set that estimates it (those on a bound marked apart), its interval as a
// whisker, and the line where estimate and truth agree. The caller owns the chart.
QChart* NewRecoveryChart(const std::vector<RecoveryUnit>& units, int parameter);

// The model-recovery confusion matrix as a grid: a row per generating variant, a column per
// fitted variant, each cell the share of the row's data sets that the column's variant won
// by AIC or BIC, shaded by that share.
void ShowConfusion(QTableWidget* grid, const std::vector<RecoveryUnit>& units, bool by_bic);

}  // namespace bruso
