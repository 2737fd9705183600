#include "ui/check_charts.h"

#include <cmath>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBoxPlotSeries>
#include <QBoxSet>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace bruso {

std::vector<CheckedFigure> FiguresNamed(const std::vector<CheckedFigure>& figures, const std::string& prefix,
                                        const std::string& except) {
  std::vector<CheckedFigure> named;
  for (const CheckedFigure& figure : figures) {
    if (figure.name.rfind(prefix, 0) != 0 || (!except.empty() && figure.name == prefix + except)) continue;
    named.push_back(figure);
    named.back().name = figure.name.substr(prefix.size());
  }
  return named;
}

QChart* NewBandChart(const QString& title, const std::vector<CheckedFigure>& figures) {
  auto* inside = new QBarSet(QStringLiteral("recorded"));
  inside->setColor(QColor(70, 130, 200));
  auto* outside = new QBarSet(QStringLiteral("outside"));
  outside->setColor(QColor(215, 50, 40));
  auto* band = new QBoxPlotSeries;
  band->setName(QStringLiteral("95% band, mean"));
  band->setBrush(Qt::NoBrush);
  band->setPen(QPen(QColor(30, 30, 30), 2));
  QStringList categories;
  double top = 0;
  const auto number = [](double value) { return std::isnan(value) ? 0.0 : value; };
  for (const CheckedFigure& figure : figures) {
    QString name = QString::fromStdString(figure.name);
    name.replace(QStringLiteral(" or more"), QStringLiteral("+"));  // "12+": room for the star
    categories << (figure.Outside() ? name + QStringLiteral("*") : name);  // seen also where the bar is 0
    *inside << (figure.Outside() ? 0.0 : number(figure.recorded));
    *outside << (figure.Outside() ? number(figure.recorded) : 0.0);
    band->append(new QBoxSet(number(figure.lower), number(figure.lower), number(figure.mean), number(figure.upper),
                             number(figure.upper), name));
    top = std::max({top, number(figure.recorded), number(figure.upper)});
  }
  auto* bars = new QStackedBarSeries;
  bars->append(inside);
  bars->append(outside);

  auto* chart = new QChart;
  chart->setTitle(title);
  chart->addSeries(bars);
  chart->addSeries(band);
  auto* x_axis = new QBarCategoryAxis;
  x_axis->append(categories);
  auto* y_axis = new QValueAxis;
  y_axis->setRange(0, top > 0 ? top * 1.1 : 1);
  y_axis->applyNiceNumbers();
  y_axis->setTitleText(QStringLiteral("share"));
  chart->addAxis(x_axis, Qt::AlignBottom);
  chart->addAxis(y_axis, Qt::AlignLeft);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x_axis);
    series->attachAxis(y_axis);
  }
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

}  // namespace bruso
