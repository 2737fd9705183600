#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "study/study_units.h"

namespace bruso {

// The run of a long study in a window: a Run button, a progress bar, a status line and a
// Cancel button. The work runs in a thread of its own, so that the window is drawn while it
// runs; it counts its units and is asked to stop through the watch it is given. Cancel asks
// it to stop after the units in progress.
class StudyTaskPanel : public QWidget {
  Q_OBJECT

 public:
  enum class Outcome { Done, Cancelled, Failed };
  // Runs in the worker thread: the study is given the watch, or asks it itself.
  using Work = std::function<void(const StudyWatch& watch)>;

  explicit StudyTaskPanel(const QString& run_caption, QWidget* parent = nullptr);
  // Stops the work and waits for it.
  ~StudyTaskPanel() override;

  // Asks the work to stop and waits for it, without telling anyone: for a window that goes
  // before its panel, whose results the work writes into.
  void StopAndWait();
  // Starts the work over `total` units; nothing while one runs.
  void Start(long long total, Work work);
  bool Running() const { return worker_.joinable(); }
  // The message of the exception that ended a failed run.
  const std::string& Failure() const { return failure_; }
  long long UnitsDone() const { return unitsDone_; }

  QPushButton *RunButton, *CancelButton;
  QProgressBar* Progress;
  QLabel* Status;

 public slots:
  void Cancel();

 signals:
  // Emitted in the window's thread once the worker has ended and been joined.
  void ended(StudyTaskPanel::Outcome outcome);

 private:
  void WorkEnded();
  void SetRunning(bool running);

  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<long long> unitsDone_{0};
  QTimer progressTimer_;
  // Written by the worker, read after it has been joined.
  std::string failure_;
  bool cancelled_ = false;
};

}  // namespace bruso
