#include "ui/participants_window.h"

#include <cmath>

#include <QFormLayout>
#include <QCategoryAxis>
#include <QHeaderView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplitter>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include "engine/table_number.h"
#include "model/profile_interval.h"
#include "study/fit_table.h"
#include "ui/figure_files.h"
#include "ui/hand_table_model.h"
#include "ui/study_views.h"

namespace bruso {

namespace {

QStringList ParticipantHeader() {
  QStringList header = {"participant", "condition", "lines", "n", "best variant", "beats uniform"};
  for (int i : ParameterOrder) header << QString::fromStdString(ParameterName(i));
  return header;
}

const QStringList GroupHeader = {"conflict_mode", "altruism", "parameter", "mean", "mean_se", "spread",
                                 "spread_se", "median (probability)", "spread (probability)", "group BIC"};

long long LineCount(const Participant& participant) { return RecordedLineCount(participant.hands); }

// "0.2310 [0.1021, 0.4012]": the estimate with its interval; "–" where no line depends on
// it. The estimate leads, so that the column sorts by it.
std::string EstimateText(const ParameterEstimate& estimate) {
  if (!estimate.determined) return "–";
  std::string text = FourDecimals(estimate.value);
  if (!std::isnan(estimate.lower)) text += " [" + FourDecimals(estimate.lower) + ", " + FourDecimals(estimate.upper) + "]";
  return text;
}

// The conditions in the order first met; one unnamed condition when none has a name.
std::vector<std::string> ConditionList(const std::vector<ParticipantFit>& fits) {
  std::vector<std::string> conditions;
  for (const ParticipantFit& fit : fits) {
    if (std::find(conditions.begin(), conditions.end(), fit.condition) == conditions.end()) {
      conditions.push_back(fit.condition);
    }
  }
  return conditions;
}

QChart* NewEstimatesChart(const std::vector<ParticipantFit>& fits, int parameter) {
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("%1 by participant and condition").arg(QString::fromStdString(ParameterName(parameter))));
  auto* x_axis = new QCategoryAxis;
  x_axis->setTitleText(QStringLiteral("participant"));
  x_axis->setRange(0, static_cast<double>(fits.size()) + 1);
  x_axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (std::size_t p = 0; p < fits.size(); ++p) x_axis->append(QString::fromStdString(fits[p].id), static_cast<double>(p + 1));
  auto* y_axis = new QValueAxis;
  y_axis->setTitleText(QStringLiteral("best variant's estimate"));
  y_axis->setRange(0, 1);
  chart->addAxis(x_axis, Qt::AlignBottom);
  chart->addAxis(y_axis, Qt::AlignLeft);
  const QColor colours[] = {QColor(40, 100, 180), QColor(215, 90, 30), QColor(50, 150, 70), QColor(150, 60, 160)};
  const std::vector<std::string> conditions = ConditionList(fits);
  for (std::size_t c = 0; c < conditions.size(); ++c) {
    const QColor colour = colours[c % std::size(colours)];
    auto* points = new QScatterSeries;
    points->setName(conditions[c].empty() ? QStringLiteral("estimate") : QString::fromStdString(conditions[c]));
    points->setColor(colour);
    points->setMarkerSize(9);
    chart->addSeries(points);
    for (std::size_t p = 0; p < fits.size(); ++p) {
      const ParameterEstimate& estimate = fits[p].Best().parameters[parameter];
      if (fits[p].condition != conditions[c] || !estimate.determined) continue;
      const double x = static_cast<double>(p + 1);
      points->append(x, estimate.value);
      if (std::isnan(estimate.lower)) continue;
      auto* whisker = new QLineSeries;
      whisker->append(x, estimate.lower);
      whisker->append(x, estimate.upper);
      whisker->setPen(QPen(colour.lighter(130), 2));
      chart->addSeries(whisker);
      chart->legend()->markers(whisker).front()->setVisible(false);
    }
  }
  for (QAbstractSeries* series : chart->series()) {
    series->attachAxis(x_axis);
    series->attachAxis(y_axis);
  }
  chart->legend()->setAlignment(Qt::AlignBottom);
  return chart;
}

}  // namespace

ParticipantsWindow::ParticipantsWindow(Dialogs& dialogs, const std::filesystem::path& output_folder)
    : dialogs_(dialogs), outputFolder_(output_folder) {
  setWindowTitle(QStringLiteral("Participants"));
  SaveFigures = AddFiguresFileMenu(this, [this] { SaveFiguresClick(); });

  Source = new QLabel(QStringLiteral("No study open: File > Open Study... in the main window opens one."));
  Source->setWordWrap(true);
  Task = new StudyTaskPanel(QStringLiteral("&Fit Participants"));
  Table = NewTable(ParticipantHeader());
  // In the study's order until the user clicks a column's title.
  Table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  Table->setSortingEnabled(true);
  Group = NewTable(GroupHeader);
  Parameter = new QComboBox;
  for (int i : ParameterOrder) Parameter->addItem(QString::fromStdString(ParameterName(i)), i);
  Chart = NewChartView(420, 240);

  auto* chart_tab = new QWidget;
  auto* chart_column = new QVBoxLayout(chart_tab);
  auto* choice = new QFormLayout;
  choice->addRow(QStringLiteral("&Parameter:"), Parameter);
  chart_column->addLayout(choice);
  chart_column->addWidget(Chart, 1);
  auto* tabs = new QTabWidget;
  tabs->addTab(Table, QStringLiteral("Participants"));
  tabs->addTab(chart_tab, QStringLiteral("Estimates chart"));
  tabs->addTab(Group, QStringLiteral("Group (hierarchical)"));
  auto* central = new QWidget;
  auto* column = new QVBoxLayout(central);
  column->addWidget(Source);
  column->addWidget(Task);
  column->addWidget(tabs, 1);
  setCentralWidget(Scrolling(central));  // on a small screen the whole window scrolls

  connect(Task->RunButton, &QPushButton::clicked, this, &ParticipantsWindow::FitClick);
  connect(Task, &StudyTaskPanel::ended, this, &ParticipantsWindow::RunEnded);
  connect(Parameter, &QComboBox::currentIndexChanged, this, &ParticipantsWindow::ShowChartOfParameter);
  ResizeWithinScreen(this, 1200, 760);
}

void ParticipantsWindow::SetStudy(std::vector<Participant> participants, const QString& source) {
  Task->Cancel();
  participants_ = std::move(participants);
  source_ = source;
  fits_.clear();
  groupFits_.clear();
  Source->setText(QStringLiteral("%1 \u00b7 %2 participants").arg(source_).arg(participants_.size()));
  ShowParticipants();
  ShowGroup();
  ShowChartOfParameter();
}

void ParticipantsWindow::FitClick() {
  if (Task->Running() || participants_.empty()) return;
  const long long total = static_cast<long long>(participants_.size()) + std::size(EveryModelVariant);
  Task->Status->setText(QStringLiteral("Fitting %1 participants, then the group...").arg(participants_.size()));
  Task->Start(total, [this, participants = participants_](const StudyWatch& watch) {
    const std::vector<ModelVariant> variants(std::begin(EveryModelVariant), std::end(EveryModelVariant));
    const int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const FitWatch fit_watch{.stopRequested = watch.stopRequested};
    runningFits_.clear();
    runningGroupFits_.clear();
    for (const Participant& participant : participants) {
      if (watch.stopRequested()) return;
      try {
        runningFits_.push_back(FitParticipant(participant, variants, {}, jobs, DefaultIntervalLevel, fit_watch));
      } catch (const NothingToFit& nothing) {
        throw std::runtime_error("participant " + participant.id + ": " + nothing.what());
      }
      watch.unitDone();
    }
    if (participants.size() < 2) return;  // a group of one has no spread to fit
    for (const ModelVariant& variant : variants) {
      runningGroupFits_.push_back(FitHierarchicalVariant(participants, variant, {}, jobs, fit_watch));
      watch.unitDone();
    }
  });
}

void ParticipantsWindow::RunEnded(StudyTaskPanel::Outcome outcome) {
  if (outcome == StudyTaskPanel::Outcome::Done) {
    fits_ = std::move(runningFits_);
    groupFits_ = std::move(runningGroupFits_);
    Task->Status->setText(QStringLiteral("Done: %1 participants and the group fitted.").arg(fits_.size()));
  }
  runningFits_.clear();
  runningGroupFits_.clear();
  ShowParticipants();
  ShowGroup();
  ShowChartOfParameter();
}

void ParticipantsWindow::ShowParticipants() {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t p = 0; p < participants_.size(); ++p) {
    const Participant& participant = participants_[p];
    std::vector<std::string> row = {participant.id, participant.condition, std::to_string(LineCount(participant))};
    if (p < fits_.size()) {
      const FitResult& best = fits_[p].Best();
      row.insert(row.end(), {std::to_string(best.positions), VariantCaption(best.variant).toStdString(),
                             fits_[p].BeatsUniform() ? "yes" : "no"});
      for (int i : ParameterOrder) row.push_back(EstimateText(best.parameters[i]));
    }
    rows.push_back(std::move(row));
  }
  SetRows(Table, rows);
}

void ParticipantsWindow::ShowGroup() {
  std::vector<std::vector<std::string>> rows;
  for (const HierarchicalFit& fit : groupFits_) {
    for (int i : ParameterOrder) {
      const GroupParameter& group = fit.group[i];
      if (!group.estimated) continue;
      const ProbabilityScale scale = OnProbabilityScale(group);
      rows.push_back({std::to_string(fit.variant.conflictMode), std::to_string(fit.variant.altruism), ParameterName(i),
                      TableNumber(group.mean), TableNumber(group.meanError), TableNumber(group.spread),
                      TableNumber(group.spreadError), FourDecimals(scale.centre), FourDecimals(scale.spread),
                      TwoDecimals(fit.bic)});
    }
  }
  SetRows(Group, rows);
  // The logit figures read as four decimals and are saved as they read back exactly.
  for (int row = 0; row < Group->rowCount(); ++row) {
    for (int column = 3; column <= 6; ++column) {
      QTableWidgetItem* item = Group->item(row, column);
      item->setData(ExactTextRole, item->text());
      item->setText(QString::fromStdString(FourDecimals(item->text().toDouble())));
    }
  }
  Group->resizeColumnsToContents();
}

void ParticipantsWindow::ShowChartOfParameter() {
  ShowChart(Chart, NewEstimatesChart(fits_, Parameter->currentData().toInt()));
  Chart->chart()->setTitle(Chart->chart()->title() + QStringLiteral(" \u2014 ") + source_);
}

std::vector<SavedFile> ParticipantsWindow::FilesToSave(const std::filesystem::path& stem, bool svg) {
  const QString name = source_;
  return {NamedAfter(stem, "-participants.csv", CsvOfShoe(TableRows(*Table->model()), name)),
          NamedAfter(stem, "-group.csv", CsvOfShoe(TableRows(*Group->model()), name)),
          NamedAfter(stem, "-estimates-" + ParameterName(Parameter->currentData().toInt()) + (svg ? ".svg" : ".png"),
                     ChartBytes(Chart, svg).toStdString())};
}

void ParticipantsWindow::SaveFiguresClick() {
  if (participants_.empty()) {
    dialogs_.Message(QStringLiteral("No study open: File > Open Study... opens one"));
    return;
  }
  SaveFigureFiles(
      dialogs_, outputFolder_, [this](const std::filesystem::path& stem, bool svg) { return FilesToSave(stem, svg); },
      QStringLiteral("Figures saved"));
}

}  // namespace bruso
