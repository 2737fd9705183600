// Saves pictures of the windows for a developer to look at: ui_screenshots FOLDER [help.html]
// (with a help page: that page in the help window, screenful by screenful).
// Runs offscreen unless a display is given.
#include <cstdio>

#include <QApplication>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "support/window_fixture.h"
#include "session/model_settings.h"
#include "ui/application.h"
#include "ui/fit_model_dialog.h"
#include "ui/fit_weights_dialog.h"
#include "ui/window_geometry.h"
#include "ui/model_settings_dialog.h"
#include "ui/text_conversion.h"

using namespace bruso;

namespace {

bool OnADisplay() { return QGuiApplication::platformName() == QStringLiteral("xcb"); }

// The whole screen as ImageMagick's `import` takes it from the display: the window as the
// display shows it, with the room the screen has.
void SaveScreen(const QString& folder, const char* name) {
  if (!OnADisplay()) return;
  for (int pass = 0; pass < 5; ++pass) QApplication::processEvents(QEventLoop::AllEvents, 20);
  QProcess::execute(QStringLiteral("import"), {"-window", "root", folder + "/screen_" + name});
}

void Save(QWidget* window, const QString& folder, const char* name) {
  // Shown as the program shows it: on a small screen no larger than the screen.
  if (!window->isVisible()) FitOnScreen(window, window->size());
  window->show();
  window->raise();
  QApplication::processEvents();
  const QString path = folder + "/" + name;
  window->grab().save(path);
  SaveScreen(folder, name);
  std::printf("%s\n", path.toLocal8Bit().constData());
}

void FillState(TForm1& form) {
  SharedState& state = form.State();
  state.MoveString = "CUNP";
  state.view.selectionStart = 2;
  state.view.selectionLength = 1;
  state.view.handText = "4H 4C 3H 3C 2H 2C";
  state.view.handNumber = "12";
  state.view.firstMoveCaption = "NK first move";
  state.view.handFirstMoveCaption = "NK first move";
  state.view.moveLines = {"CUNPT", "UUTNC", "PNTCUNQ"};
  state.view.frameMarked = {false, true, false, true, false, false};
  state.view.highlightedRole = RoleNK;
  state.view.passCaption = "Passo";
  state.io.AddLine(" Top ");
  form.ShowState();
}

// Opens a one-hand shoe through the File menu and plays U, U, C by clicking the cards:
// the last move (NK takes C) is marked.
void PlayAHand(testing::WindowFixture& window) {
  const auto shoe = window.start.path() / "shoe.txt";
  testing::WriteFile(shoe, "2H 3C 4C 4H 3H 2C CK\nsolving line\nUUCCT\n");
  window.dialogs.QueueFile(PathToQString(shoe));
  TForm1& form = *window.form;
  form.ApriUno->trigger();
  for (CardImage* card : {form.Image5, form.Image5, form.Image4, form.Image4}) emit card->clicked();
  form.BitBtn4->click();  // "<": the cursor on the third move
}

// Opens a shoe whose first hand is NK's: NK is lit and to move. One click on UP: NK swaps
// its card with the one there, NK's frame and UP's are marked, CK is lit.
void OpenAnNKHand(testing::WindowFixture& window, const QString& folder) {
  const auto shoe = window.start.path() / "nk_shoe.txt";
  testing::WriteFile(shoe, "2C 4H 4C 3C 2H 3H NK\nsolving line\nTNCT\nUNCCCTNNTT\n");
  window.dialogs.QueueFile(PathToQString(shoe));
  TForm1& form = *window.form;
  form.ApriUno->trigger();
  Save(&form, folder, "main_nk_first_open.png");
  emit form.Image5->clicked();
  Save(&form, folder, "main_nk_first_click.png");
}

// Model settings that differ from the start, and the dialog that shows them.
void ChangeTheModel(TForm1& form, const QString& folder) {
  ModelSettings settings = CurrentModelSettings(form.State());
  settings.ConflictMode = 1;
  settings.ProbTable[5] = 0.8;
  settings.Seed = 42;
  settings.SameSeedEveryRun = true;
  ApplyModelSettings(form.State(), settings);
  ModelSettingsDialog dialog(settings, &form);
  Save(&dialog, folder, "model_settings.png");
  form.State().LastRunSeed = 42;
  form.ShowState();
  Save(&form, folder, "main_model_status.png");
  // Fitted settings: every probability and the lapse rate with many digits.
  for (int k = 1; k <= 10; ++k) settings.ProbTable[k] = 1.0 / (k + 2);
  settings.LapseRate = 0.0123456789;
  ApplyModelSettings(form.State(), settings);
  form.ShowState();
  Save(&form, folder, "main_model_status_long.png");
  const auto box = NewInputBox(&form, QStringLiteral("Iteration Number"), QStringLiteral("Iteration Number"),
                               QStringLiteral("1"));
  Save(box.get(), folder, "iteration_number.png");
}

// The help window once per screenful of its page, from the top (and the whole screen too,
// on a display).
void SaveHelpPages(TFormHelp& help, const QString& folder) {
  constexpr int Overlap = 40;  // pixels shown again at the top of the next picture
  help.show();
  QApplication::processEvents();
  QScrollBar* bar = help.WebBrowser1->verticalScrollBar();
  for (int page = 1;; ++page) {
    bar->setValue((page - 1) * (bar->pageStep() - Overlap));
    const QString name = QStringLiteral("help_page_%1.png").arg(page, 2, 10, QChar('0'));
    Save(&help, folder, name.toLatin1().constData());
    if (bar->value() >= bar->maximum()) break;
  }
}

// The statistics window after each batch and a fit, on the large example shoe.
void ShowStatistics(testing::WindowFixture& window, const QString& folder) {
  const std::filesystem::path examples(BRUSO_EXAMPLES_DIR);
  TForm1& form = *window.form;
  window.dialogs.QueueFile(PathToQString(examples / "large_shoe.txt"));
  form.ApriUno->trigger();
  form.automatic1->trigger();
  StatisticsWindow& statistics = *form.FormStatistics;
  Save(&statistics, folder, "statistics_classify.png");
  for (const char* rules : {"rules_ck.txt", "rules_nk.txt"}) window.dialogs.QueueFile(PathToQString(examples / rules));
  form.ArtificialPlayer1->trigger();
  form.LoadRulesNK1->trigger();
  window.dialogs.QueueInput(QStringLiteral("20"));
  form.Players1->trigger();
  Save(&statistics, folder, "statistics_play.png");
  statistics.Tabs->setCurrentIndex(2);
  Save(&statistics, folder, "statistics_hands.png");
  window.dialogs.QueueFit([&](FitModelDialog& dialog) {
    dialog.show();
    dialog.StartFit();
    QApplication::processEvents(QEventLoop::AllEvents, 300);
    Save(&dialog, folder, "fit_dialog.png");
    while (dialog.Running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  });
  form.FitModel1->trigger();
  Save(&statistics, folder, "statistics_fit.png");
  window.dialogs.QueueFitWeights([&](FitWeightsDialog& dialog) {
    dialog.show();
    dialog.StartSearch();
    QApplication::processEvents(QEventLoop::AllEvents, 300);
    Save(&dialog, folder, "fit_weights_running.png");
    while (dialog.Running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    // The help page's picture: names as a researcher's files would be named.
    dialog.OutCK->setText(QStringLiteral("/home/researcher/study/rules_ck_fitted.txt"));
    dialog.OutNK->setText(QStringLiteral("/home/researcher/study/rules_nk_fitted.txt"));
    Save(&dialog, folder, "fit_weights_done.png");
  });
  form.FitWeights1->trigger();
  statistics.hide();
}

// The progress box of Classify All Hands, shown at once here, pictured and then cancelled.
void ShowClassifyProgress(TForm1& form, const QString& folder) {
  form.ClassifyProgressTiming = {.showAfter = std::chrono::milliseconds(0), .updateEvery = std::chrono::milliseconds(0)};
  auto* timer = new QTimer;
  auto ticks = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [=] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || ++*ticks < 30) return;
    timer->stop();
    Save(box, folder, "classify_progress.png");
    for (QPushButton* button : box->findChildren<QPushButton*>()) button->click();
    timer->deleteLater();
  });
  timer->start(0);
  form.automatic1->trigger();
  form.ClassifyProgressTiming = {};
  form.Form3->hide();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ui_screenshots FOLDER [help.html]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  SetUpApplication();
  const QString folder = QString::fromLocal8Bit(argv[1]);

  testing::WindowFixture window;
  TForm1& form = *window.form;
  Save(&form, folder, "main_vertical.png");
  form.stLayout->trigger();
  Save(&form, folder, "main_horizontal.png");
  form.stLayout->trigger();
  FillState(form);
  Save(&form, folder, "main_marked.png");
  PlayAHand(window);
  Save(&form, folder, "main_played.png");
  OpenAnNKHand(window, folder);
  ChangeTheModel(form, folder);
  ShowStatistics(window, folder);
  ShowClassifyProgress(form, folder);
  Save(&form, folder, "main_with_shoe.png");

  // Move strings of many lengths, so that the column after the tab shows whether it lines up.
  for (int k = 0; k < 40; ++k) {
    form.State().io.OutputLine(std::string(1 + k * 7 % 40, "CUNTP"[k % 5]) + "\t3C 4C 2H " + std::to_string(k));
  }
  form.ShowState();
  Save(form.Form3.get(), folder, "output_window.png");
  form.Form3->hide();
  form.ShowRules1->trigger();
  Save(form.Form4.get(), folder, "rules_window.png");
  form.Form4->hide();
  Save(form.Form2.get(), folder, "about_box.png");
  form.Form2->hide();
  if (argc > 2) {
    const std::filesystem::path page(argv[2]);
    std::filesystem::copy_file(page, window.start.path() / HelpPageName);
    for (const char* name : {"help_statistics.png", "help_fit_weights.png"}) {
      const std::filesystem::path picture = page.parent_path() / name;
      if (std::filesystem::exists(picture)) std::filesystem::copy_file(picture, window.start.path() / name);
    }
    form.FormHelp->LoadHelpPage(window.start.path(), 0);
  }
  Save(form.FormHelp.get(), folder, "help_window.png");
  if (argc > 2) SaveHelpPages(*form.FormHelp, folder);
  return 0;
}
