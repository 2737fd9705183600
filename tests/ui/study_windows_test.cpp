#include <gtest/gtest.h>

#include <QCoreApplication>
#include <sstream>

#include "engine/csv_row.h"
#include "support/window_reading.h"
#include "tools/tool_runner.h"
#include "ui/fit_model_dialog.h"
#include "ui/hand_table_model.h"

namespace bruso {
namespace {

using testing::Example;
using testing::ReadFile;
using testing::RunTool;
using testing::WindowFixture;

std::string Quoted(const char* example) { return "'" + Example(example).toStdString() + "'"; }

std::vector<std::string> Words(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields;
  EXPECT_TRUE(ReadCsvRow(line, fields)) << line;
  return fields;
}

// The cells of a table's row as shown.
std::vector<std::string> RowCells(const QTableWidget& table, int row) {
  std::vector<std::string> cells;
  for (int column = 0; column < table.columnCount(); ++column) {
    cells.push_back(table.item(row, column) ? table.item(row, column)->text().toStdString() : "");
  }
  return cells;
}

void WaitFor(const StudyTaskPanel& task) {
  while (task.Running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class StudyWindowsTest : public ::testing::Test {
 protected:
  StudyWindowsTest() { testing::OpenShoe(window, Example("small_shoe.txt")); }

  TForm1& form() { return *window.form; }
  std::filesystem::path folder() const { return window.start.path(); }

  WindowFixture window;
};

TEST_F(StudyWindowsTest, RecoveryShowsWhatRecoverPrintsForTheSameSeed) {
  form().CheckRecovery1->trigger();
  RecoveryWindow& recovery = *form().FormRecovery;
  ASSERT_TRUE(recovery.isVisible());
  recovery.Lines->setValue(2);
  recovery.Replicates->setValue(2);
  recovery.ConflictMode->setCurrentText(QStringLiteral("0"));
  recovery.Seed->setText(QStringLiteral("7"));
  recovery.RunClick();
  WaitFor(*recovery.Task);
  ASSERT_EQ(recovery.Units().size(), 4u) << recovery.Task->Status->text().toStdString();

  ASSERT_EQ(RunTool(folder(), "recover " + Quoted("small_shoe.txt") +
                                  " --lines 2 --replicates 2 --conflict-mode 0 --altruism both --seed 7 --csv rec.csv"),
            0);
  const std::vector<std::string> printed = Lines(ReadFile(folder() / "stdout.txt"));
  // The summary: a line per parameter after the heading, cell for cell.
  ASSERT_EQ(recovery.Summary->rowCount(), ParameterCount);
  for (int row = 0; row < ParameterCount; ++row) {
    EXPECT_EQ(RowCells(*recovery.Summary, row), Words(printed[static_cast<std::size_t>(row) + 2]));
  }
  // The confusion grid by AIC, then by BIC: the tool's shares, row by row.
  for (const char* heading : {"model recovery by AIC", "model recovery by BIC"}) {
    recovery.Criterion->setCurrentIndex(heading[18] == 'B' ? 1 : 0);
    const auto at = std::find_if(printed.begin(), printed.end(),
                                 [&](const std::string& line) { return line.rfind(heading, 0) == 0; });
    ASSERT_NE(at, printed.end());
    ASSERT_EQ(recovery.Confusion->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
      std::vector<std::string> shown = Words(recovery.Confusion->verticalHeaderItem(row)->text().toStdString());
      const std::vector<std::string> cells = RowCells(*recovery.Confusion, row);
      shown.insert(shown.end(), cells.begin(), cells.end());
      EXPECT_EQ(shown, Words(at[row + 2])) << heading;
    }
  }
  // The figures name the shoe, the options and the seed; the saved rows are the tool's CSV.
  EXPECT_TRUE(recovery.Source->text().contains(QStringLiteral("small_shoe.txt")));
  EXPECT_TRUE(recovery.Source->text().contains(QStringLiteral("--seed 7")));
  EXPECT_TRUE(recovery.Charts[0]->chart()->title().endsWith(QStringLiteral("small_shoe.txt, seed 7")));
  window.dialogs.QueueFile(PathToQString(folder() / "saved.svg"));
  recovery.SaveFigures->trigger();
  std::string without_shoe;
  for (const std::string& line : Lines(ReadFile(folder() / "saved-recovery.csv"))) {
    without_shoe += line.substr(line.find(',') + 1) + "\n";
  }
  EXPECT_EQ(without_shoe, ReadFile(folder() / "rec.csv"));
  EXPECT_TRUE(std::filesystem::exists(folder() / "saved-recovery-p3.svg"));
}

TEST_F(StudyWindowsTest, CheckOfAFittedVariantShowsWhatCheckPrintsFromTheFitTable) {
  window.dialogs.QueueFit([](FitModelDialog& dialog) {
    dialog.StartFit();
    while (dialog.Running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
  });
  form().FitModel1->trigger();
  form().CheckFitted1->trigger();
  CheckWindow& check = *form().FormCheck;
  ASSERT_EQ(check.Model->count(), 5) << "the settings and the four fitted variants";
  check.Model->setCurrentIndex(2);  // conflict mode 0, altruism 1
  check.Replicates->setValue(20);
  check.Seed->setText(QStringLiteral("5"));
  check.RunClick();
  WaitFor(*check.Task);
  ASSERT_EQ(check.Shown().replicates, 20) << check.Task->Status->text().toStdString();

  ASSERT_EQ(RunTool(folder(), "fit " + Quoted("small_shoe.txt") + " --csv fit.csv"), 0);
  ASSERT_EQ(RunTool(folder(), "check " + Quoted("small_shoe.txt") +
                                  " --from-fit fit.csv --variant 0,1 --replicates 20 --seed 5 --csv check.csv"),
            0);
  const std::vector<std::string> expected = Lines(ReadFile(folder() / "check.csv"));
  ASSERT_EQ(static_cast<std::size_t>(check.Table->rowCount()) + 1, expected.size());
  for (int row = 0; row < check.Table->rowCount(); ++row) {
    EXPECT_EQ(CsvRow(RowCells(*check.Table, row)), expected[static_cast<std::size_t>(row) + 1]);
  }
  const std::string outside = Lines(ReadFile(folder() / "stdout.txt")).back();
  EXPECT_TRUE(check.Flags->text().startsWith(QString::fromStdString(outside.substr(0, outside.find(" figures")))))
      << outside;
  EXPECT_TRUE(check.Source->text().contains(QStringLiteral("--variant 0,1 --replicates 20 --seed 5")));
  EXPECT_TRUE(check.MovesChart->chart()->title().endsWith(QStringLiteral("small_shoe.txt, seed 5")));
}

TEST_F(StudyWindowsTest, AStudyOpensAsOneAndItsFitsAreTheToolsPerParticipantAndHierarchical) {
  window.dialogs.QueueFile(Example("small_shoe.txt") + "\n" + Example("groups_small.csv"));
  form().OpenStudy1->trigger();
  ParticipantsWindow& participants = *form().FormParticipants;
  ASSERT_TRUE(participants.isVisible()) << window.dialogs.Messages().join("\n").toStdString();
  ASSERT_EQ(participants.Table->rowCount(), 3);
  participants.FitClick();
  WaitFor(*participants.Task);
  ASSERT_EQ(participants.GroupFits().size(), 4u) << participants.Task->Status->text().toStdString();

  const std::string study = Quoted("small_shoe.txt") + " --groups " + Quoted("groups_small.csv");
  ASSERT_EQ(RunTool(folder(), "fit " + study + " --per-participant --csv part.csv"), 0);
  ASSERT_EQ(RunTool(folder(), "fit " + study + " --hierarchical --csv group.csv"), 0);
  // Each participant's best variant and its lapse estimate, as the tool's table has them.
  participants.Table->sortByColumn(0, Qt::AscendingOrder);
  int best_rows = 0;
  for (const std::string& line : Lines(ReadFile(folder() / "part.csv"))) {
    const std::vector<std::string> fields = CsvFields(line);
    if (fields.back() == "beats_uniform" || fields[fields.size() - 2] != "1") continue;
    const int row = best_rows++;
    EXPECT_EQ(participants.Table->item(row, 0)->text().toStdString(), fields[0]);
    EXPECT_EQ(participants.Table->item(row, 4)->text().toStdString(), "cm" + fields[3] + " alt" + fields[4]);
    char lapse[32];
    std::snprintf(lapse, sizeof lapse, "%.4f", std::stod(fields[10]));
    EXPECT_TRUE(participants.Table->item(row, 6)->text().startsWith(QString::fromLatin1(lapse))) << fields[0];
  }
  EXPECT_EQ(best_rows, 3);
  // The group means (logit scale) of the hierarchical fits, to the last digit.
  std::vector<std::string> means;
  for (const std::string& line : Lines(ReadFile(folder() / "group.csv"))) {
    const std::vector<std::string> fields = CsvFields(line);
    for (std::size_t column = 10; fields[0] == "group_mean" && column < fields.size(); column += 2) {
      if (!fields[column].empty()) means.push_back(fields[column]);
    }
  }
  std::vector<std::string> shown;
  for (int row = 0; row < participants.Group->rowCount(); ++row) shown.push_back(participants.Group->item(row, 3)->data(ExactTextRole).toString().toStdString());
  EXPECT_EQ(shown, means);
}

TEST_F(StudyWindowsTest, FilesThatMakeNoStudyLeaveTheOpenShoe) {
  const QString cases[] = {Example("groups_small.csv"), Example("small_shoe.txt"),
                           Example("two_hands_shoe.txt") + "\n" + Example("groups_small.csv"),
                           Example("small_shoe.txt") + "\n" + Example("groups_small.csv") + "\n" + Example("groups_small.csv")};
  for (const QString& files : cases) {
    const std::size_t errors = window.dialogs.asked.size();
    window.dialogs.QueueFile(files);
    form().OpenStudy1->trigger();
    ASSERT_GT(window.dialogs.asked.size(), errors);
    EXPECT_EQ(window.dialogs.asked.back().kind, ScriptedDialogs::Kind::Error) << files.toStdString();
    EXPECT_EQ(form().State().HandList.size(), 10u) << files.toStdString();
    EXPECT_FALSE(form().FormParticipants->isVisible());
  }
}

// Cancel stops each run, shows nothing of it, and leaves the window ready for the next.
TEST_F(StudyWindowsTest, CancelLeavesEachWindowAsItWasAndReady) {
  window.dialogs.QueueFile(Example("small_shoe.txt") + "\n" + Example("groups_small.csv"));
  form().OpenStudy1->trigger();
  form().CheckRecovery1->trigger();
  form().CheckFitted1->trigger();
  form().FormRecovery->Replicates->setValue(100000);
  form().FormCheck->Replicates->setValue(1000000);
  struct Case {
    const char* name;
    StudyTaskPanel* task;
    std::function<void()> run;
    std::function<bool()> nothing_shown;
  };
  const Case cases[] = {
      {"recovery", form().FormRecovery->Task, [&] { form().FormRecovery->RunClick(); },
       [&] { return form().FormRecovery->Units().empty() && form().FormRecovery->Summary->rowCount() == 0; }},
      {"check", form().FormCheck->Task, [&] { form().FormCheck->RunClick(); },
       [&] { return form().FormCheck->Shown().figures.empty() && form().FormCheck->Table->rowCount() == 0; }},
      {"participants", form().FormParticipants->Task, [&] { form().FormParticipants->FitClick(); },
       [&] { return form().FormParticipants->Fits().empty() && form().FormParticipants->Group->rowCount() == 0; }},
  };
  for (const Case& each : cases) {
    each.run();
    ASSERT_TRUE(each.task->Running()) << each.name;
    EXPECT_FALSE(each.task->RunButton->isEnabled()) << each.name;
    testing::Click(each.task->CancelButton);
    WaitFor(*each.task);
    EXPECT_TRUE(each.task->Status->text().startsWith(QStringLiteral("Cancelled"))) << each.name;
    EXPECT_TRUE(each.nothing_shown()) << each.name;
    EXPECT_TRUE(each.task->RunButton->isEnabled()) << each.name;
    EXPECT_FALSE(each.task->CancelButton->isEnabled()) << each.name;
  }
}

}  // namespace
}  // namespace bruso

namespace bruso {
namespace {

// The windows go with the main window; a run they started is stopped before they go, so
// that it writes into nothing that has gone.
TEST(StudyWindowsEnd, TheProgramEndsWhileARunGoesOn) {
  testing::WindowFixture window;
  testing::OpenShoe(window, testing::Example("small_shoe.txt"));
  window.form->CheckRecovery1->trigger();
  window.form->FormRecovery->Replicates->setValue(100000);
  window.form->FormRecovery->RunClick();
  ASSERT_TRUE(window.form->FormRecovery->Task->Running());
  window.form.reset();
  SUCCEED();
}

}  // namespace
}  // namespace bruso
