#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include <QCoreApplication>
#include <QHeaderView>
#include <QTest>
#include <QValueAxis>

#include "engine/csv_row.h"
#include "model/fit_data.h"
#include "support/window_reading.h"
#include "tools/tool_runner.h"
#include "ui/fit_model_dialog.h"
#include "ui/model_settings_dialog.h"

namespace bruso {
namespace {

using testing::Example;
using testing::ReadFile;
using testing::RunTool;
using testing::WindowFixture;

using Rows = std::vector<std::pair<std::string, std::string>>;

// The rows of a figure table as shown: label and value.
Rows Shown(const QTableWidget& table) {
  Rows rows;
  for (int row = 0; row < table.rowCount(); ++row) {
    rows.emplace_back(table.item(row, 0)->text().toStdString(), table.item(row, 1)->text().toStdString());
  }
  return rows;
}

// The rows of a bruso-batch summary, "  label:   value", the label's own indent kept.
Rows SummaryRows(const std::string& text) {
  Rows rows;
  std::size_t start = text.find('\n') + 1;  // after the title
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    const std::size_t colon = line.find(':');
    rows.emplace_back(line.substr(2, colon - 2), line.substr(line.find_first_not_of(' ', colon + 1)));
    start = end + 1;
  }
  return rows;
}

// The rows of `rows` whose labels `wanted` holds, in order.
Rows Only(const Rows& rows, const Rows& wanted) {
  Rows kept;
  for (const auto& row : rows) {
    const auto same_label = [&](const auto& other) { return other.first == row.first; };
    if (std::any_of(wanted.begin(), wanted.end(), same_label)) kept.push_back(row);
  }
  return kept;
}

std::string Quoted(const char* example) { return "'" + Example(example).toStdString() + "'"; }

class StatisticsTest : public ::testing::Test {
 protected:
  StatisticsTest() { testing::OpenShoe(window, Example("small_shoe.txt")); }

  TForm1& form() { return *window.form; }
  StatisticsWindow& statistics() { return *form().FormStatistics; }
  std::filesystem::path folder() const { return window.start.path(); }

  void PlayAll(const char* iterations) {
    for (const char* rules : {"rules_ck.txt", "rules_nk.txt"}) window.dialogs.QueueFile(Example(rules));
    form().ArtificialPlayer1->trigger();
    form().LoadRulesNK1->trigger();
    window.dialogs.QueueInput(QString::fromLatin1(iterations));
    form().Players1->trigger();
  }

  // Runs Fit Model..., the script playing the user.
  void Fit(ScriptedDialogs::FitScript script) {
    window.dialogs.QueueFit(std::move(script));
    form().FitModel1->trigger();
  }

  WindowFixture window;
};

void WaitForTheFit(FitModelDialog& dialog) {
  while (dialog.Running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  QCoreApplication::processEvents();  // the end of the fit reaches the dialog
}

TEST_F(StatisticsTest, ShowsTheFiguresBrusoBatchPrintsForTheSameSeed) {
  form().automatic1->trigger();
  const Rows classify = Shown(*statistics().ClassifyTable);
  ASSERT_FALSE(classify.empty());
  ASSERT_EQ(classify.front().first, "seed");
  ASSERT_EQ(RunTool(folder(), "classify " + Quoted("small_shoe.txt") + " --out results --seed " + classify.front().second), 0);
  const Rows tool = SummaryRows(ReadFile(folder() / "stderr.txt"));
  EXPECT_EQ(Only(classify, tool), classify) << "every figure shown is one bruso-batch prints";
  EXPECT_EQ(Only(tool, classify), classify);

  PlayAll("4");
  const Rows play = Shown(*statistics().PlayTable);
  ASSERT_EQ(RunTool(folder(), "play " + Quoted("small_shoe.txt") + " --ck " + Quoted("rules_ck.txt") + " --nk " +
                                  Quoted("rules_nk.txt") + " --iterations 4 --out results --seed " +
                                  play.front().second),
            0);
  const Rows played = SummaryRows(ReadFile(folder() / "stderr.txt"));
  const Rows shared = Only(play, played);
  EXPECT_EQ(shared.size(), 6u) << "seed, hands, plays, reached, stopped, moves";
  EXPECT_EQ(Only(played, shared), shared);

  // The players' own lines, counted by another replay, reach 2H as often as classify says.
  const auto count = [](const Rows& rows, const std::string& label) {
    for (const auto& [name, value] : rows) {
      if (name == label) return value.substr(0, value.find(' '));
    }
    return std::string("none");
  };
  EXPECT_EQ(count(play, "recorded lines"), std::to_string(RecordedLineCount(form().State().HandList)));
  EXPECT_EQ(count(play, "  reaching 2H"), count(classify, "lines reaching 2H"));

  // The hands' table has a row per hand, with both kinds of figures.
  const HandTableModel& hands = *statistics().Hands;
  EXPECT_EQ(hands.rowCount(), static_cast<int>(form().State().HandList.size()));
  EXPECT_FALSE(hands.index(0, 3).data().toString().isEmpty());
  EXPECT_FALSE(hands.index(0, 7).data().toString().isEmpty());
  // A click on a column's title sorts the hands by it, the largest first on a second click.
  QHeaderView* titles = statistics().HandTable->horizontalHeader();
  for (int click = 0; click < 2; ++click) {
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(3) + 5, titles->height() / 2));
  }
  std::vector<double> agreements;
  for (int row = 0; row < hands.rowCount(); ++row) agreements.push_back(hands.index(row, 3).data().toDouble());
  EXPECT_TRUE(std::is_sorted(agreements.rbegin(), agreements.rend())) << agreements.front();
  EXPECT_NE(hands.index(0, 0).data().toString(), "1");
  for (QChartView* view : {statistics().AgreementChart, statistics().PlaceChart, statistics().MovesChart}) {
    ASSERT_EQ(view->chart()->axes().size(), 2) << view->chart()->title().toStdString();
    for (QAbstractAxis* axis : view->chart()->axes()) EXPECT_FALSE(axis->titleText().isEmpty());
  }
}

TEST_F(StatisticsTest, AFitCanBeCancelledAndAFinishedOneEqualsTheTools) {
  Fit([](FitModelDialog& dialog) {
    dialog.StartFit();
    testing::Click(dialog.CancelButton);
    WaitForTheFit(dialog);
  });
  EXPECT_EQ(statistics().FitTable->columnCount(), 0) << "a cancelled fit shows nothing";
  EXPECT_FALSE(statistics().UseSettings->isEnabled());

  // The window goes on as before, and the next fit runs to its end.
  form().automatic1->trigger();
  EXPECT_GT(statistics().ClassifyTable->rowCount(), 0);
  Fit([](FitModelDialog& dialog) {
    dialog.StartFit();
    WaitForTheFit(dialog);
  });
  ASSERT_EQ(RunTool(folder(), "fit " + Quoted("small_shoe.txt") + " --csv fit.csv"), 0);
  const std::string csv = ReadFile(folder() / "fit.csv");
  const QTableWidget& table = *statistics().FitTable;
  ASSERT_EQ(table.columnCount(), 5) << "four variants and the uniform player";
  // The saved table is the tool's, to the last digit, each row led by the shoe.
  window.dialogs.QueueFile(PathToQString(folder() / "saved.png"));
  statistics().SaveStatistics->trigger();
  std::istringstream saved(ReadFile(folder() / "saved-fit.csv"));
  std::string without_shoe;
  std::vector<std::string> log_likelihoods;
  for (std::string line; std::getline(saved, line);) {
    const std::string shoe = line.substr(0, line.find(',') + 1);
    EXPECT_EQ(shoe, without_shoe.empty() ? "shoe," : "small_shoe.txt,");
    without_shoe += line.substr(shoe.size()) + "\n";
    if (shoe != "shoe,") log_likelihoods.push_back(line.substr(0, line.find(",224,")));
  }
  EXPECT_EQ(without_shoe, csv);
  // On screen the log-likelihood has two decimals.
  ASSERT_EQ(log_likelihoods.size(), 5u);
  for (int column = 0; column < table.columnCount(); ++column) {
    const std::string& row = log_likelihoods[static_cast<std::size_t>(column)];
    char two_decimals[32];
    std::snprintf(two_decimals, sizeof two_decimals, "%.2f", std::stod(row.substr(row.rfind(',') + 1)));
    EXPECT_EQ(table.item(3, column)->text().toStdString(), two_decimals) << row;
  }

  // "Use these settings" takes the variant of lowest AIC into the model settings.
  testing::Click(statistics().UseSettings);
  EXPECT_NE(form().ModelStatus->text().toStdString().find("lapse"), std::string::npos)
      << form().ModelStatus->text().toStdString();
}

TEST_F(StatisticsTest, SaveStatisticsWritesEveryTableAndChart) {
  statistics().SaveStatistics->trigger();
  EXPECT_EQ(window.dialogs.Messages().back(), QString::fromLatin1(NothingToSaveMessage));

  form().automatic1->trigger();
  PlayAll("2");
  const auto files = [&] {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder())) found.push_back(entry.path());
    return found;
  };
  const auto files_before = files();
  window.dialogs.QueueFile(QString());  // cancelled: nothing written
  statistics().SaveStatistics->trigger();
  EXPECT_EQ(files(), files_before);

  const auto saved = [&](const char* name) { return ReadFile(folder() / name); };
  window.dialogs.QueueFile(PathToQString(folder() / "run.svg"));
  statistics().SaveStatistics->trigger();
  EXPECT_EQ(saved("run-classify.csv").substr(0, 18), "shoe,figure,value\n");
  EXPECT_NE(saved("run-play.csv").find("recorded lines"), std::string::npos);
  EXPECT_EQ(saved("run-hands.csv").substr(0, 10), "shoe,hand,");
  for (const char* chart : {"run-agreement.svg", "run-places.svg", "run-moves.svg"}) {
    EXPECT_NE(saved(chart).find("<svg"), std::string::npos) << chart;
  }

  // A second save over the same files asks first; No keeps them.
  const std::string before = saved("run-classify.csv");
  std::filesystem::resize_file(folder() / "run-classify.csv", 0);
  window.dialogs.QueueFile(PathToQString(folder() / "run.png"));
  window.dialogs.QueueAnswer(Dialogs::Answer::No);
  statistics().SaveStatistics->trigger();
  EXPECT_EQ(saved("run-classify.csv"), "");
  window.dialogs.QueueFile(PathToQString(folder() / "run.png"));
  window.dialogs.QueueAnswer(Dialogs::Answer::Yes);
  statistics().SaveStatistics->trigger();
  EXPECT_EQ(saved("run-classify.csv"), before);
  EXPECT_EQ(saved("run-moves.png").substr(1, 3), "PNG");
}

TEST_F(StatisticsTest, FiguresNameTheirShoeSettingsAndSeedAndSayWhenTheyNoLongerMatch) {
  form().automatic1->trigger();
  const QString classified = statistics().ClassifySource->text();
  for (const char* part : {"Shoe: small_shoe.txt (10 hands)", "model: conflict 0, altruism 0, P1-P10 0.5, lapse 0.01",
                           " \u00b7 seed "}) {
    EXPECT_TRUE(classified.contains(QString::fromUtf8(part))) << classified.toStdString();
  }
  EXPECT_FALSE(classified.contains('\n')) << classified.toStdString();

  // Other settings: the classify figures say they are of the old ones.
  window.dialogs.QueueModelSettings([](ModelSettingsDialog& dialog) {
    dialog.ConflictBox->setChecked(true);
    testing::Click(dialog.OkButton);
  });
  form().ModelSettings1->trigger();
  EXPECT_TRUE(statistics().ClassifySource->text().startsWith(classified + "\nThe settings have changed"))
      << statistics().ClassifySource->text().toStdString();

  // Another shoe: its plays never share a row with the first shoe's classify figures.
  testing::OpenShoe(window, Example("two_hands_shoe.txt"));
  EXPECT_TRUE(statistics().ClassifySource->text().contains("not of the open shoe"));
  PlayAll("2");
  const HandTableModel& hands = *statistics().Hands;
  ASSERT_EQ(hands.rowCount(), 2);
  for (int row = 0; row < hands.rowCount(); ++row) {
    EXPECT_TRUE(hands.index(row, 3).data().toString().isEmpty()) << "no classify figure of the other shoe";
    EXPECT_FALSE(hands.index(row, 7).data().toString().isEmpty());
  }
  const QString hands_source = statistics().HandsSource->text();
  EXPECT_TRUE(hands_source.startsWith("Play All Hands Artificially: Shoe: two_hands_shoe.txt (2 hands)"))
      << hands_source.toStdString();
  EXPECT_TRUE(hands_source.contains("(small_shoe.txt) and are not shown here")) << hands_source.toStdString();

  window.dialogs.QueueFile(PathToQString(folder() / "run.png"));
  statistics().SaveStatistics->trigger();
  std::istringstream saved(ReadFile(folder() / "run-hands.csv"));
  std::string line;
  std::getline(saved, line);  // the header
  int rows = 0;
  for (; std::getline(saved, line); ++rows) EXPECT_EQ(line.rfind("two_hands_shoe.txt,", 0), 0u) << line;
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(ReadFile(folder() / "run-classify.csv").rfind("shoe,figure,value\nsmall_shoe.txt,seed,", 0), 0u);
  EXPECT_TRUE(statistics().MovesChart->chart()->title().endsWith("two_hands_shoe.txt"));
}

TEST_F(StatisticsTest, WhenTheUniformPlayerFitsBestTheWindowSaysSoAndOffersNoSettings) {
  ASSERT_EQ(RunTool(folder(), "simulate " + Quoted("small_shoe.txt") + " --lines 30 --lapse 0.999999 --seed 3 "
                              "--out random.txt"),
            0);
  testing::OpenShoe(window, PathToQString(folder() / "random.txt"));
  Fit([](FitModelDialog& dialog) {
    dialog.Variants->setCurrentIndex(4);  // conflict mode 1, altruism 1
    dialog.StartFit();
    WaitForTheFit(dialog);
  });
  ASSERT_EQ(statistics().FitTable->columnCount(), 2);
  EXPECT_TRUE(statistics().BestVariant->text().startsWith("Lowest AIC: the uniform player (AIC "))
      << statistics().BestVariant->text().toStdString();
  EXPECT_FALSE(statistics().UseSettings->isEnabled());
  const QString status = form().ModelStatus->text();
  statistics().UseSettingsClick();
  EXPECT_EQ(form().ModelStatus->text(), status) << "no settings taken";
}

}  // namespace
}  // namespace bruso
