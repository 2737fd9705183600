#pragma once

#include <chrono>
#include <string>

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include "session/classify_run.h"

namespace bruso {

// When the progress box shows (after the run has taken this long), and how often it is
// redrawn and the window takes events: often enough for Cancel to answer at once, seldom
// enough to cost the run nothing worth counting.
struct ProgressTiming {
  std::chrono::milliseconds showAfter{1000};
  std::chrono::milliseconds updateEvery{50};
};

// The message of a cancelled run: how far it came, and that what it wrote is whole.
std::string CancelledClassifyText(long long lines_done, long long total_lines);

// Watches "Classify All Hands" from inside the command: once the run has taken longer than
// the delay it shows a modal box with the lines done and a Cancel button, and lets the
// window take events now and then, so that Cancel (or Escape) can be pressed. A cancelled
// run stops before the next line, after the line in progress has been written whole.
class ClassifyProgress : public ClassifyWatcher {
 public:
  ClassifyProgress(QWidget* parent, long long total_lines, ProgressTiming timing = {});
  ~ClassifyProgress() override;
  ClassifyProgress(const ClassifyProgress&) = delete;
  ClassifyProgress& operator=(const ClassifyProgress&) = delete;

  bool Stopping() override;
  void LineClassified(const ClassifiedLine&) override { ++linesDone_; }

  bool Cancelled() const { return cancelled_; }
  long long LinesDone() const { return linesDone_; }
  long long TotalLines() const { return totalLines_; }
  // The box, once shown; none before.
  QDialog* Box() const { return box_; }

 private:
  void ShowBox();

  QWidget* parent_;
  long long totalLines_;
  long long linesDone_ = 0;
  ProgressTiming timing_;
  QElapsedTimer sinceStart_;
  QElapsedTimer sinceUpdate_;
  bool cancelled_ = false;
  QPointer<QDialog> box_;
  QProgressBar* bar_ = nullptr;
  QLabel* label_ = nullptr;
};

}  // namespace bruso
