#pragma once

#include <cstdint>
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
#include <QTableWidget>

#include "model/fit.h"
#include "session/model_settings.h"
#include "study/predictive_check.h"
#include "ui/dialogs.h"
#include "ui/statistics_window.h"
#include "ui/study_task.h"

namespace bruso {

// "Check Fitted Model...": a predictive check of the model, as `bruso-batch check` makes it,
// of the model settings or of a variant of the last fit. Data sets of the open shoe's hands
// are played by the model and each figure of the recorded lines is set against the
// simulated ones' 95% band: the moves to 2H, the share reaching 2H and the letters of each
// role as charts, every figure in a table, those outside the band marked.
class CheckWindow : public QMainWindow {
  Q_OBJECT

 public:
  CheckWindow(Dialogs& dialogs, const std::filesystem::path& output_folder);
  // The run in progress writes into the window: it is stopped before the window goes.
  ~CheckWindow() override { Task->StopAndWait(); }

  // What a check is run on from now on: the hands (copied), where they come from, the model
  // settings and the fits of the last fit (the first choice is always the settings).
  void SetModel(const HandList& hands, const FiguresOrigin& origin, const ModelSettings& settings,
                const std::vector<FitResult>& fits);
  // The options as the command line takes them; a fit is named "FIT.csv".
  std::vector<std::string> OptionWords() const;
  const PredictiveCheck& Shown() const { return shown_; }

  QComboBox* Model;
  QSpinBox* Replicates;
  QLineEdit* Seed;
  StudyTaskPanel* Task;
  QLabel *Source, *Flags;
  QChartView *MovesChart, *ReachingChart, *CkLettersChart, *NkLettersChart;
  QTableWidget* Table;
  QAction* SaveFigures;

 public slots:
  void RunClick();
  void SaveFiguresClick();

 private:
  QWidget* NewOptions();
  QWidget* NewResults();
  void RunEnded(StudyTaskPanel::Outcome outcome);
  void ShowResults();
  std::vector<SavedFile> FilesToSave(const std::filesystem::path& stem, bool svg);
  // The fit row the choice stands for; none for the model settings.
  const FitResult* ChosenFit() const;

  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  HandList hands_;
  FiguresOrigin origin_;
  ModelSettings settings_;
  std::vector<FitResult> fits_;  // the variants of the analysis only
  PredictiveDesign runningDesign_;
  PredictiveCheck running_;
  QString runningSource_, runningShoe_;
  PredictiveCheck shown_;
  QString shownSource_, shownShoe_;
  std::uint64_t shownSeed_ = 0;
};

}  // namespace bruso
