#include "ui/recovery_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "study/classify_options.h"
#include "study/fit_options.h"
#include "study/fit_table.h"
#include "study/recover_table.h"
#include "study/study_options.h"
#include "ui/recovery_charts.h"
#include "ui/study_views.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

const QStringList SummaryHeader = {"parameter", "estimated",  "correlation", "bias",
                                   "RMSE",      "coverage",   "on a bound",  "not identifiable"};

QComboBox* NewVariantChoice() {
  auto* choice = new QComboBox;
  choice->addItems({"both", "0", "1"});
  return choice;
}

QLineEdit* NewField(const QString& text, const QString& hint) {
  auto* field = new QLineEdit(text);
  field->setPlaceholderText(hint);
  return field;
}

}  // namespace

RecoveryWindow::RecoveryWindow(Dialogs& dialogs, const std::filesystem::path& output_folder)
    : dialogs_(dialogs), outputFolder_(output_folder) {
  setWindowTitle(QStringLiteral("Check Recovery"));
  SaveFigures = AddFiguresFileMenu(this, [this] { SaveFiguresClick(); });

  QWidget* options = NewOptions();
  setCentralWidget(OptionsBesideResults(options, NewResults()));
  connect(Task->RunButton, &QPushButton::clicked, this, &RecoveryWindow::RunClick);
  connect(Task, &StudyTaskPanel::ended, this, &RecoveryWindow::RunEnded);
  connect(Criterion, &QComboBox::currentIndexChanged, this, [this] { ShowConfusion(Confusion, units_, Criterion->currentIndex() == 1); });
  ResizeWithinScreen(this, 1280, 800);
}

QWidget* RecoveryWindow::NewOptions() {
  Lines = new QSpinBox;
  Lines->setRange(1, 1000000);
  Lines->setValue(4);
  Replicates = new QSpinBox;
  Replicates->setRange(1, 1000000);
  Replicates->setValue(10);
  ConflictMode = NewVariantChoice();
  Altruism = NewVariantChoice();
  ProbRange = NewField(QStringLiteral("0.05,0.95"), QStringLiteral("LOW,HIGH"));
  LapseRange = NewField(QStringLiteral("0.01,0.2"), QStringLiteral("LOW,HIGH"));
  Fixed = NewField({}, QStringLiteral("p2=0.5,lapse=0.05"));
  Level = NewField(QStringLiteral("0.95"), {});
  Seed = NewField({}, QStringLiteral("from the clock"));
  Task = new StudyTaskPanel(QStringLiteral("&Run"));

  auto* options = new QWidget;
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Lines per hand:"), Lines);
  form->addRow(QStringLiteral("R&eplicates:"), Replicates);
  form->addRow(QStringLiteral("C&onflict mode:"), ConflictMode);
  form->addRow(QStringLiteral("&Altruism:"), Altruism);
  form->addRow(QStringLiteral("&Probabilities from:"), ProbRange);
  form->addRow(QStringLiteral("La&pse rates from:"), LapseRange);
  form->addRow(QStringLiteral("&Fixed:"), Fixed);
  form->addRow(QStringLiteral("&Interval level:"), Level);
  form->addRow(QStringLiteral("&Seed:"), Seed);
  auto* column = new QVBoxLayout(options);
  auto* note = new QLabel(QStringLiteral("For each replicate and generating variant, true values are drawn from the "
                                         "ranges, lines simulated on the open shoe's hands and every variant fitted."));
  note->setWordWrap(true);
  column->addWidget(note);
  column->addLayout(form);
  column->addWidget(Task);
  column->addStretch();
  options->setMinimumWidth(260);
  return options;
}

QWidget* RecoveryWindow::NewResults() {
  Source = new QLabel(QStringLiteral("No recovery run yet."));
  Source->setWordWrap(true);
  Source->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* charts = new QWidget;
  auto* grid = new QGridLayout(charts);
  for (std::size_t k = 0; k < ParameterOrder.size(); ++k) {
    Charts[ParameterOrder[k]] = NewChartView(300, 300);
    grid->addWidget(Charts[ParameterOrder[k]], static_cast<int>(k / 2), static_cast<int>(k % 2));
  }
  Summary = NewTable(SummaryHeader);
  Unrecoverable = new QLabel;
  Unrecoverable->setWordWrap(true);
  auto* summary = new QWidget;
  auto* summary_column = new QVBoxLayout(summary);
  summary_column->addWidget(Summary);
  summary_column->addWidget(Unrecoverable);

  Criterion = new QComboBox;
  Criterion->addItems({"by AIC", "by BIC"});
  Confusion = new QTableWidget;
  Confusion->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Confusion->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  Confusion->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  auto* confusion = new QWidget;
  auto* confusion_column = new QVBoxLayout(confusion);
  auto* caption = new QLabel(QStringLiteral("The share of each generating variant's data sets (rows) that each "
                                            "fitted variant (columns) wins, chosen by the lowest AIC or BIC:"));
  caption->setWordWrap(true);
  confusion_column->addWidget(caption);
  confusion_column->addWidget(Criterion);
  confusion_column->addWidget(Confusion, 1);

  Results = new QTabWidget;
  Results->addTab(Scrolling(charts), QStringLiteral("Parameters"));
  Results->addTab(summary, QStringLiteral("Summary"));
  Results->addTab(confusion, QStringLiteral("Model recovery"));
  auto* results = new QWidget;
  auto* column = new QVBoxLayout(results);
  column->addWidget(Source);
  column->addWidget(Results, 1);
  return results;
}

void RecoveryWindow::SetShoe(const HandList& hands, const FiguresOrigin& origin) {
  hands_ = hands;
  origin_ = origin;
  if (!Task->Running()) Task->Status->setText(origin.ShoeCaption());
}

std::vector<std::string> RecoveryWindow::OptionWords() const {
  std::vector<std::string> words = {LinesOption,        std::to_string(Lines->value()),
                                    ReplicatesOption,   std::to_string(Replicates->value()),
                                    ConflictModeOption, ConflictMode->currentText().toStdString(),
                                    AltruismOption,     Altruism->currentText().toStdString()};
  const std::pair<const char*, QLineEdit*> fields[] = {
      {"--prob-range", ProbRange}, {"--lapse-range", LapseRange}, {"--fix", Fixed}, {LevelOption, Level},
      {"--seed", Seed}};
  for (auto [option, field] : fields) {
    const QString text = field->text().trimmed();
    if (!text.isEmpty()) words.insert(words.end(), {option, text.toStdString()});
  }
  return words;
}

void RecoveryWindow::RunClick() {
  if (Task->Running()) return;
  RecoverOptions options;
  try {
    const CommandLine line(OptionWords(),
                           {LinesOption, ReplicatesOption, ConflictModeOption, AltruismOption, "--prob-range",
                            "--lapse-range", "--fix", LevelOption, "--seed"},
                           {});
    options = RecoverOptionsFrom(line);
  } catch (const std::exception& error) {
    Task->Status->setText(QString::fromStdString(error.what()));
    return;
  }
  if (hands_.empty()) {
    Task->Status->setText(QStringLiteral("Open a shoe first: recovery simulates lines on its hands."));
    return;
  }
  runningDesign_ = options.design;
  running_.clear();
  std::vector<std::string> words = OptionWords();
  if (Seed->text().trimmed().isEmpty()) words.insert(words.end(), {"--seed", std::to_string(runningDesign_.seed)});
  runningShoe_ = origin_.shoeFile;
  runningSource_ = origin_.ShoeCaption() + QStringLiteral(" \u00b7 recover ") + WordsText(words);
  const long long total = static_cast<long long>(runningDesign_.replicates) * static_cast<long long>(runningDesign_.generating.size());
  Task->Status->setText(QStringLiteral("Simulating and fitting %1 data sets...").arg(total));
  Task->Start(total, [this, hands = hands_, jobs = options.jobs](const StudyWatch& watch) {
    running_ = RunRecovery(hands, runningDesign_, jobs, watch);
  });
}

void RecoveryWindow::RunEnded(StudyTaskPanel::Outcome outcome) {
  if (outcome != StudyTaskPanel::Outcome::Done) {
    running_.clear();
    return;
  }
  units_ = std::move(running_);
  running_.clear();
  shownDesign_ = runningDesign_;
  shownSource_ = runningSource_;
  shownShoe_ = runningShoe_;
  Task->Status->setText(QStringLiteral("Done: %1 data sets.").arg(units_.size()));
  ShowResults();
}

void RecoveryWindow::ShowResults() {
  Source->setText(shownSource_);
  const QString seed = QStringLiteral(", seed %1").arg(shownDesign_.seed);
  for (int parameter : ParameterOrder) {
    QChartView* view = Charts[parameter];
    view->setVisible(!shownDesign_.fixed[parameter]);
    QChart* chart = NewRecoveryChart(units_, parameter);
    chart->setTitle(chart->title() + QStringLiteral(" \u2014 ") + shownShoe_ + seed);
    ShowChart(view, chart);
  }
  Summary->setHorizontalHeaderItem(5, new QTableWidgetItem(QStringLiteral("coverage %1%").arg(100 * shownDesign_.level)));
  SetRows(Summary, RecoverySummaryRows(units_));
  const std::string unrecoverable = UnrecoverableParameters(units_);
  Unrecoverable->setText(QStringLiteral("Cannot be recovered on this design: %1 (not identifiable in half the data "
                                        "sets or more, or a correlation below 0.5).")
                             .arg(unrecoverable.empty() ? QStringLiteral("none") : QString::fromStdString(unrecoverable)));
  ShowConfusion(Confusion, units_, Criterion->currentIndex() == 1);
}

std::vector<SavedFile> RecoveryWindow::FilesToSave(const std::filesystem::path& stem, bool svg) {
  std::vector<SavedFile> files;
  const auto add = [&](const std::string& ending, std::string bytes) { files.push_back(NamedAfter(stem, ending, std::move(bytes))); };
  TextTable fits = {RecoveryCsvHeader};
  for (const RecoveryUnit& unit : units_) {
    for (std::vector<std::string>& row : RecoveryCsvRows(unit)) fits.push_back(std::move(row));
  }
  add("-recovery.csv", CsvOfShoe(fits, shownShoe_));
  add("-recovery-summary.csv", CsvOfShoe(TableRows(*Summary->model()), shownShoe_));
  TextTable confusion = {{"generating"}};
  for (int c = 0; c < Confusion->columnCount(); ++c) {
    confusion[0].push_back(Confusion->horizontalHeaderItem(c)->text().toStdString());
  }
  for (int g = 0; g < Confusion->rowCount(); ++g) {
    confusion.push_back({Confusion->verticalHeaderItem(g)->text().toStdString()});
    for (int c = 0; c < Confusion->columnCount(); ++c) confusion.back().push_back(Confusion->item(g, c)->text().toStdString());
  }
  add(Criterion->currentIndex() == 1 ? "-confusion-bic.csv" : "-confusion-aic.csv", CsvOfShoe(confusion, shownShoe_));
  for (int parameter : ParameterOrder) {
    if (shownDesign_.fixed[parameter]) continue;
    add("-recovery-" + ParameterName(parameter) + (svg ? ".svg" : ".png"), ChartBytes(Charts[parameter], svg).toStdString());
  }
  return files;
}

void RecoveryWindow::SaveFiguresClick() {
  if (units_.empty()) {
    dialogs_.Message(QStringLiteral("No recovery figures yet: run a recovery first"));
    return;
  }
  SaveFigureFiles(
      dialogs_, outputFolder_, [this](const std::filesystem::path& stem, bool svg) { return FilesToSave(stem, svg); },
      QStringLiteral("Figures saved"));
}

}  // namespace bruso
