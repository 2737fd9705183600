// Saves pictures of an experiment session for a developer to look at:
// experiment_screenshots FOLDER. On a display (xvfb-run) also the whole screen, as
// ImageMagick's `import` takes it, to see the window at the screen's size.
#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include "support/window_fixture.h"
#include "ui/application.h"
#include "ui/experiment_dialog.h"
#include "ui/experiment_runner.h"
#include "ui/text_conversion.h"

using namespace bruso;

namespace {

QString folder;

void Save(QWidget* window, const char* name) {
  window->show();
  QApplication::processEvents(QEventLoop::AllEvents, 100);
  const QString path = folder + "/" + name;
  window->grab().save(path);
  std::printf("%s\n", path.toLocal8Bit().constData());
  if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
    QProcess::execute(QStringLiteral("import"), {"-window", "root", folder + "/screen_" + name});
  }
}

void WaitForPerson(ExperimentRunner& runner) {
  QElapsedTimer waited;
  waited.start();
  while (!runner.NextHandButton->isEnabled() && !runner.TurnLabel->text().contains(QStringLiteral("your turn")) &&
         waited.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: experiment_screenshots FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  SetUpApplication();
  folder = QString::fromLocal8Bit(argv[1]);

  testing::WindowFixture window;
  TForm1& form = *window.form;
  const auto shoe = window.start.path() / "shoe.txt";
  testing::WriteFile(shoe, "2H 3C 4C 4H 3H 2C CK\nfirst\nCPT\n3C 2H 4C 4H 3H 2C CK\nfirst\n");
  window.dialogs.QueueFile(PathToQString(shoe));
  form.ApriUno->trigger();
  window.dialogs.QueueFile(PathToQString(std::filesystem::path(BRUSO_EXAMPLES_DIR) / "rules_nk.txt"));
  form.LoadRulesNK1->trigger();
  form.show();

  window.dialogs.QueueExperiment([&](ExperimentDialog& dialog) {
    dialog.ParticipantEdit->setText(QStringLiteral("P07"));
    dialog.ConditionEdit->setText(QStringLiteral("pilot"));
    dialog.ShuffledOrderButton->setChecked(true);
    dialog.SeedEdit->setText(QStringLiteral("42"));
    dialog.RecordEdit->setText(PathToQString(window.start.path() / "p07.txt"));
    dialog.PauseBox->setValue(0);
    Save(&dialog, "experiment_dialog.png");
    dialog.ParticipantEdit->setText(QStringLiteral("P2H"));
    dialog.OkButton->click();
    Save(&dialog, "experiment_dialog_refused.png");
    dialog.ParticipantEdit->setText(QStringLiteral("P07"));
    dialog.OkButton->click();
    dialog.hide();
  });
  form.RunExperiment1->trigger();
  auto* runner = form.findChild<ExperimentRunner*>();
  if (runner == nullptr) return 1;
  Save(&form, "experiment_start.png");
  emit form.Image4->clicked();
  WaitForPerson(*runner);
  Save(&form, "experiment_partner_moved.png");
  while (!runner->NextHandButton->isEnabled()) {
    emit form.Image2->clicked();
    WaitForPerson(*runner);
    if (!runner->NextHandButton->isEnabled()) emit form.Image4->clicked();
    WaitForPerson(*runner);
  }
  Save(&form, "experiment_hand_over.png");
  runner->NextHandButton->click();
  while (!runner->NextHandButton->isEnabled()) {
    emit form.Image2->clicked();
    WaitForPerson(*runner);
  }
  runner->NextHandButton->click();  // "Finish"
  Save(&form, "experiment_ended.png");
  Save(form.FormStatistics.get(), "experiment_response_times.png");
  window.dialogs.QueueAnswer(Dialogs::Answer::Yes);
  return 0;
}
