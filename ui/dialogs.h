#pragma once

#include <memory>
#include <string_view>

#include <QInputDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "session/window_state.h"

namespace bruso {

class ExperimentDialog;
class FitModelDialog;
class FitWeightsDialog;
class ModelSettingsDialog;

// Every modal question the windows ask goes through here, so that tests can answer by
// script instead of blocking. It also shows the core's message boxes (UserMessages).
class Dialogs : public UserMessages {
 public:
  enum class Answer { Yes, No, Cancel };

  // The file-open dialog with its title (empty: the toolkit's own, "Open"): the chosen
  // file, or empty when cancelled.
  virtual QString OpenFile(const QString& title, const QString& folder, const QString& filter) = 0;
  // The file-open dialog that takes several files: the chosen files, or none when cancelled.
  virtual QStringList OpenFiles(const QString& title, const QString& folder, const QString& filter) = 0;
  // The file-save dialog: the chosen file (with the default suffix added when the name has
  // none), or empty when cancelled.
  virtual QString SaveFile(const QString& folder, const QString& filter,
                           const QString& default_suffix) = 0;
  // A plain message box.
  virtual void Message(const QString& text) = 0;
  // An error box: a command that failed, with the failure's text.
  virtual void Error(const QString& text) = 0;
  // A question with the information icon and the buttons Yes, No and Cancel.
  virtual Answer Question(const QString& text) = 0;
  // An input box; Cancel gives the default.
  virtual QString InputBox(const QString& title, const QString& prompt,
                           const QString& default_value) = 0;
  // Runs the model settings dialog: true when it was accepted (OK).
  virtual bool EditModelSettings(ModelSettingsDialog& dialog) = 0;
  // Runs the fit dialog: true when the fit ended with its results.
  virtual bool RunFit(FitModelDialog& dialog) = 0;
  // Runs the experiment dialog: true when the session is to start.
  virtual bool EditExperiment(ExperimentDialog& dialog) = 0;
  // Runs the weights search dialog until the user closes it.
  virtual void RunFitWeights(FitWeightsDialog& dialog) = 0;

  void ShowMessage(std::string_view text) override;
};

// The input box of QtDialogs, not yet shown: wide enough that the title bar shows its whole
// title beside the window manager's buttons.
std::unique_ptr<QInputDialog> NewInputBox(QWidget* parent, const QString& title, const QString& prompt,
                                          const QString& default_value);

// The real boxes, each over the window given (none: centred on the screen).
class QtDialogs : public Dialogs {
 public:
  void SetParentWindow(QWidget* parent) { parent_ = parent; }

  QString OpenFile(const QString& title, const QString& folder, const QString& filter) override;
  QStringList OpenFiles(const QString& title, const QString& folder, const QString& filter) override;
  QString SaveFile(const QString& folder, const QString& filter,
                   const QString& default_suffix) override;
  void Message(const QString& text) override;
  void Error(const QString& text) override;
  Answer Question(const QString& text) override;
  QString InputBox(const QString& title, const QString& prompt,
                   const QString& default_value) override;
  bool EditModelSettings(ModelSettingsDialog& dialog) override;
  bool RunFit(FitModelDialog& dialog) override;
  bool EditExperiment(ExperimentDialog& dialog) override;
  void RunFitWeights(FitWeightsDialog& dialog) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace bruso
