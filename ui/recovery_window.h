#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "study/recovery.h"
#include "ui/dialogs.h"
#include "ui/statistics_window.h"
#include "ui/study_task.h"

namespace bruso {

// "Check Recovery...": parameter and model recovery on the open shoe's hands, with the
// options of `bruso-batch recover`. The results are a chart per parameter (estimate against
// truth), the summary table and the confusion matrix by AIC or BIC; above them, the shoe,
// the options and the seed that made them.
class RecoveryWindow : public QMainWindow {
  Q_OBJECT

 public:
  RecoveryWindow(Dialogs& dialogs, const std::filesystem::path& output_folder);
  // The run in progress writes into the window: it is stopped before the window goes.
  ~RecoveryWindow() override { Task->StopAndWait(); }

  // The hands a run studies from now on (copied), and where they come from.
  void SetShoe(const HandList& hands, const FiguresOrigin& origin);
  // The options as the command line takes them: "--lines 4 --replicates 10 ...".
  std::vector<std::string> OptionWords() const;
  const std::vector<RecoveryUnit>& Units() const { return units_; }

  QSpinBox *Lines, *Replicates;
  QLineEdit *Seed, *ProbRange, *LapseRange, *Fixed, *Level;
  QComboBox *ConflictMode, *Altruism, *Criterion;
  StudyTaskPanel* Task;
  QLabel *Source, *Unrecoverable;
  QTabWidget* Results;
  std::array<QChartView*, ParameterCount> Charts{};
  QTableWidget *Summary, *Confusion;
  QAction* SaveFigures;

 public slots:
  // Reads the options (a wrong one is said in the status line) and starts the run.
  void RunClick();
  void SaveFiguresClick();

 private:
  QWidget* NewOptions();
  QWidget* NewResults();
  void RunEnded(StudyTaskPanel::Outcome outcome);
  void ShowResults();
  std::vector<SavedFile> FilesToSave(const std::filesystem::path& stem, bool svg);

  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  HandList hands_;
  FiguresOrigin origin_;
  // The run in progress writes here; shown once it has ended whole.
  RecoveryDesign runningDesign_;
  std::vector<RecoveryUnit> running_;
  QString runningSource_, runningShoe_;
  // What is shown.
  RecoveryDesign shownDesign_;
  std::vector<RecoveryUnit> units_;
  QString shownSource_, shownShoe_;
};

}  // namespace bruso
