#include "ui/recovery_charts.h"

#include <algorithm>
#include <cmath>

#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include "study/data_set.h"
#include "ui/study_views.h"

namespace bruso {

namespace {

QLineSeries* NewSegment(QPointF from, QPointF to, const QPen& pen) {
  auto* line = new QLineSeries;
  line->append(from);
  line->append(to);
  line->setPen(pen);
  return line;
}

QScatterSeries* NewPoints(const QString& name, const QColor& colour) {
  auto* points = new QScatterSeries;
  points->setName(name);
  points->setColor(colour);
  points->setBorderColor(colour.darker(130));
  points->setMarkerSize(7);
  return points;
}

// The variants fitted in the units, in the order first met.
std::vector<ModelVariant> FittedVariants(const std::vector<RecoveryUnit>& units) {
  std::vector<ModelVariant> variants;
  for (const RecoveryUnit& unit : units) {
    for (const FitResult& fit : unit.fits) {
      const auto same = [&](ModelVariant v) { return VariantIndex(v) == VariantIndex(fit.variant); };
      if (std::none_of(variants.begin(), variants.end(), same)) variants.push_back(fit.variant);
    }
  }
  return variants;
}

std::vector<ModelVariant> GeneratingVariants(const std::vector<RecoveryUnit>& units) {
  std::vector<ModelVariant> variants;
  for (const RecoveryUnit& unit : units) {
    const auto same = [&](ModelVariant v) { return VariantIndex(v) == VariantIndex(unit.generating); };
    if (std::none_of(variants.begin(), variants.end(), same)) variants.push_back(unit.generating);
  }
  return variants;
}

}  // namespace

QChart* NewRecoveryChart(const std::vector<RecoveryUnit>& units, int parameter) {
  auto* chart = new QChart;
  auto* inside = NewPoints(QStringLiteral("estimate"), QColor(40, 100, 180));
  auto* on_bound = NewPoints(QStringLiteral("on bound"), QColor(220, 120, 30));
  std::vector<QLineSeries*> whiskers;
  const QPen whisker_pen(QColor(120, 150, 200, 140), 1);
  double top = parameter == LapseIndex ? 0 : 1;
  for (const RecoveryUnit& unit : units) {
    const FitResult* own = unit.Own();
    if (own == nullptr) continue;
    const ParameterEstimate& estimate = own->parameters[parameter];
    if (!estimate.determined || estimate.fixed) continue;
    const double truth = unit.truth[parameter];
    (estimate.onBound ? on_bound : inside)->append(truth, estimate.value);
    top = std::max({top, truth, estimate.value});
    if (!std::isnan(estimate.lower) && static_cast<int>(whiskers.size()) < MostDrawnIntervals) {
      whiskers.push_back(NewSegment({truth, estimate.lower}, {truth, estimate.upper}, whisker_pen));
      top = std::max(top, estimate.upper);
    }
  }
  auto* identity = NewSegment({0, 0}, {top, top}, QPen(QColor(90, 90, 90), 1, Qt::DashLine));
  identity->setName(QStringLiteral("= truth"));

  auto* x_axis = new QValueAxis;
  x_axis->setTitleText(QStringLiteral("true value"));
  x_axis->setRange(0, top);
  auto* y_axis = new QValueAxis;
  y_axis->setTitleText(QStringLiteral("estimate"));
  y_axis->setRange(0, top);
  if (parameter == LapseIndex) {
    x_axis->applyNiceNumbers();
    y_axis->applyNiceNumbers();
  } else {
    // A little beyond 0 and 1, so that the estimates on a bound are seen whole.
    for (QValueAxis* axis : {x_axis, y_axis}) {
      axis->setRange(-0.04, 1.04);
      axis->setTickType(QValueAxis::TicksDynamic);
      axis->setTickAnchor(0);
      axis->setTickInterval(0.25);
    }
  }
  chart->addAxis(x_axis, Qt::AlignBottom);
  chart->addAxis(y_axis, Qt::AlignLeft);
  for (QLineSeries* whisker : whiskers) chart->addSeries(whisker);
  for (QXYSeries* series : std::initializer_list<QXYSeries*>{identity, inside, on_bound}) chart->addSeries(series);
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x_axis);
    series->attachAxis(y_axis);
  }
  for (QLineSeries* whisker : whiskers) chart->legend()->markers(whisker).front()->setVisible(false);
  const long long estimated = inside->count() + on_bound->count();
  QString estimates = QStringLiteral("true value \u00b7 %1 estimates").arg(estimated);
  if (estimated == 0) estimates = QStringLiteral("true value \u00b7 no position depends on it");
  if (static_cast<int>(whiskers.size()) == MostDrawnIntervals) {
    estimates += QStringLiteral(", intervals of the first %1").arg(MostDrawnIntervals);
  }
  x_axis->setTitleText(estimates);
  chart->setTitle(QString::fromStdString(ParameterName(parameter)));
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

void ShowConfusion(QTableWidget* grid, const std::vector<RecoveryUnit>& units, bool by_bic) {
  const std::vector<ModelVariant> generating = GeneratingVariants(units);
  const std::vector<ModelVariant> chosen = FittedVariants(units);
  const ModelConfusion confusion = RecoveryConfusion(units, by_bic);
  grid->clear();
  grid->setRowCount(static_cast<int>(generating.size()));
  grid->setColumnCount(static_cast<int>(chosen.size()));
  for (std::size_t c = 0; c < chosen.size(); ++c) {
    grid->setHorizontalHeaderItem(static_cast<int>(c), new QTableWidgetItem(VariantCaption(chosen[c])));
  }
  for (std::size_t g = 0; g < generating.size(); ++g) {
    grid->setVerticalHeaderItem(static_cast<int>(g), new QTableWidgetItem(VariantCaption(generating[g])));
    for (std::size_t c = 0; c < chosen.size(); ++c) {
      const double share = confusion.Share(VariantIndex(generating[g]), VariantIndex(chosen[c]));
      auto* cell = new QTableWidgetItem(QString::asprintf("%.3f", share));
      cell->setTextAlignment(Qt::AlignCenter);
      // White for none, deep blue for all; the text turns white where the blue is deep.
      const int fade = static_cast<int>(std::lround(255 * (1 - share)));
      cell->setBackground(QColor(fade, fade + (255 - fade) / 3, 255 - static_cast<int>(std::lround(80 * share))));
      cell->setForeground(share > 0.55 ? Qt::white : Qt::black);
      grid->setItem(static_cast<int>(g), static_cast<int>(c), cell);
    }
  }
}

}  // namespace bruso
