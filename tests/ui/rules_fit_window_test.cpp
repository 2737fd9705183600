// The loaded rules files fitted in the window, against bruso-batch fit --rules and
// fit-weights for the same files.
#include <gtest/gtest.h>

#include <sstream>

#include <QCoreApplication>

#include "support/window_reading.h"
#include "tools/tool_runner.h"
#include "ui/fit_model_dialog.h"
#include "ui/fit_weights_dialog.h"

namespace bruso {
namespace {

using testing::Example;
using testing::ReadFile;
using testing::RunTool;
using testing::WindowFixture;

std::string Quoted(const char* example) { return "'" + Example(example).toStdString() + "'"; }

template <class Dialog>
void WaitFor(Dialog& dialog) {
  while (dialog.Running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  QCoreApplication::processEvents();  // the end of the work reaches the dialog
}

// The lines of a saved table without its first column (the shoe).
std::string WithoutFirstColumn(const std::string& csv) {
  std::istringstream lines(csv);
  std::string kept;
  for (std::string line; std::getline(lines, line);) kept += line.substr(line.find(',') + 1) + "\n";
  return kept;
}

class RulesFitWindow : public ::testing::Test {
 protected:
  explicit RulesFitWindow(const char* shoe = "small_shoe.txt") {
    testing::OpenShoe(window, Example(shoe));
    testing::LoadExampleRules(window);
  }

  TForm1& form() { return *window.form; }
  std::filesystem::path folder() const { return window.start.path(); }

  WindowFixture window;
};

TEST_F(RulesFitWindow, TheFitTabHasARowForTheLoadedRulesAsFitRulesPrintsIt) {
  window.dialogs.QueueFit([](FitModelDialog& dialog) {
    dialog.Variants->setCurrentIndex(1);  // conflict mode 0, altruism 0
    dialog.StartFit();
    WaitFor(dialog);
  });
  form().FitModel1->trigger();
  const QTableWidget& table = *form().FormStatistics->FitTable;
  ASSERT_EQ(table.columnCount(), 3) << "the variant, the rule player and the uniform player";
  EXPECT_EQ(table.item(0, 1)->text(), "rules: rules_ck.txt, rules_nk.txt");

  ASSERT_EQ(RunTool(folder(), "fit " + Quoted("small_shoe.txt") + " --conflict-mode 0 --altruism 0 --rules " +
                                  Quoted("rules_ck.txt") + "," + Quoted("rules_nk.txt") + " --csv fit.csv"),
            0);
  window.dialogs.QueueFile(PathToQString(folder() / "saved.png"));
  form().FormStatistics->SaveStatistics->trigger();
  EXPECT_EQ(WithoutFirstColumn(ReadFile(folder() / "saved-fit.csv")), ReadFile(folder() / "fit.csv"));
  // Which row has the lowest AIC is said in words; only a variant's settings can be used.
  EXPECT_TRUE(form().FormStatistics->BestVariant->text().startsWith("Lowest AIC: "));
}

TEST_F(RulesFitWindow, FitWeightsFindsAndWritesWhatFitWeightsDoes) {
  const std::string out_ck = (folder() / "ck_fitted.txt").string();
  const std::string out_nk = (folder() / "nk_fitted.txt").string();
  QString report;
  window.dialogs.QueueFitWeights([&](FitWeightsDialog& dialog) {
    EXPECT_FALSE(dialog.SaveButton->isEnabled()) << "nothing to save before a search";
    dialog.HighWeight->setValue(4);
    dialog.StartSearch();
    WaitFor(dialog);
    report = dialog.Report->toPlainText();
    dialog.OutCK->setText(QString::fromStdString(out_ck));
    dialog.OutNK->setText(QString::fromStdString(out_nk));
    testing::Click(dialog.SaveButton);
  });
  form().FitWeights1->trigger();
  ASSERT_EQ(RunTool(folder(), "fit-weights " + Quoted("small_shoe.txt") + " --ck " + Quoted("rules_ck.txt") +
                                  " --nk " + Quoted("rules_nk.txt") + " --range 0,4 --out-ck tool_ck.txt "
                                  "--out-nk tool_nk.txt"),
            0);
  EXPECT_EQ(report.toStdString(), ReadFile(folder() / "stdout.txt"));
  EXPECT_EQ(ReadFile(out_ck), ReadFile(folder() / "tool_ck.txt"));
  EXPECT_EQ(ReadFile(out_nk), ReadFile(folder() / "tool_nk.txt"));
  EXPECT_TRUE(window.dialogs.Messages().back().startsWith("Fitted rules written to ck_fitted.txt and nk_fitted.txt"));

  // A fitted file may not replace the files the search read.
  window.dialogs.QueueFitWeights([&](FitWeightsDialog& dialog) {
    dialog.StartSearch();
    WaitFor(dialog);
    dialog.OutCK->setText(Example("rules_ck.txt"));
    EXPECT_FALSE(dialog.SaveClick());
  });
  form().FitWeights1->trigger();
  EXPECT_TRUE(window.dialogs.Messages().back().contains("would overwrite")) << window.dialogs.Messages().back().toStdString();
}

TEST_F(RulesFitWindow, FitWeightsCanBeCancelled) {
  testing::OpenShoe(window, Example("large_shoe.txt"));
  window.dialogs.QueueFitWeights([](FitWeightsDialog& dialog) {
    dialog.StartSearch();
    testing::Click(dialog.CloseButton);  // Cancel while it runs
    WaitFor(dialog);
    EXPECT_FALSE(dialog.HasResult());
    EXPECT_FALSE(dialog.SaveButton->isEnabled());
    EXPECT_TRUE(dialog.Status->text().contains("cancelled")) << dialog.Status->text().toStdString();
    EXPECT_TRUE(dialog.FitButton->isEnabled()) << "it can be started again";
  });
  form().FitWeights1->trigger();
}

}  // namespace
}  // namespace bruso
