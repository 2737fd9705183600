#include "ui/classify_progress.h"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace bruso {

namespace {

// The bar counts in steps of at most INT_MAX.
int BarValue(long long done, long long total) {
  if (total <= std::numeric_limits<int>::max()) return static_cast<int>(done);
  return static_cast<int>(done * 1000 / std::max(1LL, total));
}

}  // namespace

std::string CancelledClassifyText(long long lines_done, long long total_lines) {
  return "Classify All Hands was cancelled after " + std::to_string(lines_done) + " of " +
         std::to_string(total_lines) + " lines: the output holds the lines classified so far, each of them whole.";
}

ClassifyProgress::ClassifyProgress(QWidget* parent, long long total_lines, ProgressTiming timing)
    : parent_(parent), totalLines_(total_lines), timing_(timing) {
  sinceStart_.start();
}

ClassifyProgress::~ClassifyProgress() { delete box_; }

void ClassifyProgress::ShowBox() {
  box_ = new QDialog(parent_);
  box_->setWindowTitle(QStringLiteral("Classify All Hands"));
  box_->setWindowModality(Qt::ApplicationModal);
  label_ = new QLabel;
  bar_ = new QProgressBar;
  bar_->setRange(0, BarValue(totalLines_, totalLines_));
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  // Escape and the close box cancel too.
  QObject::connect(cancel, &QPushButton::clicked, box_, &QDialog::reject);
  QObject::connect(box_, &QDialog::rejected, box_, [this] {
    cancelled_ = true;
    label_->setText(QStringLiteral("Stopping after the line in progress..."));
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(box_);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
  box_->setMinimumWidth(360);
  box_->show();
}

bool ClassifyProgress::Stopping() {
  if (cancelled_) return true;
  if (box_ == nullptr) {
    if (sinceStart_.elapsed() < timing_.showAfter.count()) return false;
    ShowBox();
  } else if (sinceUpdate_.elapsed() < timing_.updateEvery.count()) {
    return false;
  }
  label_->setText(QStringLiteral("%1 of %2 lines classified").arg(linesDone_).arg(totalLines_));
  bar_->setValue(BarValue(linesDone_, totalLines_));
  sinceUpdate_.start();
  QApplication::processEvents();
  return cancelled_;
}

}  // namespace bruso
