#include "ui/statistics_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "study/fit_table.h"
#include "ui/figure_files.h"
#include "ui/response_times_chart.h"
#include "ui/statistics_charts.h"
#include "ui/study_views.h"
#include "ui/text_conversion.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"

namespace bruso {

namespace {

using bruso::ShowChart;  // beside the one below that names the shoe

const QStringList ResponseTimesHeader = {"move", "role", "clicks", "median ms", "mean ms"};

void ShowSummary(QTableWidget* table, const Summary& summary) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& [label, value] : summary.rows()) rows.push_back({label, value});
  SetRows(table, rows);
  table->resizeRowsToContents();
  // Wide enough for both columns, so that no figure is cut.
  table->setMinimumWidth(table->horizontalHeader()->length() + table->verticalScrollBar()->sizeHint().width() +
                         2 * table->frameWidth() + 8);
}

// The commands that make each tab's figures.
constexpr const char* ClassifyCommand = "Classify All Hands";
constexpr const char* PlayCommand = "Play All Hands Artificially";
constexpr const char* FitCommand = "Fit Model...";

// Puts a new chart in the view with the shoe named in its title, so that a saved chart
// names it too.
void ShowChart(QChartView* view, QChart* chart, const FiguresOrigin& origin) {
  chart->setTitle(chart->title() + QStringLiteral(" \u2014 ") + origin.shoeFile);
  ShowChart(view, chart);
}

QChart* NewEmptyChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  return chart;
}

// Where the figures come from, and a line more when they are not of the open shoe or the
// current settings.
QString OriginText(const FiguresOrigin& shown, const FiguresOrigin& now, const char* command) {
  QString text = shown.ShoeCaption();
  if (!shown.settings.isEmpty()) text += QStringLiteral(" \u00b7 ") + shown.settings;
  if (shown.seed) text += QStringLiteral(" \u00b7 seed %1").arg(*shown.seed);
  const QString again = QString::fromLatin1(command);
  if (shown.shoeOpening != now.shoeOpening) {
    text += QStringLiteral("\nThese figures are not of the open shoe: run %1 again for it.").arg(again);
  } else if (shown.settings != now.settings) {
    text += QStringLiteral("\nThe settings have changed since these figures were made: run %1 again for the current "
                           "ones.").arg(again);
  }
  return text;
}

// "rules_ck.txt, rules_nk.txt" for the rule player of "CK,NK", the files' paths.
QString RulesFileNames(const std::string& rules) {
  const std::size_t comma = rules.find(',');
  const auto name = [](const std::string& path) { return PathToQString(std::filesystem::path(path).filename()); };
  return name(rules.substr(0, comma)) + QStringLiteral(", ") + name(rules.substr(comma + 1));
}

// The rows of the fit table: one per fit, then the uniform player's; none without a fit.
std::vector<FitResult> FitRowsOf(const std::vector<FitResult>& fits) {
  return fits.empty() ? std::vector<FitResult>{} : FitTableRows(fits);
}

}  // namespace

QString FiguresOrigin::ShoeCaption() const { return QStringLiteral("Shoe: %1 (%2 hands)").arg(shoeFile).arg(hands); }

StatisticsWindow::StatisticsWindow(Dialogs& dialogs, const std::filesystem::path& output_folder)
    : dialogs_(dialogs), outputFolder_(output_folder) {
  setWindowTitle(QStringLiteral("Bruso Statistics"));
  QMenu* file_menu = menuBar()->addMenu(QStringLiteral("&File"));
  SaveStatistics = file_menu->addAction(QStringLiteral("&Save Statistics..."), this, &StatisticsWindow::SaveStatisticsClick);
  CloseMenu = file_menu->addAction(QStringLiteral("&Close"), this, &QWidget::hide);
  CloseOnEscape(this, [this] { hide(); });

  Tabs = new QTabWidget;
  Tabs->addTab(NewSummaryTab(ClassifyTable, ClassifySource, {&AgreementChart, &PlaceChart}), QStringLiteral("Classify"));
  Tabs->addTab(NewSummaryTab(PlayTable, PlaySource, {&MovesChart}), QStringLiteral("Play"));
  Tabs->addTab(NewHandsTab(), QStringLiteral("Hands"));
  Tabs->addTab(NewFitTab(), QStringLiteral("Fit"));
  Tabs->addTab(NewSummaryTab(ResponseTable, ResponseSource, {&ResponseChart}), QStringLiteral("Response times"));
  ResponseTable->setColumnCount(static_cast<int>(ResponseTimesHeader.size()));
  ResponseTable->setHorizontalHeaderLabels(ResponseTimesHeader);
  ResponseSource->setText(QStringLiteral("Run Experiment... in the Analysis menu records a session."));
  // The tabs scroll where the window is smaller than their charts need.
  QScrollArea* area = ScrollingArea(Tabs);
  area->setWidgetResizable(true);
  setCentralWidget(area);

  ShowChart(AgreementChart, NewEmptyChart("Agreement by role and branch: run Classify All Hands"));
  ShowChart(PlaceChart, NewEmptyChart("Agreement by position in the line: run Classify All Hands"));
  ShowChart(MovesChart, NewEmptyChart("Moves to reach 2H: run Play All Hands Artificially"));
  ShowChart(ResponseChart, NewEmptyChart("Response times: run an experiment session"));
  resize(1240, 780);
}

QWidget* StatisticsWindow::NewSummaryTab(QTableWidget*& table, QLabel*& source,
                                         std::initializer_list<QChartView**> charts) {
  auto* splitter = new QSplitter(Qt::Horizontal);
  auto* figures = new QWidget;
  auto* column = new QVBoxLayout(figures);
  column->setContentsMargins(0, 0, 0, 0);
  source = new QLabel;
  source->setWordWrap(true);
  column->addWidget(source);
  table = NewTable({"figure", "value"});
  column->addWidget(table);
  splitter->addWidget(figures);
  auto* chart_column = new QSplitter(Qt::Vertical);
  for (QChartView** view : charts) {
    *view = new QChartView;
    (*view)->setRenderHint(QPainter::Antialiasing);
    (*view)->setMinimumSize(480, 280);
    chart_column->addWidget(*view);
  }
  splitter->addWidget(chart_column);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 3);
  return splitter;
}

QWidget* StatisticsWindow::NewHandsTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(0, 0, 0, 0);
  HandsSource = new QLabel;
  HandsSource->setWordWrap(true);
  layout->addWidget(HandsSource);
  Hands = new HandTableModel(this);
  HandTable = new QTableView;
  HandTable->setModel(Hands);
  HandTable->setSortingEnabled(true);
  HandTable->sortByColumn(0, Qt::AscendingOrder);
  HandTable->verticalHeader()->hide();
  HandTable->verticalHeader()->setDefaultSectionSize(HandTable->fontMetrics().height() + 6);
  // Columns as wide as their titles and first rows: measuring every row of a large shoe
  // would take long.
  HandTable->horizontalHeader()->setResizeContentsPrecision(200);
  HandTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(HandTable);
  return tab;
}

QWidget* StatisticsWindow::NewFitTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  FitSource = new QLabel;
  FitSource->setWordWrap(true);
  layout->addWidget(FitSource);
  FitTable = NewTable({});
  FitTable->verticalHeader()->show();
  layout->addWidget(FitTable);
  auto* buttons = new QHBoxLayout;
  BestVariant = new QLabel(QStringLiteral("Fit Model... in the Analysis menu fits the model to the open shoe, and "
                                          "the loaded rules files beside it."));
  BestVariant->setWordWrap(true);
  buttons->addWidget(BestVariant, 1);
  UseSettings = new QPushButton(QStringLiteral("Use these settings"));
  UseSettings->setEnabled(false);
  UseSettings->setToolTip(QStringLiteral("Takes the variant and its estimates into Model Settings"));
  connect(UseSettings, &QPushButton::clicked, this, &StatisticsWindow::UseSettingsClick);
  buttons->addWidget(UseSettings);
  FitWeights = new QPushButton(QStringLiteral("Fit Weights..."));
  FitWeights->setToolTip(QStringLiteral("Fits the weights of the loaded rules files to the open shoe"));
  connect(FitWeights, &QPushButton::clicked, this, [this] {
    if (onFitWeights) onFitWeights();
  });
  buttons->addWidget(FitWeights);
  layout->addLayout(buttons);
  return tab;
}

void StatisticsWindow::ShowClassify(ClassifyStatistics statistics, const FiguresOrigin& origin) {
  classify_ = std::move(statistics);
  classifyOrigin_.shown = origin;
  handsShoe_ = origin.shoeOpening;
  ShowSummary(ClassifyTable, ClassifySummary(*classify_));
  ShowChart(AgreementChart, NewAgreementChart(classify_->tally.total()), origin);
  ShowChart(PlaceChart, NewPlaceChart(classify_->tally.byPlace()), origin);
  FillHands();
  ShowOrigins();
  Tabs->setCurrentIndex(0);
}

void StatisticsWindow::ShowPlay(PlayStatistics statistics, const FiguresOrigin& origin) {
  play_ = std::move(statistics);
  playOrigin_.shown = origin;
  handsShoe_ = origin.shoeOpening;
  ShowSummary(PlayTable, PlaySummary(*play_));
  ShowChart(MovesChart, NewMovesChart(play_->artificial.total(), play_->recorded.total), origin);
  FillHands();
  ShowOrigins();
  Tabs->setCurrentIndex(1);
}

void StatisticsWindow::SetCurrent(const FiguresOrigin& classify, const FiguresOrigin& play, const FiguresOrigin& fit) {
  classifyOrigin_.now = classify;
  playOrigin_.now = play;
  fitOrigin_.now = fit;
  ShowOrigins();
}

void StatisticsWindow::ShowOrigins() {
  const auto show = [](QLabel* label, const Origins& origins, const char* command) {
    label->setText(origins.shown ? OriginText(*origins.shown, origins.now, command) : QString());
  };
  show(ClassifySource, classifyOrigin_, ClassifyCommand);
  show(PlaySource, playOrigin_, PlayCommand);
  show(FitSource, fitOrigin_, FitCommand);
  // The Hands tab: the figures of one shoe, each kind with where it comes from, then the
  // kinds left out for being of another shoe.
  QStringList shown;
  QStringList left_out;
  for (const auto& [origins, command] : {std::pair{&classifyOrigin_, ClassifyCommand},
                                         std::pair{&playOrigin_, PlayCommand}}) {
    if (!origins->shown) continue;
    if (origins->shown->shoeOpening == handsShoe_) {
      shown << QString::fromLatin1(command) + QStringLiteral(": ") + OriginText(*origins->shown, origins->now, command);
    } else {
      left_out << QStringLiteral("The figures of \"%1\" are of another shoe (%2) and are not shown here.")
                      .arg(QString::fromLatin1(command), origins->shown->shoeFile);
    }
  }
  HandsSource->setText((shown + left_out).join(QLatin1Char('\n')));
}

void StatisticsWindow::ShowFit(std::vector<FitResult> fits, const FiguresOrigin& origin) {
  fits_ = FitRowsOf(fits);
  fitOrigin_.shown = origin;
  ShowOrigins();
  // A column per row of the fit table, a row per column of `fit --csv`.
  FitTable->clear();
  FitTable->setColumnCount(static_cast<int>(fits_.size()));
  FitTable->setRowCount(static_cast<int>(FitCsvHeader.size()));
  QStringList names;
  for (const std::string& name : FitCsvHeader) names << QString::fromStdString(name);
  FitTable->setVerticalHeaderLabels(names);
  for (std::size_t column = 0; column < fits_.size(); ++column) {
    const std::vector<std::string> fields = FitFields(fits_[column], FitNumbers::OnScreen);
    for (std::size_t row = 0; row < fields.size(); ++row) {
      FitTable->setItem(static_cast<int>(row), static_cast<int>(column),
                        new QTableWidgetItem(QString::fromStdString(fields[row])));
    }
    if (fits_[column].model == FitModel::Rules) {
      // The files' names, not their whole paths, keep the column narrow; the saved table and
      // the pointer's tip hold the paths.
      QTableWidgetItem* model = FitTable->item(0, static_cast<int>(column));
      model->setToolTip(model->text());
      model->setText(QStringLiteral("rules: ") + RulesFileNames(fits_[column].rules));
    }
  }
  FitTable->horizontalHeader()->hide();
  FitTable->resizeColumnsToContents();
  FitTable->resizeRowsToContents();
  const FitResult* best = LowestAic(fits_);
  UseSettings->setEnabled(best != nullptr && best->model == FitModel::Analysis);
  if (best == nullptr) {
    BestVariant->setText(QString());
  } else if (best->model == FitModel::Analysis) {
    BestVariant->setText(QStringLiteral("Lowest AIC: conflict mode %1, altruism %2 (AIC %3, lapse %4).")
                             .arg(best->variant.conflictMode)
                             .arg(best->variant.altruism)
                             .arg(best->aic, 0, 'f', 2)
                             .arg(best->parameters[LapseIndex].value, 0, 'g', 4));
  } else if (best->model == FitModel::Rules) {
    BestVariant->setText(QStringLiteral("Lowest AIC: the rule player of %1 (AIC %2, lapse %3): its rules files are "
                                        "its settings, so there are none to use here.")
                             .arg(RulesFileNames(best->rules))
                             .arg(best->aic, 0, 'f', 2)
                             .arg(best->parameters[LapseIndex].value, 0, 'g', 4));
  } else {
    BestVariant->setText(QStringLiteral("Lowest AIC: the uniform player (AIC %1): %2, so there are no settings to use.")
                             .arg(best->aic, 0, 'f', 2)
                             .arg(QString::fromLatin1(UniformWinsNote)));
  }
  Tabs->setCurrentIndex(3);
}

void StatisticsWindow::ShowResponseTimes(const std::vector<ResponseTimes>& times, const QString& source) {
  ResponseSource->setText(source);
  std::vector<std::vector<std::string>> rows;
  for (const ResponseTimes& row : times) {
    rows.push_back({std::to_string(row.move), row.role == RoleCK ? "CK" : "NK", std::to_string(row.clicks),
                    QString::number(row.medianMs, 'f', 0).toStdString(), QString::number(row.meanMs, 'f', 0).toStdString()});
  }
  SetRows(ResponseTable, rows);
  ShowChart(ResponseChart, NewResponseTimesChart(times));
  Tabs->setCurrentIndex(4);
}

void StatisticsWindow::FillHands() {
  // Figures of different shoes never share a row: only those of the latest shoe are shown.
  const auto of_hands_shoe = [&](const Origins& origins) {
    return origins.shown && origins.shown->shoeOpening == handsShoe_;
  };
  Hands->SetFigures(classify_ && of_hands_shoe(classifyOrigin_) ? &*classify_ : nullptr,
                    play_ && of_hands_shoe(playOrigin_) ? &*play_ : nullptr);
  const QHeaderView* header = HandTable->horizontalHeader();
  Hands->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());  // as the user sorted it
  HandTable->resizeColumnsToContents();
}

void StatisticsWindow::UseSettingsClick() {
  const FitResult* best = LowestAic(fits_);
  if (best != nullptr && best->model == FitModel::Analysis && onUseSettings) onUseSettings(*best);
}

std::vector<SavedFile> StatisticsWindow::FilesToSave(const std::filesystem::path& stem,
                                                                     bool svg) {
  std::vector<SavedFile> files;
  const auto add = [&](const char* ending, std::string bytes) {
    std::filesystem::path path = stem;
    path += ending;
    files.push_back({path, std::move(bytes)});
  };
  const auto add_chart = [&](const char* name, QChartView* view) {
    add((std::string(name) + (svg ? ".svg" : ".png")).c_str(), ChartBytes(view, svg).toStdString());
  };
  if (classify_) {
    add("-classify.csv", CsvOfShoe(TableRows(*ClassifyTable->model()), classifyOrigin_.shown->shoeFile));
    add_chart("-agreement", AgreementChart);
    add_chart("-places", PlaceChart);
  }
  if (play_) {
    add("-play.csv", CsvOfShoe(TableRows(*PlayTable->model()), playOrigin_.shown->shoeFile));
    add_chart("-moves", MovesChart);
  }
  if (classify_ || play_) {
    const FiguresOrigin& hands = classifyOrigin_.shown && classifyOrigin_.shown->shoeOpening == handsShoe_
                                     ? *classifyOrigin_.shown
                                     : *playOrigin_.shown;
    add("-hands.csv", CsvOfShoe(TableRows(*Hands), hands.shoeFile));
  }
  if (!fits_.empty()) {
    TextTable rows = {FitCsvHeader};
    for (const FitResult& row : fits_) rows.push_back(FitFields(row));
    add("-fit.csv", CsvOfShoe(rows, fitOrigin_.shown->shoeFile));
  }
  return files;
}

void StatisticsWindow::SaveStatisticsClick() {
  if (!classify_ && !play_ && fits_.empty()) {
    dialogs_.Message(QString::fromLatin1(NothingToSaveMessage));
    return;
  }
  SaveFigureFiles(
      dialogs_, outputFolder_, [this](const std::filesystem::path& stem, bool svg) { return FilesToSave(stem, svg); },
      QStringLiteral("Statistics saved"));
}

}  // namespace bruso
