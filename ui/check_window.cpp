#include "ui/check_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/csv_row.h"
#include "engine/exact_number.h"
#include "study/check_options.h"
#include "study/check_table.h"
#include "study/classify_options.h"
#include "study/fit_table.h"
#include "study/study_options.h"
#include "ui/check_charts.h"
#include "ui/study_views.h"

namespace bruso {

namespace {

// The name a fit goes by in the options, as if `fit --csv` had written it.
constexpr const char* FitTableName = "FIT.csv";

// The fit as the table `fit --csv` writes, for the check to take its estimates from.
std::string FitTableText(const FitResult& fit) { return CsvRow(FitCsvHeader) + "\n" + CsvRow(FitFields(fit)) + "\n"; }

}  // namespace

CheckWindow::CheckWindow(Dialogs& dialogs, const std::filesystem::path& output_folder)
    : dialogs_(dialogs), outputFolder_(output_folder) {
  setWindowTitle(QStringLiteral("Check Fitted Model"));
  SaveFigures = AddFiguresFileMenu(this, [this] { SaveFiguresClick(); });
  QWidget* options = NewOptions();
  setCentralWidget(OptionsBesideResults(options, NewResults()));
  connect(Task->RunButton, &QPushButton::clicked, this, &CheckWindow::RunClick);
  connect(Task, &StudyTaskPanel::ended, this, &CheckWindow::RunEnded);
  ResizeWithinScreen(this, 1280, 800);
}

QWidget* CheckWindow::NewOptions() {
  Model = new QComboBox;
  Model->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Model->setMinimumContentsLength(24);
  Replicates = new QSpinBox;
  Replicates->setRange(1, 1000000);
  Replicates->setValue(100);
  Seed = new QLineEdit;
  Seed->setPlaceholderText(QStringLiteral("from the clock"));
  Task = new StudyTaskPanel(QStringLiteral("&Run"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Model:"), Model);
  form->addRow(QStringLiteral("&Data sets:"), Replicates);
  form->addRow(QStringLiteral("&Seed:"), Seed);
  auto* note = new QLabel(QStringLiteral("Data sets of the open shoe's hands, with as many lines per hand as it "
                                         "records, are played by the model; each figure of the recorded lines is set "
                                         "against their 95% band."));
  note->setWordWrap(true);
  auto* options = new QWidget;
  auto* column = new QVBoxLayout(options);
  column->addWidget(note);
  column->addLayout(form);
  column->addWidget(Task);
  column->addStretch();
  options->setMinimumWidth(260);
  return options;
}

QWidget* CheckWindow::NewResults() {
  Source = new QLabel(QStringLiteral("No check run yet."));
  Source->setWordWrap(true);
  Source->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Flags = new QLabel;
  Flags->setWordWrap(true);
  MovesChart = NewChartView(340, 260);
  ReachingChart = NewChartView(240, 260);
  CkLettersChart = NewChartView(280, 240);
  NkLettersChart = NewChartView(280, 240);
  auto* charts = new QWidget;
  auto* grid = new QGridLayout(charts);
  grid->addWidget(MovesChart, 0, 0);
  grid->addWidget(ReachingChart, 0, 1);
  grid->addWidget(CkLettersChart, 1, 0);
  grid->addWidget(NkLettersChart, 1, 1);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  QStringList header;
  for (const std::string& column : CheckCsvHeader) header << QString::fromStdString(column);
  Table = NewTable(header);
  auto* tabs = new QTabWidget;
  tabs->addTab(Scrolling(charts), QStringLiteral("Charts"));
  tabs->addTab(Table, QStringLiteral("Every figure"));
  auto* results = new QWidget;
  auto* column = new QVBoxLayout(results);
  column->addWidget(Source);
  column->addWidget(Flags);
  column->addWidget(tabs, 1);
  return results;
}

void CheckWindow::SetModel(const HandList& hands, const FiguresOrigin& origin, const ModelSettings& settings,
                           const std::vector<FitResult>& fits) {
  hands_ = hands;
  origin_ = origin;
  settings_ = settings;
  fits_.clear();
  Model->clear();
  Model->addItem(QStringLiteral("settings: cm%1 alt%2")
                     .arg(settings.ConflictMode)
                     .arg(settings.AltruismSwitch));
  for (const FitResult& fit : fits) {
    if (fit.model != FitModel::Analysis) continue;
    fits_.push_back(fit);
    Model->addItem(QStringLiteral("fit: cm%1 alt%2 (AIC %3)")
                       .arg(fit.variant.conflictMode)
                       .arg(fit.variant.altruism)
                       .arg(fit.aic, 0, 'f', 2));
  }
  if (!Task->Running()) Task->Status->setText(origin.ShoeCaption());
}

const FitResult* CheckWindow::ChosenFit() const {
  const int chosen = Model->currentIndex();
  return chosen >= 1 && chosen <= static_cast<int>(fits_.size()) ? &fits_[chosen - 1] : nullptr;
}

std::vector<std::string> CheckWindow::OptionWords() const {
  std::vector<std::string> words;
  if (const FitResult* fit = ChosenFit()) {
    words = {FromFitOption, FitTableName, VariantOption,
             std::to_string(fit->variant.conflictMode) + "," + std::to_string(fit->variant.altruism)};
  } else {
    std::string probabilities;
    for (int k = 1; k <= CardRuleCount; ++k) {
      if (k > 1) probabilities += ",";
      probabilities += ExactNumber(settings_.ProbTable[k]);
    }
    words = {ProbOption,         probabilities,
             LapseOption,        ExactNumber(settings_.LapseRate),
             ConflictModeOption, std::to_string(settings_.ConflictMode),
             AltruismOption,     std::to_string(settings_.AltruismSwitch)};
  }
  words.insert(words.end(), {ReplicatesOption, std::to_string(Replicates->value())});
  const QString seed = Seed->text().trimmed();
  if (!seed.isEmpty()) words.insert(words.end(), {"--seed", seed.toStdString()});
  return words;
}

void CheckWindow::RunClick() {
  if (Task->Running()) return;
  CheckOptions options;
  try {
    const CommandLine line(OptionWords(),
                           {ProbOption, LapseOption, ConflictModeOption, AltruismOption, FromFitOption, VariantOption,
                            ReplicatesOption, "--seed"},
                           {});
    options = CheckOptionsFrom(line);
    if (const FitResult* fit = ChosenFit()) TakeFitEstimates(FitTableText(*fit), FitTableName, options);
  } catch (const std::exception& error) {
    Task->Status->setText(QString::fromStdString(error.what()));
    return;
  }
  if (RecordedLineCount(hands_) == 0) {
    Task->Status->setText(QStringLiteral("The open shoe holds no recorded line to check against."));
    return;
  }
  runningDesign_ = options.design;
  std::vector<std::string> words = OptionWords();
  if (Seed->text().trimmed().isEmpty()) words.insert(words.end(), {"--seed", std::to_string(runningDesign_.seed)});
  runningShoe_ = origin_.shoeFile;
  runningSource_ = origin_.ShoeCaption() + QStringLiteral(" \u00b7 check ") + WordsText(words);
  if (ChosenFit() != nullptr) runningSource_ += QStringLiteral("\nFIT.csv: the fit in the Statistics window, as Save Statistics writes it");
  if (!options.untrained.empty()) {
    QStringList names;
    for (const std::string& name : options.untrained) names << QString::fromStdString(name);
    runningSource_ += QStringLiteral("\n%1: no estimate in the fit, played at 0.5").arg(names.join(QStringLiteral(", ")));
  }
  Task->Status->setText(QStringLiteral("Simulating %1 data sets...").arg(runningDesign_.replicates));
  Task->Start(runningDesign_.replicates, [this, hands = hands_, jobs = options.jobs](const StudyWatch& watch) {
    running_ = RunPredictiveCheck(hands, runningDesign_, jobs, watch);
  });
}

void CheckWindow::RunEnded(StudyTaskPanel::Outcome outcome) {
  if (outcome != StudyTaskPanel::Outcome::Done) {
    running_ = {};
    return;
  }
  shown_ = std::move(running_);
  running_ = {};
  shownSource_ = runningSource_;
  shownShoe_ = runningShoe_;
  shownSeed_ = runningDesign_.seed;
  Task->Status->setText(QStringLiteral("Done: %1 data sets.").arg(shown_.replicates));
  ShowResults();
}

void CheckWindow::ShowResults() {
  Source->setText(shownSource_);
  Flags->setText(QStringLiteral("%1 of %2 figures lie outside the 95% band of the simulated data sets%3")
                     .arg(shown_.OutsideCount())
                     .arg(shown_.figures.size())
                     .arg(shown_.OutsideCount() > 0 ? QStringLiteral(": marked red, their names starred.") : QStringLiteral(".")));
  const QString of = QStringLiteral(" \u2014 %1, seed %2").arg(shownShoe_).arg(shownSeed_);
  const auto& figures = shown_.figures;
  ShowChart(MovesChart, NewBandChart(QStringLiteral("Moves to 2H") + of,
                                     FiguresNamed(figures, "moves to 2H: ", "mean")));
  ShowChart(ReachingChart, NewBandChart(QStringLiteral("Lines reaching 2H") + of, FiguresNamed(figures, "lines reaching 2H")));
  ShowChart(CkLettersChart, NewBandChart(QStringLiteral("CK's letters") + of, FiguresNamed(figures, "CK letter ")));
  ShowChart(NkLettersChart, NewBandChart(QStringLiteral("NK's letters") + of, FiguresNamed(figures, "NK letter ")));
  std::vector<std::vector<std::string>> rows;
  for (const CheckedFigure& figure : figures) rows.push_back(CheckCsvFields(figure));
  SetRows(Table, rows);
  for (int row = 0; row < Table->rowCount(); ++row) {
    if (!figures[row].Outside()) continue;
    for (int column = 0; column < Table->columnCount(); ++column) Table->item(row, column)->setBackground(QColor(250, 205, 200));
  }
}

std::vector<SavedFile> CheckWindow::FilesToSave(const std::filesystem::path& stem, bool svg) {
  std::vector<SavedFile> files;
  const auto add = [&](const std::string& ending, std::string bytes) { files.push_back(NamedAfter(stem, ending, std::move(bytes))); };
  add("-check.csv", CsvOfShoe(TableRows(*Table->model()), shownShoe_));
  const std::pair<const char*, QChartView*> charts[] = {{"-check-moves", MovesChart},
                                                        {"-check-reaching", ReachingChart},
                                                        {"-check-ck-letters", CkLettersChart},
                                                        {"-check-nk-letters", NkLettersChart}};
  for (auto [name, view] : charts) add(std::string(name) + (svg ? ".svg" : ".png"), ChartBytes(view, svg).toStdString());
  return files;
}

void CheckWindow::SaveFiguresClick() {
  if (shown_.figures.empty()) {
    dialogs_.Message(QStringLiteral("No check yet: run a check first"));
    return;
  }
  SaveFigureFiles(
      dialogs_, outputFolder_, [this](const std::filesystem::path& stem, bool svg) { return FilesToSave(stem, svg); },
      QStringLiteral("Figures saved"));
}

}  // namespace bruso
