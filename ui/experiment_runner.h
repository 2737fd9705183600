#pragma once

#include <memory>
#include <vector>

#include <QFrame>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "session/experiment_session.h"

namespace bruso {

class TForm1;

inline constexpr const char* EndSessionQuestion = "End the session? The hand in progress is not recorded.";
inline constexpr const char* NextHandCaption = "Next hand";
inline constexpr const char* FinishCaption = "Finish";

// An experiment session in the main window. While it runs, a panel stands where the
// move lines are listed (who is to move, the moves left, "Next hand"); the person plays by
// clicking cards and the pass button, the artificial partner moves after the plan's pause,
// and every command that analyses, runs a batch, edits or steps through the moves is off.
// Escape asks whether to end the session. It ends after the last hand, on Escape, on a
// file that cannot be written, or with the window; then the window is as before, showing
// the last hand played.
class ExperimentRunner : public QObject {
  Q_OBJECT

 public:
  // Starts the session over the hands the window holds; throws IoError when the record
  // cannot be opened (nothing is changed then).
  ExperimentRunner(TForm1& form, ExperimentPlan plan);
  ~ExperimentRunner() override;

  // A click of the person on a card or on the pass button (a letter, or "CK" or "NK").
  void PersonClick(const std::string& clicked);
  bool Running() const { return session_ != nullptr; }

  QFrame* Panel;
  QLabel *TitleLabel, *HandLabel, *TurnLabel, *MovesLeftLabel, *HintLabel;
  QPushButton* NextHandButton;

 private:
  void BuildPanel();
  void SetCommandsEnabled(bool enabled);
  // Shows the session's state in the panel, and sets the partner's move going when it is due.
  void Refresh();
  // Runs a step of the session; a file that cannot be written ends the session.
  void Step(const std::function<void()>& step);
  void NextHandClicked();
  void AskToEnd();
  void End();

  TForm1& form_;
  std::unique_ptr<ExperimentSession> session_;
  QTimer partnerTimer_;
  QShortcut* escape_ = nullptr;
  std::vector<QWidget*> disabledWidgets_;
  std::vector<QAction*> disabledActions_;
};

}  // namespace bruso
