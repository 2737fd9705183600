#include "ui/fit_model_dialog.h"

#include <malloc.h>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/fit_data.h"
#include "model/fitted_rules.h"
#include "model/profile_interval.h"

namespace bruso {

namespace {

QString VariantName(const ModelVariant& variant) {
  return QStringLiteral("conflict mode %1, altruism %2").arg(variant.conflictMode).arg(variant.altruism);
}

int Jobs() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// The fit's data, freed in the worker thread, stay with the allocator's arena of that thread
// unless it is told to give them back: return them to the system.
void ReturnFreedMemory() { malloc_trim(0); }

// The fit's large blocks (a variant's data are megabytes) are mapped each on its own, and
// the free top of a thread's arena goes back once it passes 128 kB. Left to itself, glibc
// raises both thresholds when a large block is freed (the shoe's text, a variant's data):
// the next blocks then come from the threads' arenas, which keep up to twice that block
// after the fit. The values set are glibc's own starting ones, held there from now on.
void KeepLargeBlocksReturnable() {
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024);
}

}  // namespace

FitModelDialog::FitModelDialog(const HandList& hands, const AnalysisSettings& settings, QWidget* parent)
    : QDialog(parent), hands_(hands), settings_(settings) {
  setWindowTitle(QStringLiteral("Fit Model"));
  Variants = new QComboBox;
  Variants->addItem(QStringLiteral("all four variants"));
  for (const ModelVariant& variant : EveryModelVariant) Variants->addItem(VariantName(variant));
  Progress = new QProgressBar;
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Status = new QLabel(QStringLiteral("%1 recorded lines of %2 hands").arg(RecordedLineCount(hands_)).arg(hands_.size()));
  FitButton = new QPushButton(QStringLiteral("Fit"));
  FitButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Cancel"));
  connect(FitButton, &QPushButton::clicked, this, &FitModelDialog::StartFit);
  connect(CancelButton, &QPushButton::clicked, this, &FitModelDialog::reject);
  connect(&progressTimer_, &QTimer::timeout, this, &FitModelDialog::ShowProgress);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Variants:"), Variants);
  form->addRow(QStringLiteral("Progress:"), Progress);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(FitButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Status);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

FitModelDialog::~FitModelDialog() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
  ReturnFreedMemory();
}

void FitModelDialog::AddRulePlayer(const RuleFiles& files, LoadedRulePlayer loaded) {
  rulePlayers_.emplace_back(files, std::move(loaded));
}

std::vector<ModelVariant> FitModelDialog::ChosenVariants() const {
  const int chosen = Variants->currentIndex();
  if (chosen <= 0) return {std::begin(EveryModelVariant), std::end(EveryModelVariant)};
  return {EveryModelVariant[chosen - 1]};
}

void FitModelDialog::StartFit() {
  if (Running()) return;
  failure_.clear();
  variantsDone_ = 0;
  searchesDone_ = 0;
  std::vector<ModelVariant> variants = ChosenVariants();
  Progress->setRange(0, static_cast<int>(variants.size()) * FitStartCount);
  Progress->setValue(0);
  Status->setText(QStringLiteral("Fitting %1 variant(s)...").arg(variants.size()));
  FitButton->setEnabled(false);
  Variants->setEnabled(false);
  progressTimer_.start(100);
  KeepLargeBlocksReturnable();
  worker_ = std::thread([this, variants = std::move(variants)] { Fit(variants); });
}

void FitModelDialog::Fit(std::vector<ModelVariant> variants) {
  const FitWatch watch{.stopRequested = [this] { return stop_.load(); }, .searchDone = [this] { ++searchesDone_; }};
  try {
    for (const ModelVariant& variant : variants) {
      // With the intervals of fit, so that the window shows and saves what the tool writes.
      results_.push_back(FitVariantWithIntervals(hands_, variant, settings_, {}, Jobs(), DefaultIntervalLevel, watch));
      ++variantsDone_;
      searchesDone_ = variantsDone_ * FitStartCount;  // a variant whose data leave nothing free searches less
    }
    // The rule players' rows, as fit --rules adds them.
    if (!rulePlayers_.empty()) {
      const RuleData data = RuleDataFrom(hands_);
      for (const auto& [files, loaded] : rulePlayers_) {
        if (stop_) throw FitCancelled();
        results_.push_back(RulePlayerRow(data, loaded, files));
      }
    }
  } catch (const FitCancelled&) {
    cancelled_ = true;
  } catch (const std::exception& error) {
    failure_ = error.what();
  }
  QMetaObject::invokeMethod(this, &FitModelDialog::FitEnded, Qt::QueuedConnection);
}

void FitModelDialog::ShowProgress() { Progress->setValue(searchesDone_); }

void FitModelDialog::FitEnded() {
  worker_.join();
  ReturnFreedMemory();
  progressTimer_.stop();
  ShowProgress();
  if (!failure_.empty()) {  // stays open to say why
    Status->setText(QStringLiteral("The fit failed: ") + QString::fromStdString(failure_));
    results_.clear();
    FitButton->setEnabled(true);
    Variants->setEnabled(true);
    return;
  }
  if (cancelled_) {
    results_.clear();
    QDialog::reject();
    return;
  }
  accept();
}

void FitModelDialog::reject() {
  if (!Running()) {
    QDialog::reject();
    return;
  }
  stop_ = true;
  Status->setText(QStringLiteral("Stopping the fit..."));
  CancelButton->setEnabled(false);
}

}  // namespace bruso
