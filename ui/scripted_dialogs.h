#pragma once

#include <deque>
#include <functional>
#include <vector>

#include <QStringList>

#include "ui/dialogs.h"

namespace bruso {

// Dialogs for tests: answers are queued by the test beforehand, and every question asked
// is recorded. A question without a queued answer is cancelled and counted.
class ScriptedDialogs : public Dialogs {
 public:
  enum class Kind {
    OpenFile, SaveFile, Message, Error, Question, InputBox, ModelSettings, Fit, Experiment, FitWeights
  };
  struct Asked {
    Kind kind;
    QString text;         // the message, question or title; the folder for file dialogs
    QStringList details;  // filter and suffix, or prompt and default
    QString title = {};   // the title of a file-open dialog
    bool busy = false;    // the hourglass was on when it was asked
  };

  // The file a file dialog returns; an empty name cancels it. For a dialog of several files,
  // their names one a line.
  void QueueFile(const QString& name) { files_.push_back(name); }
  void QueueAnswer(Answer answer) { answers_.push_back(answer); }
  void QueueInput(const QString& text) { inputs_.push_back(text); }
  // What the user does in the model settings dialog: the script sets its fields and clicks
  // its buttons, OK or Cancel among them (a script that clicks neither cancels).
  using DialogScript = std::function<void(ModelSettingsDialog&)>;
  void QueueModelSettings(DialogScript script) { settingsScripts_.push_back(std::move(script)); }
  // The same for the fit dialog: the script starts the fit, waits, or cancels it.
  using FitScript = std::function<void(FitModelDialog&)>;
  void QueueFit(FitScript script) { fitScripts_.push_back(std::move(script)); }
  // The same for the experiment dialog: the script fills its fields and clicks Start.
  using ExperimentScript = std::function<void(ExperimentDialog&)>;
  void QueueExperiment(ExperimentScript script) { experimentScripts_.push_back(std::move(script)); }
  // The same for the weights search dialog: the script starts the search, waits, saves.
  using FitWeightsScript = std::function<void(FitWeightsDialog&)>;
  void QueueFitWeights(FitWeightsScript script) { fitWeightsScripts_.push_back(std::move(script)); }

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

  // The texts of every message and error box, in order.
  QStringList Messages() const;

  std::vector<Asked> asked;
  int unanswered = 0;

 private:
  void Record(Kind kind, const QString& text, const QStringList& details = {}, const QString& title = {});
  QString NextFile();
  // Runs the next queued script on the dialog; without one the dialog is cancelled.
  template <class Dialog>
  bool RunScript(std::deque<std::function<void(Dialog&)>>& scripts, Dialog& dialog, Kind kind);

  std::deque<QString> files_;
  std::deque<Answer> answers_;
  std::deque<QString> inputs_;
  std::deque<DialogScript> settingsScripts_;
  std::deque<FitScript> fitScripts_;
  std::deque<ExperimentScript> experimentScripts_;
  std::deque<FitWeightsScript> fitWeightsScripts_;
};

}  // namespace bruso
