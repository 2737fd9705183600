#pragma once

#include <filesystem>
#include <vector>

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QTableWidget>

#include "study/hierarchical_fit.h"
#include "study/participant_fits.h"
#include "ui/dialogs.h"
#include "ui/figure_files.h"
#include "ui/study_task.h"

namespace bruso {

// The participants of the open study: a row per participant with their condition and
// lines, and once fitted (as `fit --per-participant` fits them) their best variant, whether
// it beats moving at random, and its estimates with intervals; a chart of one parameter's
// estimates by participant and condition; and each variant's hierarchical fit of the group
// (as `fit --hierarchical`): the group's means and spreads.
class ParticipantsWindow : public QMainWindow {
  Q_OBJECT

 public:
  ParticipantsWindow(Dialogs& dialogs, const std::filesystem::path& output_folder);
  // The run in progress writes into the window: it is stopped before the window goes.
  ~ParticipantsWindow() override { Task->StopAndWait(); }

  // The study opened: its participants, and the files it was read from. Forgets the fits
  // of the study before.
  void SetStudy(std::vector<Participant> participants, const QString& source);
  const std::vector<ParticipantFit>& Fits() const { return fits_; }
  const std::vector<HierarchicalFit>& GroupFits() const { return groupFits_; }

  StudyTaskPanel* Task;
  QLabel* Source;
  QTableWidget *Table, *Group;
  QComboBox* Parameter;
  QChartView* Chart;
  QAction* SaveFigures;

 public slots:
  void FitClick();
  void SaveFiguresClick();

 private:
  void RunEnded(StudyTaskPanel::Outcome outcome);
  void ShowParticipants();
  void ShowGroup();
  void ShowChartOfParameter();
  std::vector<SavedFile> FilesToSave(const std::filesystem::path& stem, bool svg);

  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  std::vector<Participant> participants_;
  QString source_;
  // Written by the run in progress; shown once it has ended whole.
  std::vector<ParticipantFit> runningFits_;
  std::vector<HierarchicalFit> runningGroupFits_;
  std::vector<ParticipantFit> fits_;
  std::vector<HierarchicalFit> groupFits_;
};

}  // namespace bruso
