#include "ui/response_times_chart.h"

#include <algorithm>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegend>
#include <QValueAxis>

namespace bruso {

QChart* NewResponseTimesChart(const std::vector<ResponseTimes>& times) {
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("Median response time by move and role"));
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setAnimationOptions(QChart::NoAnimation);

  int last_move = 0;
  double top = 0;
  for (const ResponseTimes& row : times) {
    last_move = std::max(last_move, row.move);
    top = std::max(top, row.medianMs);
  }
  auto* ck = new QBarSet(QStringLiteral("CK"));
  auto* nk = new QBarSet(QStringLiteral("NK"));
  QStringList moves;
  for (int move = 1; move <= last_move; ++move) {
    moves << QString::number(move);
    *ck << 0;
    *nk << 0;
  }
  for (const ResponseTimes& row : times) (row.role == RoleCK ? ck : nk)->replace(row.move - 1, row.medianMs);

  auto* series = new QBarSeries;
  series->append({ck, nk});
  chart->addSeries(series);
  auto* x = new QBarCategoryAxis;
  x->append(moves);
  x->setTitleText(QStringLiteral("move (place in the line)"));
  auto* y = new QValueAxis;
  y->setRange(0, top > 0 ? top : 1);
  y->applyNiceNumbers();
  y->setLabelFormat("%.0f");
  y->setTitleText(QStringLiteral("median ms"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
  return chart;
}

}  // namespace bruso
