// Pictures of the recovery, check and participants windows for a developer to look at and
// for the help page: study_screenshots FOLDER [--root]. Each window part is grabbed as the
// window draws it; with --root (under a real or virtual X display) the whole screen is
// taken too with ImageMagick's import, to see how the window sits on a screen of that size.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>
#include <QTabWidget>

#include "support/window_fixture.h"
#include "ui/application.h"
#include "ui/fit_model_dialog.h"
#include "ui/text_conversion.h"

using namespace bruso;

namespace {

QString folder;
bool root = false;

void Save(QWidget* window, const char* name) {
  window->show();
  for (int k = 0; k < 5; ++k) QApplication::processEvents(QEventLoop::AllEvents, 50);
  const QString path = folder + "/" + name;
  window->grab().save(path);
  std::printf("%s\n", path.toLocal8Bit().constData());
  if (root) {
    const QString command = QStringLiteral("import -window root '%1/root_%2'").arg(folder, QString::fromLatin1(name));
    if (std::system(command.toLocal8Bit().constData()) != 0) std::fprintf(stderr, "import failed: %s\n", name);
  }
}

// Each tab of the window's tabs in turn.
void SaveTabs(QWidget* window, std::initializer_list<const char*> names) {
  auto* tabs = window->findChild<QTabWidget*>();
  int index = 0;
  for (const char* name : names) {
    tabs->setCurrentIndex(index++);
    Save(window, name);
  }
  window->hide();
}

void WaitFor(const StudyTaskPanel& task) {
  while (task.Running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: study_screenshots FOLDER [--root]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  SetUpApplication();
  folder = QString::fromLocal8Bit(argv[1]);
  root = argc > 2 && std::strcmp(argv[2], "--root") == 0;
  const std::filesystem::path examples(BRUSO_EXAMPLES_DIR);

  testing::WindowFixture window;
  TForm1& form = *window.form;
  window.dialogs.QueueFile(PathToQString(examples / "small_shoe.txt"));
  form.ApriUno->trigger();

  form.CheckRecovery1->trigger();
  RecoveryWindow& recovery = *form.FormRecovery;
  recovery.Lines->setValue(4);
  recovery.Replicates->setValue(6);
  recovery.Seed->setText(QStringLiteral("7"));
  recovery.RunClick();
  WaitFor(*recovery.Task);
  SaveTabs(&recovery, {"recovery_parameters.png", "recovery_summary.png", "recovery_confusion.png"});

  window.dialogs.QueueFit([](FitModelDialog& dialog) {
    dialog.StartFit();
    while (dialog.Running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  });
  form.FitModel1->trigger();
  form.FormStatistics->hide();
  form.CheckFitted1->trigger();
  CheckWindow& check = *form.FormCheck;
  check.Model->setCurrentIndex(1);
  check.Seed->setText(QStringLiteral("5"));
  check.RunClick();
  WaitFor(*check.Task);
  SaveTabs(&check, {"check_charts.png", "check_table.png"});

  window.dialogs.QueueFile(PathToQString(examples / "small_shoe.txt") + "\n" +
                           PathToQString(examples / "groups_small.csv"));
  form.OpenStudy1->trigger();
  ParticipantsWindow& participants = *form.FormParticipants;
  participants.FitClick();
  WaitFor(*participants.Task);
  SaveTabs(&participants, {"participants_table.png", "participants_chart.png", "participants_group.png"});
  return 0;
}
