// An experiment session played in the window as a participant plays it: the dialog filled
// in, cards and the pass button clicked, the rules partner answering, "Next hand", and
// the recorded files read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include <QElapsedTimer>
#include <QTest>

#include "session/classify_commands.h"
#include "session/experiment_record.h"
#include "support/window_reading.h"
#include "ui/experiment_dialog.h"
#include "ui/experiment_runner.h"

namespace bruso {
namespace {

using namespace testing;

// Three hands, CK first. In the first CK takes 2H from C and plays it on the 4H; in the
// second CK holds 2H already; in the third CK passes, and NK alone can never bring 2H to
// a Target that only a 4 can take, so the hand ends at the move limit.
constexpr const char* ThreeHands =
    "2H 3C 4C 4H 3H 2C CK\nfirst line\n"
    "3C 2H 4C 4H 3H 2C CK\nfirst line\n"
    "2H 3C 4C 4H 3H 2C CK\nfirst line\nCPT\n";

struct Row {
  int hand, move;
  std::string role, letter;
  bool playable;
  long long ms, handMs;
  std::string mover;
};

std::vector<Row> MovesTable(const std::filesystem::path& shoe) {
  std::vector<Row> rows;
  std::istringstream table(ReadFile(ExperimentRecord::MovesTablePath(shoe)));
  std::string line;
  std::getline(table, line);  // the header
  while (std::getline(table, line)) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    EXPECT_EQ(f.size(), 11u) << line;
    if (f.size() != 11u) continue;
    EXPECT_EQ(f[0] + "," + f[1] + "," + f[3], "P01,pilot,1");
    rows.push_back({std::stoi(f[2]), std::stoi(f[4]), f[5], f[6], f[7] == "1", std::stoll(f[8]), std::stoll(f[10]), f[9]});
  }
  return rows;
}

struct ExperimentWindow : WindowFixture {
  ExperimentWindow() {
    WriteFile(start.path() / "three.txt", ThreeHands);
    OpenShoe(*this, PathToQString(start.path() / "three.txt"));
    dialogs.QueueFile(Example("rules_nk.txt"));
    form->LoadRulesNK1->trigger();
  }
  std::filesystem::path Record() const { return start.path() / "recorded.txt"; }

  // Starts a session through the menu: P01 in condition "pilot" plays CK, the rules NK,
  // without a pause.
  void StartSession() {
    dialogs.QueueExperiment([this](ExperimentDialog& dialog) {
      dialog.ParticipantEdit->setText(QStringLiteral("P01"));
      dialog.ConditionEdit->setText(QStringLiteral("pilot"));
      EXPECT_EQ(dialog.CKPlayerBox->currentIndex(), 0);
      EXPECT_EQ(dialog.NKPlayerBox->currentIndex(), 1) << "the loaded rules play NK by default";
      dialog.PauseBox->setValue(0);
      dialog.RecordEdit->setText(PathToQString(Record()));
      Click(dialog.OkButton);
    });
    form->RunExperiment1->trigger();
    runner = form->findChild<ExperimentRunner*>();
    ASSERT_NE(runner, nullptr);
  }
  // Lets the partner move until the person is to move or the hand is over.
  void WaitForPerson() {
    QElapsedTimer waited;
    waited.start();
    auto ready = [this] {
      return runner->NextHandButton->isEnabled() || runner->TurnLabel->text().contains(QStringLiteral("your turn"));
    };
    while (!ready() && waited.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(ready()) << runner->TurnLabel->text().toStdString();
  }
  // Plays the first hand: CK's own card (no move), a refused T, C, the partner, T.
  void PlayFirstHand() {
    Click(form->Image3);
    Click(form->Image2);
    Click(form->Image4);
    WaitForPerson();
    Click(form->Image2);
    ASSERT_TRUE(runner->NextHandButton->isEnabled());
  }

  ExperimentRunner* runner = nullptr;
};

TEST(ExperimentWindow, ThreeHandsWithARulesPartnerAreRecordedAsClicked) {
  ExperimentWindow window;
  TForm1& form = *window.form;
  window.StartSession();
  ExperimentRunner& runner = *window.runner;
  EXPECT_FALSE(form.automatic1->isEnabled());
  EXPECT_FALSE(form.BitBtn4->isEnabled()) << "no stepping back in a session";
  EXPECT_FALSE(form.Clear1->isEnabled());
  EXPECT_TRUE(form.Memo2->isHidden());
  EXPECT_EQ(runner.HandLabel->text(), "Hand 1 of 3");
  EXPECT_EQ(runner.MovesLeftLabel->text(), "Moves left: 20 of 20");

  window.PlayFirstHand();
  EXPECT_EQ(runner.TurnLabel->text(), "Solved: 2H is on the Target.");
  EXPECT_EQ(runner.NextHandButton->text(), "Next hand");
  Click(runner.NextHandButton);
  EXPECT_EQ(runner.HandLabel->text(), "Hand 2 of 3");
  EXPECT_EQ(form.Edit2->text(), "");
  Click(form.Image2);  // 2H straight onto the Target

  Click(runner.NextHandButton);
  int passes = 0;
  while (!runner.NextHandButton->isEnabled()) {
    Click(form.Passo);
    ++passes;
    window.WaitForPerson();
  }
  EXPECT_EQ(runner.TurnLabel->text(), "No moves left: the hand is over.");
  EXPECT_EQ(runner.NextHandButton->text(), "Finish");
  Click(runner.NextHandButton);

  EXPECT_TRUE(form.automatic1->isEnabled());
  EXPECT_TRUE(form.BitBtn4->isEnabled());
  EXPECT_FALSE(form.Memo2->isHidden());
  EXPECT_EQ(form.Memo2->Lines(), QStringList({"CPT"})) << "the last hand's recorded lines are listed again";
  EXPECT_TRUE(window.dialogs.Messages().contains(
      QStringLiteral("The session has ended: 3 hands recorded in %1").arg(PathToQString(window.Record()))));

  // The shoe: three hands, each line the letters clicked and played.
  const Shoe recorded = ReadShoeFile(window.Record().string());
  ASSERT_EQ(recorded.hands.size(), 3u);
  const std::vector<Row> rows = MovesTable(window.Record());
  for (int hand = 1; hand <= 3; ++hand) {
    const Fhand& fhand = recorded.hands[static_cast<std::size_t>(hand - 1)];
    ASSERT_EQ(fhand.MoveLines.size(), 2u);
    EXPECT_EQ(fhand.MoveLines[0].Line.rfind("participant=P01 condition=pilot date=", 0), 0u);
    std::string letters;
    long long hand_ms = 0;
    for (const Row& row : rows) {
      if (row.hand != hand) continue;
      if (row.letter.size() == 1) letters += row.letter;
      EXPECT_GE(row.ms, 0);
      EXPECT_GE(row.handMs, hand_ms) << "times grow within a hand";
      hand_ms = row.handMs;
      EXPECT_EQ(row.mover, row.role == "CK" ? "person" : "rules");
    }
    EXPECT_EQ(fhand.MoveLines[1].Line, letters) << "hand " << hand;
  }
  // The first hand's person clicks, the refused ones marked.
  std::vector<std::pair<std::string, bool>> first;
  for (const Row& row : rows) {
    if (row.hand == 1 && row.mover == "person") first.emplace_back(row.letter, row.playable);
  }
  EXPECT_EQ(first, (std::vector<std::pair<std::string, bool>>{{"CK", false}, {"T", false}, {"C", true}, {"T", true}}));
  EXPECT_EQ(recorded.hands[1].MoveLines[1].Line, "T");
  EXPECT_EQ(recorded.hands[2].MoveLines[1].Line.size(), 20u);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r.hand == 3 && r.mover == "person"; }),
            passes);

  // The statistics window has the person's response times: CK played every odd letter.
  const QTableWidget& times = *form.FormStatistics->ResponseTable;
  ASSERT_GT(times.rowCount(), 0);
  EXPECT_EQ(times.item(0, 0)->text() + times.item(0, 1)->text(), "1CK");
  EXPECT_EQ(times.item(0, 2)->text(), "3") << "the first letter of each of the three hands";

  // The recorded shoe opens and classifies like any other.
  OpenShoe(window, PathToQString(window.Record()));
  EXPECT_EQ(form.Edit1->text(), "2H 3C 4C 4H 3H 2C");
  form.automatic1->trigger();
  EXPECT_EQ(window.dialogs.Messages().back(), QString::fromLatin1(ClassifiedMessage));
}

TEST(ExperimentWindow, AWindowClosedInTheMiddleLeavesEveryFinishedHandWhole) {
  ExperimentWindow window;
  window.StartSession();
  window.PlayFirstHand();
  Click(window.runner->NextHandButton);
  Click(window.form->Image4);  // a move of the second hand, which is not finished

  window.dialogs.QueueAnswer(Dialogs::Answer::Yes);  // "Are you sure you want to quit the program?"
  window.form->close();
  window.form.reset();

  const std::string shoe = ReadFile(window.Record());
  EXPECT_EQ(shoe.back(), '\n');
  const Shoe recorded = ReadShoeFile(window.Record().string());
  ASSERT_EQ(recorded.hands.size(), 1u);
  EXPECT_EQ(recorded.hands[0].MoveLines.size(), 2u);
  for (const Row& row : MovesTable(window.Record())) EXPECT_EQ(row.hand, 1);
  EXPECT_EQ(ReadFile(ExperimentRecord::GroupsTablePath(window.Record())), "hand,line,participant,condition\n1,1,P01,pilot\n");
}

TEST(ExperimentWindow, EscapeAsksAndEndsTheSessionWithoutTheHandInProgress) {
  ExperimentWindow window;
  TForm1& form = *window.form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 5000));
  window.StartSession();
  Click(form.Image4);
  window.WaitForPerson();

  window.dialogs.QueueAnswer(Dialogs::Answer::No);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(window.runner->Running());
  window.dialogs.QueueAnswer(Dialogs::Answer::Yes);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_EQ(window.dialogs.asked.back().text,
            QStringLiteral("The session has ended: 0 hands recorded in %1").arg(PathToQString(window.Record())));
  EXPECT_TRUE(form.RunExperiment1->isEnabled());
  EXPECT_EQ(ReadFile(window.Record()), "");

  // A refused plan keeps the dialog open with the reason, and starts nothing.
  window.dialogs.QueueExperiment([](ExperimentDialog& dialog) {
    dialog.ParticipantEdit->setText(QStringLiteral("A2H"));
    Click(dialog.OkButton);
    EXPECT_EQ(dialog.ProblemLabel->text().left(36), "The participant id must not hold \"2H");
  });
  form.RunExperiment1->trigger();
  EXPECT_TRUE(form.automatic1->isEnabled());
}

}  // namespace
}  // namespace bruso
