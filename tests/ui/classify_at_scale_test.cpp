// Classify All Hands on a large shoe: its progress and Cancel, and reruns that keep no more
// than one run's output.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "session/model_settings.h"
#include "support/window_reading.h"

namespace bruso {
namespace {

using testing::Example;
using testing::ReadFile;
using testing::WindowFixture;

// What a run left in every output, besides what was there before it.
struct RunOutput {
  std::string amik;  // what the run added to Amik.txt
  QStringList window;  // the output window's lines
  QStringList memo;    // the main window's output line
};

class ClassifyAtScale : public ::testing::Test {
 protected:
  ClassifyAtScale() {
    testing::OpenShoe(window, Example("large_shoe.txt"));
    // The same seed every run, so that two runs write the same lines.
    ModelSettings settings = CurrentModelSettings(form().State());
    settings.Seed = 7;
    settings.SameSeedEveryRun = true;
    ApplyModelSettings(form().State(), settings);
  }

  TForm1& form() { return *window.form; }

  RunOutput Classify() {
    const std::string before = ReadFile(window.OutputFolder() / "Amik.txt");
    form().automatic1->trigger();
    const std::string after = ReadFile(window.OutputFolder() / "Amik.txt");
    EXPECT_EQ(after.substr(0, before.size()), before);
    return {after.substr(before.size()), form().Form3->Memo1->Lines(), form().Memo1->Lines()};
  }

  WindowFixture window;
};

// Presses the progress box's Cancel once the box has let the window take events `ticks`
// times, so that the run is stopped part of the way through.
void CancelAfter(int ticks) {
  auto* timer = new QTimer;
  auto count = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, count, ticks] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || ++*count < ticks) return;
    for (QPushButton* button : box->findChildren<QPushButton*>()) {
      if (button->text() == "Cancel") button->click();
    }
    timer->deleteLater();
  });
  timer->start(0);
}

TEST_F(ClassifyAtScale, CancelStopsAfterTheLineInProgressWithWholeLinesAndARerunKeepsOneRun) {
  const RunOutput whole = Classify();
  ASSERT_EQ(window.dialogs.Messages().back(), QString::fromLatin1(ClassifiedMessage));
  const std::string hand_text = form().Edit1->text().toStdString();
  const int figure_rows = form().FormStatistics->ClassifyTable->rowCount();
  const QString figures_source = form().FormStatistics->ClassifySource->text();

  form().ClassifyProgressTiming = {.showAfter = std::chrono::milliseconds(0), .updateEvery = std::chrono::milliseconds(0)};
  CancelAfter(40);
  const RunOutput cancelled = Classify();
  const QString message = window.dialogs.Messages().back();
  EXPECT_TRUE(message.startsWith("Classify All Hands was cancelled after ")) << message.toStdString();
  EXPECT_GT(cancelled.window.size(), 0);
  EXPECT_LT(cancelled.window.size(), whole.window.size());
  // Every output holds whole lines: the first lines of a whole run.
  EXPECT_EQ(cancelled.window, whole.window.mid(0, cancelled.window.size()));
  EXPECT_EQ(cancelled.memo, whole.memo.mid(0, cancelled.memo.size()));
  ASSERT_FALSE(cancelled.amik.empty());
  EXPECT_EQ(cancelled.amik.back(), '\n');
  EXPECT_EQ(whole.amik.substr(0, cancelled.amik.size()), cancelled.amik);

  // A clear state: no box left, the window usable, the hand shown as before, and the
  // figures of the whole run kept rather than those of part of the shoe.
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(form().isEnabled());
  EXPECT_EQ(form().Edit1->text().toStdString(), hand_text);
  EXPECT_EQ(form().FormStatistics->ClassifyTable->rowCount(), figure_rows);
  EXPECT_EQ(form().FormStatistics->ClassifySource->text(), figures_source);

  // The next run goes to its end again and writes what the first did; the window keeps
  // the output of one run only, not of every run (a rerun used to keep more).
  const RunOutput again = Classify();
  EXPECT_EQ(window.dialogs.Messages().back(), QString::fromLatin1(ClassifiedMessage));
  EXPECT_EQ(again.window, whole.window);
  EXPECT_EQ(again.memo, whole.memo);
  EXPECT_EQ(again.amik, whole.amik);
  EXPECT_EQ(form().FormStatistics->Hands->rowCount(), static_cast<int>(form().State().HandList.size()));
}

}  // namespace
}  // namespace bruso
