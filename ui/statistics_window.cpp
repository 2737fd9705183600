#include "ui/statistics_window.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "engine/io_error.h"
#include "engine/text_file.h"
#include "tools/csv_row.h"
#include "tools/fit_table.h"
#include "ui/response_times_chart.h"
#include "ui/statistics_charts.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

const QStringList ResponseTimesHeader = {"move", "role", "clicks", "median ms", "mean ms"};

// The size of a chart saved from a window that was never shown.
constexpr QSize SavedChartSize(900, 560);

QTableWidget* NewTable(const QStringList& header) {
  auto* table = new QTableWidget(0, static_cast<int>(header.size()));
  table->setHorizontalHeaderLabels(header);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->setWordWrap(false);
  return table;
}

void SetRows(QTableWidget* table, const std::vector<std::vector<std::string>>& rows) {
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      table->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(QString::fromStdString(rows[r][c])));
    }
  }
  table->resizeColumnsToContents();
}

void ShowSummary(QTableWidget* table, const Summary& summary) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& [label, value] : summary.rows()) rows.push_back({label, value});
  SetRows(table, rows);
  table->resizeRowsToContents();
  // Wide enough for both columns, so that no figure is cut.
  table->setMinimumWidth(table->horizontalHeader()->length() + table->verticalScrollBar()->sizeHint().width() +
                         2 * table->frameWidth() + 8);
}

// Puts a new chart in the view, freeing the one it showed.
void ShowChart(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
}

QChart* NewEmptyChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  return chart;
}

std::vector<std::string> RowTexts(const QAbstractItemModel& model, int row) {
  std::vector<std::string> texts;
  for (int column = 0; column < model.columnCount(); ++column) {
    texts.push_back(model.data(model.index(row, column)).toString().toStdString());
  }
  return texts;
}

// The table as CSV: its header row, then its rows as shown.
std::string TableCsv(const QAbstractItemModel& model) {
  std::vector<std::string> header;
  for (int column = 0; column < model.columnCount(); ++column) {
    header.push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
  }
  std::string text = CsvRow(header) + "\n";
  for (int row = 0; row < model.rowCount(); ++row) text += CsvRow(RowTexts(model, row)) + "\n";
  return text;
}

// The rows of `fit --csv` for the fits: one per fit, then the uniform player's.
std::vector<std::vector<std::string>> FitCsvRows(const std::vector<FitResult>& fits) {
  std::vector<std::vector<std::string>> rows;
  for (const FitResult& fit : fits) rows.push_back(FitCsvFields(fit));
  if (!fits.empty()) rows.push_back(UniformCsvFields(fits.front().positions));
  return rows;
}

QByteArray ChartBytes(QChartView* view, bool svg) {
  if (!view->isVisible()) view->resize(SavedChartSize);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view->size());
    generator.setViewBox(QRect(QPoint(), view->size()));
    generator.setTitle(view->chart()->title());
    QPainter painter(&generator);
    view->render(&painter);
  } else {
    view->grab().save(&buffer, "PNG");
  }
  return buffer.data();
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  TextFile file;
  file.Open(path.string(), TextFile::Mode::Write);
  file.Write(bytes);
  file.Close();
}

}  // namespace

StatisticsWindow::StatisticsWindow(Dialogs& dialogs, const std::filesystem::path& output_folder)
    : dialogs_(dialogs), outputFolder_(output_folder) {
  setWindowTitle(QStringLiteral("Bruso Statistics"));
  QMenu* file_menu = menuBar()->addMenu(QStringLiteral("File"));
  SaveStatistics = file_menu->addAction(QStringLiteral("Save Statistics..."), this, &StatisticsWindow::SaveStatisticsClick);
  CloseMenu = file_menu->addAction(QStringLiteral("Close"), this, &QWidget::hide);

  Tabs = new QTabWidget;
  Tabs->addTab(NewSummaryTab(ClassifyTable, ClassifySource, {&AgreementChart, &PlaceChart}), QStringLiteral("Classify"));
  Tabs->addTab(NewSummaryTab(PlayTable, PlaySource, {&MovesChart}), QStringLiteral("Play"));
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
  Tabs->addTab(HandTable, QStringLiteral("Hands"));
  Tabs->addTab(NewFitTab(), QStringLiteral("Fit"));
  Tabs->addTab(NewSummaryTab(ResponseTable, ResponseSource, {&ResponseChart}), QStringLiteral("Response times"));
  ResponseTable->setColumnCount(static_cast<int>(ResponseTimesHeader.size()));
  ResponseTable->setHorizontalHeaderLabels(ResponseTimesHeader);
  ResponseSource->setText(QStringLiteral("Run Experiment... in the Analysis menu records a session."));
  setCentralWidget(Tabs);

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

QWidget* StatisticsWindow::NewFitTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  FitSource = new QLabel;
  layout->addWidget(FitSource);
  FitTable = NewTable({});
  FitTable->verticalHeader()->show();
  layout->addWidget(FitTable);
  auto* buttons = new QHBoxLayout;
  BestVariant = new QLabel(QStringLiteral("Fit Model... in the Analysis menu fits the model to the open shoe."));
  buttons->addWidget(BestVariant);
  UseSettings = new QPushButton(QStringLiteral("Use these settings"));
  UseSettings->setEnabled(false);
  UseSettings->setToolTip(QStringLiteral("Takes the variant and its estimates into Model Settings"));
  connect(UseSettings, &QPushButton::clicked, this, &StatisticsWindow::UseSettingsClick);
  buttons->addWidget(UseSettings);
  buttons->addStretch();
  layout->addLayout(buttons);
  return tab;
}

void StatisticsWindow::ShowClassify(ClassifyStatistics statistics, const QString& source) {
  classify_ = std::move(statistics);
  ClassifySource->setText(source);
  ShowSummary(ClassifyTable, ClassifySummary(*classify_));
  ShowChart(AgreementChart, NewAgreementChart(classify_->tally.total()));
  ShowChart(PlaceChart, NewPlaceChart(classify_->tally.byPlace()));
  FillHands();
  Tabs->setCurrentIndex(0);
}

void StatisticsWindow::ShowPlay(PlayStatistics statistics, const QString& source) {
  play_ = std::move(statistics);
  PlaySource->setText(source);
  ShowSummary(PlayTable, PlaySummary(*play_));
  ShowChart(MovesChart, NewMovesChart(play_->artificial.total(), play_->recorded.total));
  FillHands();
  Tabs->setCurrentIndex(1);
}

void StatisticsWindow::ShowFit(std::vector<FitResult> fits, const QString& source) {
  fits_ = std::move(fits);
  FitSource->setText(source);
  // A column per fit and one for the uniform player, a row per column of `fit --csv`.
  const std::vector<std::vector<std::string>> fields = FitCsvRows(fits_);
  FitTable->clear();
  FitTable->setColumnCount(static_cast<int>(fields.size()));
  FitTable->setRowCount(static_cast<int>(FitCsvHeader.size()));
  QStringList names;
  for (const std::string& name : FitCsvHeader) names << QString::fromStdString(name);
  FitTable->setVerticalHeaderLabels(names);
  for (std::size_t column = 0; column < fields.size(); ++column) {
    for (std::size_t row = 0; row < fields[column].size(); ++row) {
      FitTable->setItem(static_cast<int>(row), static_cast<int>(column),
                        new QTableWidgetItem(QString::fromStdString(fields[column][row])));
    }
  }
  FitTable->horizontalHeader()->hide();
  FitTable->resizeColumnsToContents();
  FitTable->resizeRowsToContents();
  UseSettings->setEnabled(!fits_.empty());
  if (const FitResult* lowest = LowestAic(fits_)) {
    const FitResult& best = *lowest;
    BestVariant->setText(QStringLiteral("Lowest AIC: conflict mode %1, altruism %2 (AIC %3, lapse %4).")
                             .arg(best.variant.conflictMode)
                             .arg(best.variant.altruism)
                             .arg(best.aic, 0, 'f', 1)
                             .arg(best.parameters[LapseIndex].value, 0, 'g', 4));
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
  Hands->SetFigures(classify_ ? &*classify_ : nullptr, play_ ? &*play_ : nullptr);
  const QHeaderView* header = HandTable->horizontalHeader();
  Hands->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());  // as the user sorted it
  HandTable->resizeColumnsToContents();
}

void StatisticsWindow::UseSettingsClick() {
  if (const FitResult* best = LowestAic(fits_); best != nullptr && onUseSettings) onUseSettings(*best);
}

std::vector<StatisticsWindow::SavedFile> StatisticsWindow::FilesToSave(const std::filesystem::path& stem,
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
    add("-classify.csv", TableCsv(*ClassifyTable->model()));
    add_chart("-agreement", AgreementChart);
    add_chart("-places", PlaceChart);
  }
  if (play_) {
    add("-play.csv", TableCsv(*PlayTable->model()));
    add_chart("-moves", MovesChart);
  }
  if (classify_ || play_) add("-hands.csv", TableCsv(*Hands));
  if (!fits_.empty()) {
    std::string csv = CsvRow(FitCsvHeader) + "\n";
    for (const std::vector<std::string>& row : FitCsvRows(fits_)) csv += CsvRow(row) + "\n";
    add("-fit.csv", std::move(csv));
  }
  return files;
}

bool StatisticsWindow::MayReplace(const std::vector<SavedFile>& files) {
  QStringList there;
  for (const SavedFile& file : files) {
    if (std::filesystem::exists(file.path)) there << PathToQString(file.path.filename());
  }
  return there.isEmpty() ||
         dialogs_.Question(QStringLiteral("Replace ") + there.join(QStringLiteral(", ")) + QStringLiteral("?")) ==
             Dialogs::Answer::Yes;
}

void StatisticsWindow::SaveStatisticsClick() {
  if (!classify_ && !play_ && fits_.empty()) {
    dialogs_.Message(QString::fromLatin1(NothingToSaveMessage));
    return;
  }
  const QString name = dialogs_.SaveFile(PathToQString(outputFolder_), QString::fromLatin1(StatisticsFilter),
                                         QString::fromLatin1(StatisticsSuffix));
  if (name.isEmpty()) return;
  const std::filesystem::path chosen = QStringToPath(name);
  const std::vector<SavedFile> files = FilesToSave(std::filesystem::path(chosen).replace_extension(),
                                                   chosen.extension() == ".svg");
  if (!MayReplace(files)) return;
  QStringList written;
  try {
    for (const SavedFile& file : files) {
      WriteFile(file.path, file.bytes);
      written << PathToQString(file.path.filename());
    }
  } catch (const IoError& error) {
    dialogs_.Error(ErrorText(error));
    return;
  }
  dialogs_.Message(QStringLiteral("Statistics saved: ") + written.join(QStringLiteral(", ")));
}

}  // namespace bruso
