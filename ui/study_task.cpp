#include "ui/study_task.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/fit.h"

namespace bruso {

StudyTaskPanel::StudyTaskPanel(const QString& run_caption, QWidget* parent) : QWidget(parent) {
  RunButton = new QPushButton(run_caption);
  RunButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"));
  CancelButton->setEnabled(false);
  Progress = new QProgressBar;
  Progress->setRange(0, 1);
  Progress->setValue(0);
  Status = new QLabel;
  Status->setWordWrap(true);
  connect(CancelButton, &QPushButton::clicked, this, &StudyTaskPanel::Cancel);
  connect(&progressTimer_, &QTimer::timeout, this, [this] { Progress->setValue(static_cast<int>(unitsDone_)); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(RunButton);
  buttons->addWidget(CancelButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addWidget(Progress);
  layout->addWidget(Status);
}

StudyTaskPanel::~StudyTaskPanel() { StopAndWait(); }

void StudyTaskPanel::StopAndWait() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
  progressTimer_.stop();
}

void StudyTaskPanel::SetRunning(bool running) {
  RunButton->setEnabled(!running);
  CancelButton->setEnabled(running);
}

void StudyTaskPanel::Start(long long total, Work work) {
  if (Running()) return;
  stop_ = false;
  unitsDone_ = 0;
  failure_.clear();
  cancelled_ = false;
  Progress->setRange(0, static_cast<int>(std::max(1LL, total)));
  Progress->setValue(0);
  SetRunning(true);
  progressTimer_.start(100);
  worker_ = std::thread([this, work = std::move(work)] {
    const StudyWatch watch{.stopRequested = [this] { return stop_.load(); }, .unitDone = [this] { ++unitsDone_; }};
    try {
      work(watch);
    } catch (const FitCancelled&) {
      // the stop reached a fit in progress: nothing of it is kept
    } catch (const std::exception& error) {
      failure_ = error.what();
    }
    cancelled_ = stop_;
    QMetaObject::invokeMethod(this, &StudyTaskPanel::WorkEnded, Qt::QueuedConnection);
  });
}

void StudyTaskPanel::Cancel() {
  if (!Running()) return;
  stop_ = true;
  Status->setText(QStringLiteral("Stopping after the work in progress..."));
  CancelButton->setEnabled(false);
}

void StudyTaskPanel::WorkEnded() {
  worker_.join();
  progressTimer_.stop();
  Progress->setValue(static_cast<int>(unitsDone_));
  SetRunning(false);
  if (!failure_.empty()) {
    Status->setText(QStringLiteral("Failed: ") + QString::fromStdString(failure_));
    emit ended(Outcome::Failed);
  } else if (cancelled_) {
    Status->setText(QStringLiteral("Cancelled: nothing of this run is shown; the figures are as they were."));
    emit ended(Outcome::Cancelled);
  } else {
    emit ended(Outcome::Done);
  }
}

}  // namespace bruso
