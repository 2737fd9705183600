#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "session/experiment_plan.h"
#include "session/shared_state.h"
#include "ui/dialogs.h"

namespace bruso {

inline constexpr const char* ExperimentTitle = "Run Experiment";
inline constexpr const char* PersonChoice = "A person at this screen";

// "Analysis > Run Experiment...": who plays, which hands in which order, and where the
// session is recorded. OK checks the plan (PlanProblem) and shows what is wrong in the
// dialog instead of closing it.
class ExperimentDialog : public QDialog {
  Q_OBJECT

 public:
  // `open_shoe`: the shoe the window shows, the default shoe to present.
  ExperimentDialog(const SharedState& state, const QString& open_shoe, Dialogs& dialogs, QWidget* parent = nullptr);

  // What the fields hold.
  ExperimentPlan Plan() const;
  QString ShoeFile() const { return ShoeEdit->text(); }

  QLineEdit *ParticipantEdit, *ConditionEdit, *ShoeEdit, *SeedEdit, *RecordEdit;
  QPushButton *ShoeBrowseButton, *RecordBrowseButton, *OkButton, *CancelButton;
  QRadioButton *ShoeOrderButton, *ShuffledOrderButton;
  QComboBox *CKPlayerBox, *NKPlayerBox;
  QSpinBox *MoveLimitBox, *PauseBox;
  QLabel* ProblemLabel;  // why OK did not start the session

 private:
  QWidget* BuildWho();
  QWidget* BuildHands();
  QWidget* BuildRecord();
  QComboBox* PlayerBox(const std::string& rules_file);
  // Checks the plan; accepts the dialog when it can run.
  void TryAccept();
  int HandsInShoe(QString& problem) const;

  const SharedState& state_;
  QString openShoe_;
  Dialogs& dialogs_;
};

}  // namespace bruso
