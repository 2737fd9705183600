#include "ui/fit_weights_dialog.h"

#include <filesystem>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "engine/command_line.h"
#include "engine/io_error.h"
#include "model/fit_data.h"
#include "model/fitted_rules.h"
#include "session/file_overlap.h"
#include "ui/fonts.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

// The largest weight the search may give, as bruso-batch allows.
constexpr int MaxWeight = 1000;

QSpinBox* WeightBox(int value) {
  auto* box = new QSpinBox;
  box->setRange(0, MaxWeight);
  box->setValue(value);
  return box;
}

QString FileName(const std::string& path) { return PathToQString(std::filesystem::path(path).filename()); }

}  // namespace

FitWeightsDialog::FitWeightsDialog(const HandList& hands, RulesToFit rules, std::string shoe, Dialogs& dialogs,
                                   QWidget* parent)
    : QDialog(parent), hands_(hands), rules_(std::move(rules)), shoe_(std::move(shoe)), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("Fit Weights"));
  const WeightRange range;
  LowWeight = WeightBox(range.low);
  HighWeight = WeightBox(range.high);
  auto* range_row = new QHBoxLayout;
  range_row->addWidget(LowWeight);
  range_row->addWidget(new QLabel(QStringLiteral("to")));
  range_row->addWidget(HighWeight);
  range_row->addStretch();
  Progress = new QProgressBar;
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Status = new QLabel(QStringLiteral("Rules: CK %1, NK %2 \u00b7 %3 recorded lines of %4 hands")
                          .arg(FileName(rules_.files.ck), FileName(rules_.files.nk))
                          .arg(RecordedLineCount(hands_))
                          .arg(hands_.size()));
  Status->setWordWrap(true);
  Report = new QPlainTextEdit;
  Report->setReadOnly(true);
  Report->setFont(PixelFont("Courier New", 13));
  Report->setLineWrapMode(QPlainTextEdit::NoWrap);
  Report->setPlaceholderText(QStringLiteral("Fit searches the weights; the fit before and after shows here."));
  OutCK = new QLineEdit(ToQString(FittedName(rules_.files.ck)));
  OutNK = new QLineEdit(ToQString(FittedName(rules_.files.nk)));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Weights from:"), range_row);
  form->addRow(QStringLiteral("Progress:"), Progress);
  form->addRow(QStringLiteral("Fitted CK file:"), OutCK);
  form->addRow(QStringLiteral("Fitted NK file:"), OutNK);

  FitButton = new QPushButton(QStringLiteral("&Fit"));
  FitButton->setDefault(true);
  SaveButton = new QPushButton(QStringLiteral("&Save Rules Files"));
  SaveButton->setEnabled(false);
  CloseButton = new QPushButton(QStringLiteral("Cancel"));
  connect(FitButton, &QPushButton::clicked, this, &FitWeightsDialog::StartSearch);
  connect(SaveButton, &QPushButton::clicked, this, &FitWeightsDialog::SaveClick);
  connect(CloseButton, &QPushButton::clicked, this, &FitWeightsDialog::reject);
  connect(&progressTimer_, &QTimer::timeout, this, &FitWeightsDialog::ShowProgress);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {FitButton, SaveButton, CloseButton}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Status);
  layout->addLayout(form);
  layout->addWidget(Report, 1);
  layout->addLayout(buttons);
  resize(560, 420);
}

FitWeightsDialog::~FitWeightsDialog() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void FitWeightsDialog::StartSearch() {
  if (Running()) return;
  const WeightRange range{LowWeight->value(), HighWeight->value()};
  if (range.low > range.high) {
    Status->setText(QStringLiteral("The lowest weight must not be above the highest."));
    return;
  }
  failure_.clear();
  hasResult_ = false;
  cancelled_ = false;
  stop_ = false;
  trials_ = 0;
  Progress->setRange(0, 0);  // the number of trials is not known beforehand
  Report->clear();
  Status->setText(QStringLiteral("Searching weights %1 to %2...").arg(range.low).arg(range.high));
  for (QWidget* control : {static_cast<QWidget*>(FitButton), static_cast<QWidget*>(SaveButton),
                           static_cast<QWidget*>(LowWeight), static_cast<QWidget*>(HighWeight)}) {
    control->setEnabled(false);
  }
  progressTimer_.start(100);
  worker_ = std::thread([this, range] { Search(range); });
}

void FitWeightsDialog::Search(WeightRange range) {
  const auto stop_requested = [this] {
    ++trials_;
    return stop_.load();
  };
  try {
    result_ = SearchWeights(RuleDataFrom(hands_), rules_.loaded.player, range, rules_.loaded.weightsFitted,
                            stop_requested);
    hasResult_ = true;
  } catch (const FitCancelled&) {
    cancelled_ = true;
  } catch (const std::exception& error) {
    failure_ = error.what();
  }
  QMetaObject::invokeMethod(this, &FitWeightsDialog::SearchEnded, Qt::QueuedConnection);
}

void FitWeightsDialog::ShowProgress() {
  if (stop_) return;  // "Stopping the search..." stays
  Status->setText(QStringLiteral("Searching: %1 weights tried...").arg(trials_.load()));
}

void FitWeightsDialog::SearchEnded() {
  worker_.join();
  progressTimer_.stop();
  Progress->setRange(0, 1);
  Progress->setValue(hasResult_ ? 1 : 0);
  for (QWidget* control : {static_cast<QWidget*>(FitButton), static_cast<QWidget*>(LowWeight),
                           static_cast<QWidget*>(HighWeight), static_cast<QWidget*>(CloseButton)}) {
    control->setEnabled(true);
  }
  CloseButton->setText(QStringLiteral("Close"));
  if (!failure_.empty()) {
    Status->setText(QStringLiteral("The search failed: ") + QString::fromStdString(failure_));
  } else if (cancelled_) {
    Status->setText(QStringLiteral("The search was cancelled; nothing was found or written."));
  } else {
    Report->setPlainText(ToQString(WeightSearchReport(result_)));
    Status->setText(QStringLiteral("Done after %1 weights tried: Save Rules Files writes the two fitted files.")
                        .arg(trials_.load()));
    SaveButton->setEnabled(true);
  }
}

bool FitWeightsDialog::MayWrite(const std::string& ck, const std::string& nk) {
  try {
    RefuseOverlaps({{"the shoe", shoe_}, {"the CK rules file", rules_.files.ck}, {"the NK rules file", rules_.files.nk}},
                   {{"the fitted CK file", ck}, {"the fitted NK file", nk}});
  } catch (const OptionValueError& overlap) {
    dialogs_.Message(QString::fromStdString(overlap.what()));
    return false;
  }
  QStringList there;
  for (const std::string& path : {ck, nk}) {
    if (std::filesystem::exists(path)) there << FileName(path);
  }
  return there.isEmpty() || dialogs_.Question(QStringLiteral("Replace ") + there.join(QStringLiteral(", ")) +
                                              QStringLiteral("?")) == Dialogs::Answer::Yes;
}

bool FitWeightsDialog::SaveClick() {
  if (!hasResult_ || Running()) return false;
  const std::string ck = QStringToPath(OutCK->text()).string();
  const std::string nk = QStringToPath(OutNK->text()).string();
  if (!MayWrite(ck, nk)) return false;
  try {
    RefuseUnwritable({{"the fitted CK file", ck}, {"the fitted NK file", nk}});
    WriteFittedRules(ck, rules_.ckText, result_.player.ck, shoe_);
    WriteFittedRules(nk, rules_.nkText, result_.player.nk, shoe_);
  } catch (const IoError& error) {
    dialogs_.Error(ErrorText(error));
    return false;
  }
  dialogs_.Message(QStringLiteral("Fitted rules written to %1 and %2: load them with Load Rules CK and NK to play "
                                  "or fit with them.")
                       .arg(FileName(ck), FileName(nk)));
  return true;
}

void FitWeightsDialog::reject() {
  if (!Running()) {
    QDialog::reject();
    return;
  }
  stop_ = true;
  Status->setText(QStringLiteral("Stopping the search..."));
  CloseButton->setEnabled(false);
}

}  // namespace bruso
