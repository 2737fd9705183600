// The play commands as a user reaches them: clicks on the window's own cards, buttons and
// menu items, and what the window shows afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include <QApplication>
#include <QTest>
#include <QTextBlock>

#include "support/window_reading.h"

namespace bruso {
namespace {

using namespace testing;  // the window fixture and the readers of what it shows

const std::filesystem::path Examples = BRUSO_EXAMPLES_DIR;

// The window with the small example shoe opened through the File menu.
struct ShoeWindow : WindowFixture {
  ShoeWindow() { OpenShoe(*this, Example("small_shoe.txt")); }
};

// The move string, the cards shown and the marked frames, all at once.
void ExpectShown(TForm1& form, const char* moves, const char* cards, const char* frames) {
  EXPECT_EQ(form.Edit2->text(), moves);
  EXPECT_EQ(ShownCards(form), cards);
  EXPECT_EQ(MarkedFrames(form), frames);
}

// --- Opening a shoe and playing a hand by hand ---

TEST(PlayWindowShoe, OpenShowsTheFirstHandItsCaptionsAndMoveLines) {
  ShoeWindow window;
  TForm1& form = *window.form;

  ASSERT_EQ(window.dialogs.asked.size(), 1u);
  EXPECT_EQ(window.dialogs.asked[0].kind, ScriptedDialogs::Kind::OpenFile);
  EXPECT_EQ(window.dialogs.asked[0].details, QStringList({"File di Input (*.doc *.txt)"}));
  EXPECT_EQ(form.Edit1->text(), "2H 3C 4C 4H 3H 2C");
  EXPECT_EQ(form.Edit4->text(), "1");
  EXPECT_EQ(form.Label7->text(), "CK first move");
  EXPECT_EQ(form.Label9->text(), "CK first move");
  EXPECT_EQ(form.Memo2->Lines(), QStringList({"CCCCCCCCT", "UUCCT", "PNPUUNTCC"}));
  EXPECT_EQ(ShownCards(form), "2H3C4C4H3H2C");
  EXPECT_EQ(form.Edit2->text(), "");
  // The opening position: CK, the first mover, is lit and no move is marked.
  EXPECT_EQ(MarkedFrames(form), "......");
  EXPECT_EQ(HighlightedRole(form), "CK");
  EXPECT_EQ(form.Passo->text(), "Passo");
  EXPECT_EQ(TextColor(form.Passo), QColor(Qt::black));
}

TEST(PlayWindowShoe, CardClicksPlayTheHandAndMarkEachMove) {
  ShoeWindow window;
  TForm1& form = *window.form;

  // CK takes the card on UP: its own frame and UP's are marked, NK is to move.
  Click(form.Image5);
  ExpectShown(form, "U", "2H4C3C4H3H2C", ".xx...");
  EXPECT_EQ(form.Edit2->selectedText(), "U");
  EXPECT_EQ(HighlightedRole(form), "NK");

  // NK takes the card on UP in turn: NK's frame and UP's.
  Click(form.Image5);
  ExpectShown(form, "UU", "2H4C2C4H3H3C", "..x..x");
  EXPECT_EQ(form.Edit2->selectedText(), "U");
  EXPECT_EQ(form.Edit2->selectionStart(), 1);
  EXPECT_EQ(HighlightedRole(form), "CK");

  // A pass marks no frame and lights the pass button.
  Click(form.Passo);
  EXPECT_EQ(form.Edit2->text(), "UUP");
  EXPECT_EQ(form.Passo->text(), "PASSO");
  EXPECT_EQ(TextColor(form.Passo), AquaColor);
  EXPECT_EQ(MarkedFrames(form), "......");
  EXPECT_EQ(HighlightedRole(form), "NK");

  // The next move puts the pass button back.
  Click(form.Image4);
  EXPECT_EQ(form.Edit2->text(), "UUPC");
  EXPECT_EQ(form.Passo->text(), "Passo");
  EXPECT_EQ(TextColor(form.Passo), QColor(Qt::black));
  EXPECT_EQ(MarkedFrames(form), "x....x");
}

TEST(PlayWindowShoe, RefusedTargetClickChangesNothing) {
  ShoeWindow window;
  TForm1& form = *window.form;
  // CK holds 3C and the Target shows 4H: CK may take the Target only with a heart.
  Click(form.Image2);
  ExpectShown(form, "", "2H3C4C4H3H2C", "......");
  EXPECT_EQ(HighlightedRole(form), "CK");
  EXPECT_EQ(window.dialogs.asked.size(), 1u);  // only the open dialog
}

TEST(PlayWindowShoe, StepBackThenACardClickReplacesTheLaterMoves) {
  ShoeWindow window;
  TForm1& form = *window.form;
  for (QWidget* card : {form.Image5, form.Image5, form.Image4}) Click(card);
  ASSERT_EQ(form.Edit2->text(), "UUC");

  Click(form.BitBtn4);  // "<"
  Click(form.BitBtn4);
  ExpectShown(form, "UUC", "2H4C3C4H3H2C", ".xx...");
  EXPECT_EQ(form.Edit2->selectedText(), "U");
  EXPECT_EQ(form.Edit2->selectionStart(), 0);

  Click(form.Image6);  // NK takes N instead: the moves after the first are replaced
  ExpectShown(form, "UN", "2H4C3C4H2C3H", "....xx");
  EXPECT_EQ(form.Edit2->selectedText(), "N");

  Click(form.BitBtn6);  // "Start"
  ExpectShown(form, "UN", "2H3C4C4H3H2C", "......");
  Click(form.BitBtn7);  // "End"
  ExpectShown(form, "UN", "2H4C3C4H2C3H", "....xx");
  Click(form.BitBtn5);  // ">" at the end stays there
  ExpectShown(form, "UN", "2H4C3C4H2C3H", "....xx");
}

TEST(PlayWindowShoe, ClearHandTakesBackEveryMove) {
  ShoeWindow window;
  TForm1& form = *window.form;
  Click(form.Image5);
  Click(form.Image5);
  Click(form.Passo);
  form.Clear1->trigger();
  EXPECT_EQ(form.Edit2->text(), "");
  EXPECT_EQ(MarkedFrames(form), "......");
  EXPECT_EQ(form.Passo->text(), "Passo");
  EXPECT_EQ(HighlightedRole(form), "CK");
  Click(form.BitBtn7);  // nothing is left to step to
  ExpectShown(form, "", "2H3C4C4H3H2C", "......");
}

TEST(PlayWindowShoe, HandButtonsStopAtTheFirstAndLastHand) {
  ShoeWindow window;
  TForm1& form = *window.form;
  Click(form.BitBtn5);
  Click(form.BitBtn1);  // Previous Hand on the first hand
  EXPECT_EQ(form.Edit4->text(), "1");
  EXPECT_EQ(form.Edit1->text(), "2H 3C 4C 4H 3H 2C");

  Click(form.BitBtn2);
  EXPECT_EQ(form.Edit4->text(), "2");
  EXPECT_EQ(form.Edit1->text(), "2C 4H 4C 3C 2H 3H");
  EXPECT_EQ(form.Label7->text(), "NK first move");
  EXPECT_EQ(HighlightedRole(form), "NK");  // the first mover of the hand shown
  EXPECT_EQ(form.Passo->text(), "Passo");
  EXPECT_EQ(ShownCards(form), "2C4H4C3C2H3H");

  const int hands = static_cast<int>(form.State().HandList.size());
  for (int k = 2; k < hands + 2; ++k) Click(form.BitBtn2);  // past the last hand
  EXPECT_EQ(form.Edit4->text(), QString::number(hands));
  EXPECT_EQ(form.Edit1->text(), "3H 2H 4C 3C 4H 2C");
  EXPECT_EQ(form.Memo2->Lines(), QStringList({"CPTT", "UUPCUCPTT", "NNCP"}));
  EXPECT_TRUE(window.dialogs.Messages().isEmpty());
}

TEST(PlayWindowShoe, CancelledOpenChangesNothing) {
  ShoeWindow window;
  TForm1& form = *window.form;
  Click(form.BitBtn2);
  Click(form.Image5);
  const std::size_t hands = form.State().HandList.size();
  const QStringList lines = form.Memo2->Lines();
  const QString moves = form.Edit2->text();
  OpenShoe(window, QString());

  EXPECT_EQ(form.State().HandList.size(), hands);
  EXPECT_EQ(form.State().CurrentHand, &form.State().HandList[1]);
  EXPECT_EQ(form.Edit2->text(), moves);
  EXPECT_EQ(form.Edit4->text(), "2");
  EXPECT_EQ(form.Memo2->Lines(), lines);
  EXPECT_EQ(form.Edit1->text(), "2C 4H 4C 3C 2H 3H");
  EXPECT_EQ(form.Label7->text(), "NK first move");
  Click(form.BitBtn2);  // the shoe is still behind the hand
  EXPECT_EQ(form.Edit4->text(), "3");
  EXPECT_TRUE(window.dialogs.Messages().isEmpty());
}

TEST(PlayWindowShoe, EmptyShoeReportsTheListIndexAndKeepsTheHandShown) {
  ShoeWindow window;
  TForm1& form = *window.form;
  const auto empty = window.start.path() / "empty.txt";
  WriteFile(empty, "");
  OpenShoe(window, PathToQString(empty));

  EXPECT_EQ(window.dialogs.Messages(), QStringList({"List index out of bounds (0)"}));
  EXPECT_EQ(form.Edit1->text(), "2H 3C 4C 4H 3H 2C");
  EXPECT_EQ(ShownCards(form), "2H3C4C4H3H2C");
  EXPECT_EQ(form.Edit4->text(), "1");
}

TEST(PlayWindowShoe, MissingFileShowsAnErrorBoxNamingIt) {
  WindowFixture window;
  TForm1& form = *window.form;
  const QString missing = PathToQString(window.start.path() / "no_such_shoe.txt");
  OpenShoe(window, missing);

  ASSERT_EQ(window.dialogs.asked.size(), 2u);
  EXPECT_EQ(window.dialogs.asked[1].kind, ScriptedDialogs::Kind::Error);
  EXPECT_TRUE(window.dialogs.asked[1].text.contains(missing)) << window.dialogs.asked[1].text.toStdString();
  EXPECT_TRUE(form.State().HandList.empty());
  EXPECT_EQ(form.Edit1->text(), "");
}

// --- Rules and artificial play ---

TEST(PlayWindowRules, LoadedRulesOfBothRolesListInTheRulesWindow) {
  WindowFixture window;
  TForm1& form = *window.form;
  LoadExampleRules(window);
  EXPECT_EQ(form.State().RulesFileCK, (Examples / "rules_ck.txt").string());
  EXPECT_EQ(form.State().RulesFileNK, (Examples / "rules_nk.txt").string());

  form.ShowRules1->trigger();
  EXPECT_TRUE(form.Form4->isVisible());
  const QStringList lines = form.Form4->Memo1->Lines();
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], "CK rules");
  EXPECT_TRUE(lines[2].startsWith(" T 2H ## 3H")) << lines[2].toStdString();
  const qsizetype nk = lines.indexOf("NK rules");
  ASSERT_GT(nk, 2);
  EXPECT_FALSE(lines[nk + 2].trimmed().isEmpty());
  EXPECT_TRUE(window.dialogs.Messages().isEmpty());
}

TEST(PlayWindowRules, CancelledRulesDialogKeepsTheRulesFile) {
  WindowFixture window;
  TForm1& form = *window.form;
  LoadExampleRules(window);
  window.dialogs.QueueFile(QString());
  form.ArtificialPlayer1->trigger();
  EXPECT_EQ(form.State().RulesFileCK, (Examples / "rules_ck.txt").string());
}

TEST(PlayWindowArtificial, MovePlayAfterAStepBackContinuesFromThere) {
  ShoeWindow window;
  TForm1& form = *window.form;
  LoadExampleRules(window);
  for (QWidget* card : {form.Image5, form.Image5, form.Image4}) Click(card);
  Click(form.BitBtn4);
  Click(form.BitBtn4);

  Click(form.BitBtn3);  // "Artificial Move Play"
  const QString moves = form.Edit2->text();
  ASSERT_EQ(moves.size(), 2) << moves.toStdString();
  EXPECT_EQ(moves[0], 'U');
  EXPECT_EQ(form.Edit2->selectionStart(), 1);
  EXPECT_EQ(form.Edit2->selectedText(), moves.right(1));
  EXPECT_NE(ShownCards(form), "??????");
  EXPECT_TRUE(window.dialogs.Messages().isEmpty());
}

TEST(PlayWindowArtificial, HandPlaySelectsTheLastMoveAndLightsTheRoleToMove) {
  ShoeWindow window;
  TForm1& form = *window.form;
  LoadExampleRules(window);
  Click(form.BitBtn8);  // "Artificial Hand Play"

  const QString moves = form.Edit2->text();
  ASSERT_FALSE(moves.isEmpty());
  EXPECT_EQ(form.Edit2->selectedText(), moves.right(1));
  EXPECT_EQ(form.Edit2->selectionStart(), moves.size() - 1);
  // CK moved first: after an odd number of moves NK is to move.
  EXPECT_EQ(HighlightedRole(form), moves.size() % 2 == 1 ? "NK" : "CK");
  if (window.dialogs.Messages().isEmpty()) {
    EXPECT_EQ(ShownCards(form).substr(6, 2), "2H");  // solved: 2H lies on the Target
  } else {
    EXPECT_EQ(window.dialogs.Messages(), QStringList({"Mano terminata per numero eccessivo di mosse"}));
  }
}

TEST(PlayWindowArtificial, HandPlayWithoutRulesAsksForThem) {
  ShoeWindow window;
  TForm1& form = *window.form;
  Click(form.BitBtn8);
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"Choose the Rules filename from the File menu"}));
  EXPECT_EQ(form.Edit2->text(), "");
}

// Plays all hands with the answer given to the iteration box (none: the box is cancelled).
void PlayAll(WindowFixture& window, const QString* answer) {
  if (answer) window.dialogs.QueueInput(*answer);
  window.form->Players1->trigger();
  if (!answer) {
    EXPECT_EQ(window.dialogs.unanswered, 1);
    window.dialogs.unanswered = 0;  // the cancelled box was meant
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass stayed";
}

std::vector<std::string> FileLines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  std::istringstream text(ReadFile(file));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

TEST(PlayWindowArtificial, PlayAllWritesEachPlayToAutomaAndShowsTheOutputWindow) {
  struct Case {
    const char* name;
    std::optional<QString> answer;
    int plays;
  };
  const Case cases[] = {{"three", "3", 3}, {"zero", "0", 0}, {"cancelled", std::nullopt, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShoeWindow window;
    TForm1& form = *window.form;
    LoadExampleRules(window);
    Click(form.BitBtn2);
    PlayAll(window, c.answer ? &*c.answer : nullptr);

    const ScriptedDialogs::Asked& box = window.dialogs.asked.back();
    EXPECT_EQ(box.kind, ScriptedDialogs::Kind::InputBox);
    EXPECT_EQ(box.text, "Iteration Number");
    EXPECT_EQ(box.details, QStringList({"Iteration Number", "1"}));
    EXPECT_TRUE(window.dialogs.Messages().isEmpty());
    EXPECT_TRUE(form.Form3->isVisible());
    EXPECT_EQ(form.Edit2->text(), "");
    // The window still shows the hand that was on screen.
    EXPECT_EQ(form.Edit4->text(), "2");
    EXPECT_EQ(form.Edit1->text(), "2C 4H 4C 3C 2H 3H");

    const auto& hands = form.State().HandList;
    const std::vector<std::string> automa = FileLines(window.OutputFolder() / "Automa.txt");
    ASSERT_EQ(automa.size(), hands.size() * (2 + c.plays));
    for (std::size_t hand = 0; hand < hands.size(); ++hand) {
      const std::size_t first = hand * (2 + c.plays);
      EXPECT_EQ(automa[first], hands[hand].HandText + " " + hands[hand].FirstRole);
      EXPECT_EQ(automa[first + 1], "");
      for (int play = 0; play < c.plays; ++play) {
        const std::string& moves = automa[first + 2 + play];
        EXPECT_FALSE(moves.empty());
        EXPECT_TRUE(form.Form3->Memo1->Lines().contains(ToQString(moves))) << moves;
      }
    }
  }
}

// A mistyped number loses nothing: the last run's results stay in Automa.txt and in the
// output window.
TEST(PlayWindowArtificial, PlayAllRefusesAnIterationNumberThatIsNoIntegerBeforeEmptyingAnything) {
  ShoeWindow window;
  TForm1& form = *window.form;
  LoadExampleRules(window);
  const QString two = "2";
  PlayAll(window, &two);
  const std::string results = ReadFile(window.OutputFolder() / "Automa.txt");
  const QStringList output = form.Form3->Memo1->Lines();
  ASSERT_FALSE(results.empty());

  const QString answer = "abc";
  PlayAll(window, &answer);
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"'abc' is not a valid integer value"}));
  EXPECT_FALSE(window.dialogs.asked.back().busy) << "the hourglass stayed under the message";
  EXPECT_EQ(ReadFile(window.OutputFolder() / "Automa.txt"), results);
  EXPECT_EQ(form.Form3->Memo1->Lines(), output);
}

TEST(PlayWindowArtificial, PlayAllWithoutRulesAsksForThemAndPlaysNothing) {
  ShoeWindow window;
  TForm1& form = *window.form;
  window.dialogs.QueueFile(Example("rules_ck.txt"));
  form.ArtificialPlayer1->trigger();  // only CK has rules
  form.Players1->trigger();
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"Choose the Rules filename from the File menu"}));
  EXPECT_EQ(window.dialogs.asked.back().kind, ScriptedDialogs::Kind::Message);
  EXPECT_FALSE(std::filesystem::exists(window.OutputFolder() / "Automa.txt"));
  EXPECT_FALSE(form.Form3->isVisible());
}

// --- Classifying the shoe and replaying a move line ---

TEST(PlayWindowClassify, ClassifyAllHandsReportsSuccessAndShowsEveryHandInTheOutputWindow) {
  ShoeWindow window;
  TForm1& form = *window.form;
  form.automatic1->trigger();

  EXPECT_EQ(window.dialogs.Messages(), QStringList({"Automatic analysis succesfully done!"}));
  EXPECT_TRUE(form.Form3->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass stayed";
  const QStringList output = form.Form3->Memo1->Lines();
  EXPECT_TRUE(output.contains("   2H   3C   4C   4H   3H   2C CK")) << output.join('\n').toStdString();
  EXPECT_TRUE(output.contains("   3H   2H   4C   3C   4H   2C NK")) << output.join('\n').toStdString();
  // The window still shows the first hand, untouched.
  EXPECT_EQ(form.Edit1->text(), "2H 3C 4C 4H 3H 2C");
  EXPECT_EQ(ShownCards(form), "2H3C4C4H3H2C");
}

TEST(PlayWindowClassify, AmikTxtIsCompleteOnDiskWhenTheCommandEnds) {
  ShoeWindow window;
  TForm1& form = *window.form;
  form.automatic1->trigger();
  // Read while the program runs, as a researcher would; closing the files adds nothing.
  const std::string on_disk = ReadFile(window.OutputFolder() / "Amik.txt");
  form.State().iodef.CloseFiles(form.State().outputFiles);
  EXPECT_EQ(ReadFile(window.OutputFolder() / "Amik.txt"), on_disk);
  EXPECT_NE(on_disk.find('\t'), std::string::npos) << on_disk;
}

// Double-clicks the move line given (counted from 0) of the move-lines list.
void DoubleClickMoveLine(TForm1& form, int line) {
  QTextCursor cursor(form.Memo2->document()->findBlockByNumber(line));
  cursor.movePosition(QTextCursor::NextCharacter);
  QTest::mouseDClick(form.Memo2->viewport(), Qt::LeftButton, {}, form.Memo2->cursorRect(cursor).center());
}

TEST(PlayWindowClassify, DoubleClickOnAMoveLineReplaysItOnTheBoard) {
  ShoeWindow window;
  TForm1& form = *window.form;
  Click(form.Image4);  // a move of the user's, replaced by the replay
  DoubleClickMoveLine(form, 1);

  EXPECT_EQ(form.Edit2->text(), "UUCCT");
  EXPECT_EQ(ShownCards(form), "2H3C4C4H3H2C");  // the opening board, to step from
  EXPECT_TRUE(form.Memo1->Lines().contains("UUCCT"));
  EXPECT_EQ(form.Memo2->Lines(), QStringList({"CCCCCCCCT", "UUCCT", "PNPUUNTCC"}));
  EXPECT_TRUE(window.dialogs.Messages().isEmpty());

  // The replayed moves can be stepped through like played ones.
  Click(form.BitBtn7);
  EXPECT_EQ(ShownCards(form), "3C4H2C2H3H4C");  // solved: 2H on the Target
  Click(form.BitBtn6);
  EXPECT_EQ(ShownCards(form), "2H3C4C4H3H2C");
  Click(form.BitBtn5);
  EXPECT_EQ(ShownCards(form), "2H4C3C4H3H2C");
}

}  // namespace
}  // namespace bruso
