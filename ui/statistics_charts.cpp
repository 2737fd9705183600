#include "ui/statistics_charts.h"

#include <algorithm>
#include <cmath>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

namespace bruso {

namespace {

// From 0 to `top` percent, with ticks on round numbers.
void SetPercentRange(QValueAxis* axis, double top) {
  axis->setRange(0, top);
  axis->setLabelFormat("%.0f");
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(top > 50 ? 20 : top > 20 ? 5 : 2);
}

QChart* NewChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setAnimationOptions(QChart::NoAnimation);
  return chart;
}

// Bars by category with a percentage axis from 0 to `top`.
QChart* NewPercentBarChart(const QString& title, const QStringList& categories, const QList<QBarSet*>& sets,
                           const QString& category_title, const QString& value_title, double top = 100) {
  QChart* chart = NewChart(title);
  auto* series = new QBarSeries;
  series->append(sets);
  chart->addSeries(series);
  auto* x = new QBarCategoryAxis;
  x->append(categories);
  x->setTitleText(category_title);
  auto* y = new QValueAxis;
  SetPercentRange(y, top);
  y->setTitleText(value_title);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
  return chart;
}

}  // namespace

QChart* NewAgreementChart(const PositionCounts& total) {
  const std::vector<std::pair<QString, const Agreement*>> groups = {
      {"all", &total.overall},
      {"as CK", &total.ck},
      {"as NK", &total.nk},
      {"card at hand", &total.Branch(MoveBranch::CardAtHand)},
      {"search", &total.Branch(MoveBranch::Search)},
      {"step aside", &total.Branch(MoveBranch::StepAside)},
      {"hand-over", &total.Branch(MoveBranch::HandOver)},
  };
  auto* agreed = new QBarSet("recorded move = suggestion");
  auto* expected = new QBarSet("expected by the model");
  QStringList categories;
  for (const auto& [name, agreement] : groups) {
    categories << name;
    *agreed << agreement->AgreedShare();
    *expected << agreement->ExpectedShare();
  }
  return NewPercentBarChart("Agreement by role and branch", categories, {agreed, expected}, "positions by role and by branch of the move choice",
                            "agreement (%)");
}

QChart* NewPlaceChart(const std::vector<Agreement>& by_place) {
  QChart* chart = NewChart("Agreement by position in the line");
  auto* agreed = new QLineSeries;
  agreed->setName("recorded move = suggestion");
  auto* expected = new QLineSeries;
  expected->setName("expected by the model");
  for (std::size_t place = 0; place < by_place.size(); ++place) {
    if (by_place[place].suggested == 0) continue;
    agreed->append(static_cast<double>(place + 1), by_place[place].AgreedShare());
    expected->append(static_cast<double>(place + 1), by_place[place].ExpectedShare());
  }
  chart->addSeries(agreed);
  chart->addSeries(expected);
  auto* x = new QValueAxis;
  const double places = std::max<double>(2, static_cast<double>(by_place.size()));
  x->setRange(1, places);
  x->setLabelFormat("%.0f");
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(1);
  x->setTickInterval(std::ceil(places / 15));  // whole positions, at most about 15 of them
  x->setTitleText("position in the line (1: the first move)");
  auto* y = new QValueAxis;
  SetPercentRange(y, 100);
  y->setTitleText("agreement (%)");
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (QLineSeries* series : {agreed, expected}) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
  return chart;
}

QChart* NewMovesChart(const PlayCounts& artificial, const PlayCounts& recorded) {
  const PlayFigures artificial_figures = FiguresOf(artificial);
  const PlayFigures recorded_figures = FiguresOf(recorded);
  int most = 1;  // the longest solved play of either, so that no empty bars trail
  for (int moves = 0; moves <= MaxCountedMoves; ++moves) {
    if (artificial.solvedByMoves[moves] + recorded.solvedByMoves[moves] > 0) most = std::max(most, moves);
  }
  auto* by_rules = new QBarSet("artificial players");
  auto* by_players = new QBarSet("recorded lines");
  const auto share = [](long long count, long long solved) { return solved == 0 ? 0.0 : 100.0 * count / solved; };
  QStringList categories;
  double highest = 0;
  for (int moves = 1; moves <= most; ++moves) {
    categories << QString::number(moves);
    const double rules_share = share(artificial.solvedByMoves[moves], artificial_figures.solved);
    const double players_share = share(recorded.solvedByMoves[moves], recorded_figures.solved);
    *by_rules << rules_share;
    *by_players << players_share;
    highest = std::max({highest, rules_share, players_share});
  }
  const double top = std::min(100.0, 10 * std::ceil(highest / 10 + 1e-9));
  return NewPercentBarChart("Moves to reach 2H", categories, {by_rules, by_players}, "moves",
                            "solved plays (%)", top);
}

}  // namespace bruso
