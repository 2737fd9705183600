#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTest>

#include "session/classify_commands.h"
#include "session/model_settings.h"
#include "support/window_reading.h"
#include "tools/tool_runner.h"
#include "ui/model_settings_dialog.h"

namespace bruso {
namespace {

using testing::Example;
using testing::JoinLines;
using testing::OpenShoe;
using testing::ReadFile;
using testing::RunTool;
using testing::WindowFixture;

// What one batch command of the window wrote: the part of Amik.txt it added (the file is
// open for the whole run), the output window, and the memo (which holds the last run's
// lines only).
struct RunOutput {
  std::string amik;
  QStringList output;
  QStringList memo;
};

class SettingsWindow {
 public:
  SettingsWindow() { OpenShoe(window, Example("small_shoe.txt")); }

  TForm1& form() { return *window.form; }

  // Opens "Model Settings..." and lets the script play the user.
  void Settings(ScriptedDialogs::DialogScript script) {
    window.dialogs.QueueModelSettings(std::move(script));
    form().ModelSettings1->trigger();
  }

  RunOutput Classify() {
    const std::size_t amik_before = ReadFile(Amik()).size();
    form().automatic1->trigger();
    RunOutput run{ReadFile(Amik()).substr(amik_before), form().Form3->Memo1->Lines(), form().Memo1->Lines()};
    return run;
  }

  QString StatusLine() { return form().ModelStatus->text(); }
  std::filesystem::path Amik() const { return window.OutputFolder() / "Amik.txt"; }

  WindowFixture window;
};

// The user types a seed (which keeps it for every run) and presses OK.
void TypeSeed(ModelSettingsDialog& dialog, const char* seed) {
  dialog.SeedEdit->clear();
  QTest::keyClicks(dialog.SeedEdit, QString::fromLatin1(seed));
}

// The seed shown in the status bar: "seed N" at its end.
std::string ShownSeed(const QString& line) {
  const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("seed (\\d+)$")).match(line);
  return match.hasMatch() ? match.captured(1).toStdString() : "none";
}

std::vector<std::string> Bytes(const QStringList& lines) {
  std::vector<std::string> bytes;
  for (const QString& line : lines) bytes.push_back(ToBytes(line));
  return bytes;
}

// The summary of a classify run from its agreement line on.
std::string AgreementLines(const std::string& summary) {
  const std::size_t from = summary.find("  agreement:");
  return from == std::string::npos ? "none" : summary.substr(from);
}

bool HasTraceWords(const QStringList& lines) {
  return lines.filter(QStringLiteral("looks for")).size() > 0;
}

// The replay does not depend on the model: Amik.txt and the output window hold the same
// paths whatever the settings. What the model thinks shows in the memo's trace words.
TEST(ModelSettingsDialog, ChangesTheNextClassifyCancelKeepsItAndDefaultsRestoreIt) {
  SettingsWindow window;
  window.Settings([](ModelSettingsDialog& dialog) {
    TypeSeed(dialog, "5");
    EXPECT_TRUE(dialog.SameSeedBox->isChecked());
    testing::Click(dialog.OkButton);
  });
  EXPECT_EQ(window.StatusLine(), QString::fromUtf8("model: same seed every run \u00b7 next run: seed 5"));
  const RunOutput start = window.Classify();
  EXPECT_EQ(window.StatusLine(), QString::fromUtf8("model: same seed every run \u00b7 seed 5"));
  EXPECT_FALSE(HasTraceWords(start.memo));

  window.Settings([](ModelSettingsDialog& dialog) {
    dialog.TracingBox->setChecked(true);
    testing::Click(dialog.OkButton);
  });
  const RunOutput traced = window.Classify();
  EXPECT_TRUE(HasTraceWords(traced.memo));

  window.Settings([](ModelSettingsDialog& dialog) {
    dialog.ConflictBox->setChecked(true);
    dialog.AltruismBox->setChecked(true);
    for (QDoubleSpinBox* p : dialog.ProbBoxes) p->setValue(1);
    dialog.ProbBoxes[4]->setValue(0.8);
    testing::Click(dialog.OkButton);
  });
  EXPECT_EQ(window.StatusLine(),
            QString::fromUtf8("model: conflict 1, altruism 1, P1=1, P2=1, P3=1, P4=1, P5=0.8, P6=1, P7=1, P8=1, P9=1, "
                              "P10=1, trace, same seed every run \u00b7 seed 5"));
  const RunOutput changed = window.Classify();
  EXPECT_NE(changed.memo, traced.memo);
  EXPECT_EQ(changed.amik, start.amik);

  window.Settings([](ModelSettingsDialog& dialog) {
    dialog.AltruismBox->setChecked(false);
    dialog.ProbBoxes[0]->setValue(0);
    TypeSeed(dialog, "99999999999999999999");  // past the largest seed
    EXPECT_FALSE(dialog.OkButton->isEnabled());
    testing::Click(dialog.CancelButton);
  });
  const RunOutput cancelled = window.Classify();
  EXPECT_EQ(cancelled.memo, changed.memo);
  EXPECT_EQ(ShownSeed(window.StatusLine()), "5");

  window.Settings([](ModelSettingsDialog& dialog) {
    testing::Click(dialog.DefaultsButton);
    EXPECT_EQ(dialog.SeedEdit->text(), "5");  // the seed stays as shown
    EXPECT_EQ(dialog.LapseBox->value(), DefaultLapseRate);
    dialog.LapseBox->setValue(0);  // kept above 0
    EXPECT_GT(dialog.LapseBox->value(), 0);
    dialog.LapseBox->setValue(DefaultLapseRate);
    testing::Click(dialog.OkButton);
  });
  EXPECT_EQ(window.StatusLine(), QString::fromUtf8("seed 5"));
  const RunOutput restored = window.Classify();
  EXPECT_EQ(restored.amik, start.amik);
  EXPECT_EQ(restored.output, start.output);
  EXPECT_EQ(restored.memo, start.memo);
  EXPECT_EQ(window.window.dialogs.Messages().count(QString::fromLatin1(ClassifiedMessage)), 5);
}

TEST(ModelSettingsDialog, AClassifyRunRepeatsWithTheToolForItsSeedAndSettings) {
  SettingsWindow window;
  window.Settings([](ModelSettingsDialog& dialog) {
    dialog.ConflictBox->setChecked(true);
    dialog.AltruismBox->setChecked(true);
    dialog.TracingBox->setChecked(true);
    dialog.ProbBoxes[2]->setValue(0.25);
    dialog.ProbBoxes[7]->setValue(0.9);
    testing::Click(dialog.OkButton);
  });
  const RunOutput run = window.Classify();
  const std::string seed = ShownSeed(window.StatusLine());
  ASSERT_NE(seed, "none") << window.StatusLine().toStdString();

  const auto folder = window.window.start.path();
  const std::string classify = "classify '" + Example("small_shoe.txt").toStdString() +
                               "' --out results --memo memo.txt --seed " + seed;
  ASSERT_EQ(RunTool(folder, classify + " --conflict-mode 1 --altruism 1 --trace"
                                       " --prob 0.5,0.5,0.25,0.5,0.5,0.5,0.5,0.9,0.5,0.5"),
            0);
  EXPECT_EQ(ReadFile(folder / "results" / "Amik.txt"), run.amik);
  EXPECT_EQ(ReadFile(folder / "stdout.txt"), JoinLines(Bytes(run.output)));
  EXPECT_EQ(ReadFile(folder / "memo.txt"), JoinLines(Bytes(run.memo)));
  // The settings are what the agreement with the players depends on.
  const std::string agreement = AgreementLines(ReadFile(folder / "stderr.txt"));
  ASSERT_EQ(RunTool(folder, classify), 0);
  EXPECT_NE(AgreementLines(ReadFile(folder / "stderr.txt")), agreement);

  // Without a seed kept for every run, the next run gets a new one, and shows it.
  window.Classify();
  EXPECT_NE(ShownSeed(window.StatusLine()), seed);
}

TEST(ModelSettingsDialog, APlayAllRunRepeatsWithTheToolForTheSeedShown) {
  SettingsWindow window;
  window.form().BitBtn3->click();  // one artificial move: the generator has drawn
  window.form().Players1->trigger();  // refused without rules: no run, no seed used
  EXPECT_EQ(window.StatusLine(), "next run: seed 1");
  const auto folder = window.window.start.path();
  for (const char* rules : {"rules_ck.txt", "rules_nk.txt"}) window.window.dialogs.QueueFile(Example(rules));
  window.form().ArtificialPlayer1->trigger();
  window.form().LoadRulesNK1->trigger();
  window.window.dialogs.QueueInput(QStringLiteral("3"));
  window.form().Players1->trigger();
  const std::string seed = ShownSeed(window.StatusLine());
  const std::string automa = ReadFile(window.window.OutputFolder() / "Automa.txt");

  const auto example = [](const char* name) { return "'" + Example(name).toStdString() + "'"; };
  ASSERT_EQ(RunTool(folder, "play " + example("small_shoe.txt") + " --ck " + example("rules_ck.txt") + " --nk " +
                                example("rules_nk.txt") + " --iterations 3 --out results --seed " + seed),
            0);
  EXPECT_EQ(ReadFile(folder / "results" / "Automa.txt"), automa);
  EXPECT_NE(automa.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace bruso
