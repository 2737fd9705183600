#include "ui/scripted_dialogs.h"

#include <QApplication>

#include "ui/experiment_dialog.h"
#include "ui/fit_model_dialog.h"
#include "ui/fit_weights_dialog.h"
#include "ui/model_settings_dialog.h"

namespace bruso {

void ScriptedDialogs::Record(Kind kind, const QString& text, const QStringList& details, const QString& title) {
  asked.push_back({kind, text, details, title, QApplication::overrideCursor() != nullptr});
}

QString ScriptedDialogs::NextFile() {
  if (files_.empty()) {
    ++unanswered;
    return QString();
  }
  QString name = files_.front();
  files_.pop_front();
  return name;
}

QString ScriptedDialogs::OpenFile(const QString& title, const QString& folder, const QString& filter) {
  Record(Kind::OpenFile, folder, {filter}, title);
  return NextFile();
}

QStringList ScriptedDialogs::OpenFiles(const QString& title, const QString& folder, const QString& filter) {
  Record(Kind::OpenFile, folder, {filter}, title);
  return NextFile().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString ScriptedDialogs::SaveFile(const QString& folder, const QString& filter,
                                  const QString& default_suffix) {
  Record(Kind::SaveFile, folder, {filter, default_suffix});
  return NextFile();
}

void ScriptedDialogs::Message(const QString& text) { Record(Kind::Message, text); }

void ScriptedDialogs::Error(const QString& text) { Record(Kind::Error, text); }

Dialogs::Answer ScriptedDialogs::Question(const QString& text) {
  Record(Kind::Question, text);
  if (answers_.empty()) {
    ++unanswered;
    return Answer::Cancel;
  }
  Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

QString ScriptedDialogs::InputBox(const QString& title, const QString& prompt,
                                  const QString& default_value) {
  Record(Kind::InputBox, title, {prompt, default_value});
  if (inputs_.empty()) {
    ++unanswered;
    return default_value;
  }
  QString text = inputs_.front();
  inputs_.pop_front();
  return text;
}

template <class Dialog>
bool ScriptedDialogs::RunScript(std::deque<std::function<void(Dialog&)>>& scripts, Dialog& dialog, Kind kind) {
  Record(kind, dialog.windowTitle());
  if (scripts.empty()) {
    ++unanswered;
    return false;
  }
  std::function<void(Dialog&)> script = std::move(scripts.front());
  scripts.pop_front();
  dialog.setResult(QDialog::Rejected);
  script(dialog);
  return dialog.result() == QDialog::Accepted;
}

bool ScriptedDialogs::EditModelSettings(ModelSettingsDialog& dialog) {
  return RunScript(settingsScripts_, dialog, Kind::ModelSettings);
}

bool ScriptedDialogs::RunFit(FitModelDialog& dialog) { return RunScript(fitScripts_, dialog, Kind::Fit); }

bool ScriptedDialogs::EditExperiment(ExperimentDialog& dialog) {
  return RunScript(experimentScripts_, dialog, Kind::Experiment);
}

void ScriptedDialogs::RunFitWeights(FitWeightsDialog& dialog) {
  RunScript(fitWeightsScripts_, dialog, Kind::FitWeights);
}

QStringList ScriptedDialogs::Messages() const {
  QStringList texts;
  for (const Asked& question : asked) {
    if (question.kind == Kind::Message || question.kind == Kind::Error) texts << question.text;
  }
  return texts;
}

}  // namespace bruso
