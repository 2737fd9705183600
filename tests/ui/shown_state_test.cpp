// The window shows the state its next click acts on: the first mover, the marks and role
// labels after each command, the hand kept through a batch, and the windows and boxes as
// a user meets them.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QWindow>

#include "support/window_reading.h"

namespace bruso {
namespace {

using namespace testing;  // the window fixture and the readers of what it shows

// The small example shoe: hand 1 is CK's, hand 2 NK's (2C 4H 4C 3C 2H 3H), the last one
// NK's too (3H 2H 4C 3C 4H 2C).
struct ShoeWindow : WindowFixture {
  ShoeWindow() { OpenShoe(*this, Example("small_shoe.txt")); }
  int Hands() { return static_cast<int>(form->State().HandList.size()); }
};

// --- The first mover plays first ---

TEST(ShownState, OnAnNKFirstHandTheFirstClickIsNKs) {
  struct Case {
    const char* how;
    std::function<void(ShoeWindow&)> setUp;
    const char* opening;  // the board set up
    const char* afterU;   // the board after NK took the card on UP
  };
  const char* const hand2 = "2C4H4C3C2H3H";
  const char* const hand2AfterU = "2C4H3H3C2H4C";
  const Case cases[] = {
      {"Next Hand", [](ShoeWindow& w) { Click(w.form->BitBtn2); }, hand2, hand2AfterU},
      {"Previous Hand", [](ShoeWindow& w) {
         Click(w.form->BitBtn2);
         Click(w.form->BitBtn2);
         Click(w.form->BitBtn1);
       }, hand2, hand2AfterU},
      {"Clear Hand", [](ShoeWindow& w) {
         Click(w.form->BitBtn2);
         Click(w.form->Image4);
         Click(w.form->Image4);
         w.form->Clear1->trigger();
       }, hand2, hand2AfterU},
      {"Start with no moves", [](ShoeWindow& w) {
         Click(w.form->BitBtn2);
         Click(w.form->BitBtn6);
       }, hand2, hand2AfterU},
      {"Next Hand on the last hand", [](ShoeWindow& w) {
         for (int k = 1; k < w.Hands(); ++k) Click(w.form->BitBtn2);
         Click(w.form->Image5);
         Click(w.form->BitBtn2);
       }, "3H2H4C3C4H2C", "3H2H2C3C4H4C"},
      {"Open Shoe", [](ShoeWindow& w) {
         const auto shoe = w.start.path() / "nk_first.txt";
         testing::WriteFile(shoe, "2C 4H 4C 3C 2H 3H NK\n-\nTNCT\n");
         OpenShoe(w, PathToQString(shoe));
       }, hand2, hand2AfterU},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ShoeWindow window;
    TForm1& form = *window.form;
    c.setUp(window);
    EXPECT_EQ(form.Label7->text(), "NK first move");
    EXPECT_EQ(ShownCards(form), c.opening);
    EXPECT_EQ(form.Edit2->text(), "");
    EXPECT_EQ(MarkedFrames(form), "......");
    EXPECT_EQ(HighlightedRole(form), "NK");

    Click(form.Image5);  // NK swaps its card with the one on UP
    EXPECT_EQ(ShownCards(form), c.afterU);
    EXPECT_EQ(form.Edit2->text(), "U");
    EXPECT_EQ(MarkedFrames(form), "..x..x");
    EXPECT_EQ(HighlightedRole(form), "CK");
  }
}

// --- A batch leaves the hand on screen alone ---

// Everything the window shows of the hand and the position.
struct Shown {
  QString handNumber, handText, caption, moves, selected;
  int selectionStart;
  std::string cards, frames, role;
  QStringList moveLines;
  bool operator==(const Shown&) const = default;
};

Shown WhatIsShown(TForm1& form) {
  return {form.Edit4->text(), form.Edit1->text(), form.Label7->text(), form.Edit2->text(),
          form.Edit2->selectedText(), form.Edit2->selectionStart(), ShownCards(form), MarkedFrames(form),
          HighlightedRole(form), form.Memo2->Lines()};
}

TEST(ShownState, BatchCommandsLeaveTheHandOnScreenAndItsMovesInPlace) {
  ShoeWindow window;
  TForm1& form = *window.form;
  LoadExampleRules(window);
  Click(form.BitBtn2);  // hand 2, NK's
  Click(form.Image5);   // NK takes 4C from UP
  Click(form.Image4);   // CK swaps with C
  Click(form.BitBtn4);  // "<": back to the position after NK's move
  const Shown before = WhatIsShown(form);
  ASSERT_EQ(before.moves, "UC");
  ASSERT_EQ(before.cards, "2C4H3H3C2H4C");

  form.automatic1->trigger();
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"Automatic analysis succesfully done!"}));
  EXPECT_EQ(WhatIsShown(form), before);
  Click(form.BitBtn5);  // ">": CK's move is still there
  EXPECT_EQ(ShownCards(form), "4H2C3H3C2H4C");
  Click(form.BitBtn4);

  window.dialogs.QueueInput("2");
  form.Players1->trigger();
  EXPECT_TRUE(form.Form3->isVisible());
  EXPECT_EQ(WhatIsShown(form), before);
  EXPECT_EQ(ReadFile(window.OutputFolder() / "Automa.txt").substr(0, 22), "2H 3C 4C 4H 3H 2C CK\n\n");

  Click(form.Image6);  // the next click is CK's, on this hand: CK takes 2H from N
  EXPECT_EQ(form.Edit2->text(), "UN");
  EXPECT_EQ(ShownCards(form), "2C2H3H3C4H4C");
  EXPECT_EQ(MarkedFrames(form), ".x..x.");
  EXPECT_EQ(window.dialogs.Messages().size(), 1);
}

// --- Marks and labels describe the position shown ---

// Clicks on the window's controls, in turn.
template <typename... Controls>
std::function<void(ShoeWindow&)> Clicks(Controls... controls) {
  return [=](ShoeWindow& w) { (Click(w.form.get()->*controls), ...); };
}

void DoubleClickFirstMoveLine(ShoeWindow& w) {
  TForm1& form = *w.form;
  QTextCursor cursor(form.Memo2->document()->findBlockByNumber(0));
  cursor.movePosition(QTextCursor::NextCharacter);
  QTest::mouseDClick(form.Memo2->viewport(), Qt::LeftButton, {}, form.Memo2->cursorRect(cursor).center());
}

TEST(ShownState, AfterEveryCommandMarksAndLabelDescribeThePositionShown) {
  struct Case {
    const char* command;
    std::function<void(ShoeWindow&)> before;  // what the user did first, on hand 1 (CK's)
    std::function<void(ShoeWindow&)> run;
    const char* frames;
    const char* role;
    const char* pass;
  };
  const auto reopen = [](ShoeWindow& w) { OpenShoe(w, Example("small_shoe.txt")); };
  const Case cases[] = {
      {"Open Shoe after a move", Clicks(&TForm1::Image5), reopen, "......", "CK", "Passo"},
      {"Open Shoe after a pass", Clicks(&TForm1::Passo), reopen, "......", "CK", "Passo"},
      {"Next Hand after a pass", Clicks(&TForm1::Passo), Clicks(&TForm1::BitBtn2), "......", "NK", "Passo"},
      {"Previous Hand onto a CK hand", Clicks(&TForm1::BitBtn2, &TForm1::Image5), Clicks(&TForm1::BitBtn1),
       "......", "CK", "Passo"},
      // U, U, C: CK took the card on C last, NK is to move.
      {"End after Start", Clicks(&TForm1::Image5, &TForm1::Image5, &TForm1::Image4, &TForm1::BitBtn6),
       Clicks(&TForm1::BitBtn7), "xx....", "NK", "Passo"},
      {"Start after a pass", Clicks(&TForm1::Image5, &TForm1::Passo), Clicks(&TForm1::BitBtn6), "......", "CK",
       "Passo"},
      {"Clear Hand after a pass", Clicks(&TForm1::Passo), [](ShoeWindow& w) { w.form->Clear1->trigger(); },
       "......", "CK", "Passo"},
      {"a double click on a move line after a move", Clicks(&TForm1::Image5), DoubleClickFirstMoveLine, "......",
       "CK", "Passo"},
      // The rules play NNCCT from the opening position: CK's T onto the Target is marked.
      {"Artificial Hand Play after a pass", Clicks(&TForm1::Passo), Clicks(&TForm1::BitBtn8), ".x.x..", "NK",
       "Passo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ShoeWindow window;
    TForm1& form = *window.form;
    LoadExampleRules(window);
    c.before(window);
    c.run(window);
    EXPECT_EQ(MarkedFrames(form), c.frames) << "after " << form.Edit2->text().toStdString();
    EXPECT_EQ(HighlightedRole(form), c.role);
    EXPECT_EQ(form.Passo->text(), c.pass);
  }
}

// --- Windows come to the front ---

bool Active(QWidget* window) { return QTest::qWaitForWindowActive(window, 2000); }

TEST(ShownState, WindowsThatACommandShowsComeToTheFrontActive) {
  ShoeWindow window;
  TForm1& form = *window.form;
  form.show();
  struct Command {
    const char* name;
    QAction* item;
    QWidget* shown;
  };
  const Command commands[] = {
      {"Show Output", form.ShowOutput, form.Form3.get()},
      {"Classify All Hands", form.automatic1, form.Form3.get()},
      {"ShowRules", form.ShowRules1, form.Form4.get()},
  };
  for (const Command& c : commands) {
    SCOPED_TRACE(c.name);
    for (int time = 0; time < 2; ++time) {  // the second time it is open behind the main window
      form.raise();
      form.activateWindow();
      ASSERT_TRUE(Active(&form));
      c.item->trigger();
      EXPECT_TRUE(Active(c.shown)) << "time " << time;
    }
  }
}

TEST(ShownState, TheAboutBoxBelongsToTheMainWindowAndHasNoTitleBarButtons) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  form.Aboutunh->trigger();
  ASSERT_NE(form.Form2->windowHandle(), nullptr);
  EXPECT_EQ(form.Form2->windowHandle()->transientParent(), form.windowHandle());
  const Qt::WindowFlags buttons = Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                  Qt::WindowContextHelpButtonHint;
  EXPECT_FALSE(form.Form2->windowFlags() & buttons);
  Click(form.Form2->Button1);
  EXPECT_TRUE(form.isEnabled());
}

// --- Boxes that only show state ---

TEST(ShownState, TheBoxesThatShowStateCanBeSelectedButNotEdited) {
  ShoeWindow window;
  TForm1& form = *window.form;
  form.show();
  ASSERT_TRUE(Active(&form));
  Click(form.Image5);
  for (QLineEdit* box : {form.Edit1, form.Edit2, form.Edit4}) {
    SCOPED_TRACE(box->toolTip().toStdString());
    const QString text = box->text();
    box->setFocus();
    QTest::keyClicks(box, "x");
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->text(), text);
  }
  const QStringList lines = form.Memo2->Lines();
  form.Memo2->setFocus();
  QTest::keyClicks(form.Memo2->viewport(), "x");
  EXPECT_EQ(form.Memo2->Lines(), lines);
  EXPECT_TRUE(form.Memo2->isReadOnly());
  // The move cursor stays selected, also when the focus goes elsewhere.
  EXPECT_EQ(form.Edit2->selectedText(), "U");
  form.Edit2->setFocus();
  form.BitBtn5->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(form.Edit2->selectedText(), "U");
}

// --- Smaller faults seen in use ---

QStringList* warnings = nullptr;
void RecordWarning(QtMsgType, const QMessageLogContext&, const QString& text) {
  if (warnings != nullptr) *warnings << text;
}

TEST(ShownState, ASelectionLeftFromALongerMoveStringSelectsNoMissingLetter) {
  WindowFixture window;
  TForm1& form = *window.form;
  QStringList seen;
  warnings = &seen;
  const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
  SharedState& state = form.State();
  state.MoveString = "CUN";
  state.view.selectionStart = 2;
  state.view.selectionLength = 1;
  form.ShowState();
  state.MoveString = "C";
  form.ShowState();
  EXPECT_FALSE(form.Edit2->hasSelectedText());
  state.MoveString.clear();
  form.ShowState();
  qInstallMessageHandler(previous);
  warnings = nullptr;
  EXPECT_TRUE(seen.isEmpty()) << seen.join('\n').toStdString();
  EXPECT_FALSE(form.Edit2->hasSelectedText());
}

TEST(ShownState, SmallerFaults) {
  ShoeWindow window;
  TForm1& form = *window.form;
  // The hourglass is gone before the final message box of Classify All Hands.
  form.automatic1->trigger();
  ASSERT_EQ(window.dialogs.asked.back().kind, ScriptedDialogs::Kind::Message);
  EXPECT_FALSE(window.dialogs.asked.back().busy);

  // The header over the hand text and the hand text: one font of fixed pitch and size.
  const QFontInfo header(form.LabelSyntax->font());
  const QFontInfo hand(form.Edit1->font());
  EXPECT_EQ(header.family(), hand.family());
  EXPECT_EQ(header.pixelSize(), hand.pixelSize());
  EXPECT_TRUE(hand.fixedPitch());

  // The rules dialogs say which rules they load.
  LoadExampleRules(window);
  const auto& asked = window.dialogs.asked;
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[asked.size() - 2].title, "Load Rules CK");
  EXPECT_EQ(asked.back().title, "Load Rules NK");
}

TEST(ShownState, WithNoHandInTheListTheHandButtonsShowHandZero) {
  ShoeWindow window;
  TForm1& form = *window.form;
  Click(form.Image5);
  // A shoe without a hand: the list is empty, the hand stays on screen.
  const auto empty = window.start.path() / "empty.txt";
  WriteFile(empty, "");
  OpenShoe(window, PathToQString(empty));
  const std::string cards = ShownCards(form);
  for (QPushButton* button : {form.BitBtn1, form.BitBtn2}) {
    Click(button);
    EXPECT_EQ(form.Edit4->text(), "0");
    EXPECT_EQ(ShownCards(form), cards);
  }
  EXPECT_EQ(window.dialogs.Messages(), QStringList({"List index out of bounds (0)"}));
}

}  // namespace
}  // namespace bruso
