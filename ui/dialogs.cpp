#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "ui/experiment_dialog.h"
#include "ui/fit_model_dialog.h"
#include "ui/fit_weights_dialog.h"
#include "ui/model_settings_dialog.h"
#include "ui/text_conversion.h"

namespace bruso {

void Dialogs::ShowMessage(std::string_view text) { Message(ToQString(text)); }

QString QtDialogs::OpenFile(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QStringList QtDialogs::OpenFiles(const QString& title, const QString& folder, const QString& filter) {
  return QFileDialog::getOpenFileNames(parent_, title, folder, filter);
}

QString QtDialogs::SaveFile(const QString& folder, const QString& filter,
                            const QString& default_suffix) {
  QFileDialog dialog(parent_, QString(), folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(default_suffix);
  // The chosen file is replaced without asking, as the save command always did.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

void QtDialogs::Message(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                  parent_);
  box.exec();
}

void QtDialogs::Error(const QString& text) {
  QMessageBox::critical(parent_, QApplication::applicationName(), text);
}

Dialogs::Answer QtDialogs::Question(const QString& text) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

std::unique_ptr<QInputDialog> NewInputBox(QWidget* parent, const QString& title, const QString& prompt,
                                          const QString& default_value) {
  // Room for the title in a bold title-bar font and for the icon and the buttons beside it.
  constexpr int TitleBarButtons = 160;
  auto box = std::make_unique<QInputDialog>(parent);
  box->setWindowTitle(title);
  box->setLabelText(prompt);
  box->setTextValue(default_value);
  QFont title_font = box->font();
  title_font.setBold(true);
  // The box keeps to the size its layout asks for, so the text field asks for the width.
  if (auto* field = box->findChild<QLineEdit*>()) {
    field->setMinimumWidth(QFontMetrics(title_font).horizontalAdvance(title) + TitleBarButtons);
  }
  return box;
}

QString QtDialogs::InputBox(const QString& title, const QString& prompt,
                            const QString& default_value) {
  const std::unique_ptr<QInputDialog> box = NewInputBox(parent_, title, prompt, default_value);
  return box->exec() == QDialog::Accepted ? box->textValue() : default_value;
}

bool QtDialogs::EditModelSettings(ModelSettingsDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool QtDialogs::RunFit(FitModelDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool QtDialogs::EditExperiment(ExperimentDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void QtDialogs::RunFitWeights(FitWeightsDialog& dialog) { dialog.exec(); }

}  // namespace bruso
