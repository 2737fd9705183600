// The window as a desktop program: mnemonics, the title, keys, drag and drop, Escape,
// minimised windows and the screen's size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QSet>
#include <QTest>
#include <QTimer>

#include "support/window_reading.h"
#include "ui/window_keys.h"

namespace bruso {
namespace {

using testing::Example;
using testing::WindowFixture;

// The mnemonic letters of the actions, in order ('?' for one without): a menu's items, or
// the menus of a bar.
QString Mnemonics(const QList<QAction*>& actions) {
  QString letters;
  for (QAction* action : actions) {
    const qsizetype at = action->text().indexOf(QLatin1Char('&'));
    if (!action->isSeparator()) letters += at < 0 ? QChar('?') : action->text()[at + 1].toLower();
  }
  return letters;
}

// Every menu of the bar and every item of each menu has a mnemonic, none repeated within.
void ExpectMnemonics(QMenuBar* bar, const char* window) {
  std::vector<QString> groups = {Mnemonics(bar->actions())};
  for (QAction* top : bar->actions()) groups.push_back(Mnemonics(top->menu()->actions()));
  for (const QString& letters : groups) {
    EXPECT_FALSE(letters.contains('?')) << window << ": " << letters.toStdString();
    EXPECT_EQ(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size()) << window << ": " << letters.toStdString();
  }
}

TEST(Desktop, EveryMenuAndItemHasAMnemonicOfItsOwn) {
  WindowFixture window;
  ExpectMnemonics(window.form->menuBar(), "main");
  ExpectMnemonics(window.form->Form3->menuBar(), "output");
  ExpectMnemonics(window.form->FormStatistics->menuBar(), "statistics");
}

TEST(Desktop, ArrowAndPageKeysStepWhicheverControlHasTheFocus) {
  WindowFixture window;
  TForm1& form = *window.form;
  const auto shoe = window.start.path() / "shoe.txt";
  testing::WriteFile(shoe, "2H 3C 4C 4H 3H 2C CK\nfirst\nUUCCT\n4H 4C 3H 3C 2H 2C NK\nfirst\nCU\n");
  testing::OpenShoe(window, PathToQString(shoe));
  for (CardImage* card : {form.Image5, form.Image5, form.Image4}) emit card->clicked();
  ASSERT_EQ(form.Edit2->text(), "UUC");
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 5000));

  const int end = form.State().MovePosition;
  for (QWidget* focused : std::initializer_list<QWidget*>{form.Edit1, form.Edit2, form.Edit4, form.Memo2,
                                                          form.Memo1, form.BitBtn6}) {
    focused->setFocus();
    const std::string name = focused->metaObject()->className();
    QTest::keyClick(focused, Qt::Key_Left);
    EXPECT_EQ(form.State().MovePosition, end - 1) << name;
    QTest::keyClick(focused, Qt::Key_Left, Qt::ShiftModifier);  // selects in a box; steps nothing
    EXPECT_EQ(form.State().MovePosition, end - 1) << name;
    QTest::keyClick(focused, Qt::Key_Right);
    EXPECT_EQ(form.State().MovePosition, end) << name;
  }
  EXPECT_EQ(form.Edit2->text(), "UUC") << "stepping keeps the moves";

  form.Memo2->setFocus();
  QTest::keyClick(form.Memo2, Qt::Key_PageDown);
  EXPECT_EQ(form.Edit4->text(), "2");
  EXPECT_EQ(form.Edit1->text(), "4H 4C 3H 3C 2H 2C");
  QTest::keyClick(form.Memo2, Qt::Key_PageUp);
  EXPECT_EQ(form.Edit4->text(), "1");
  // The buttons' own clicks still work beside the keys.
  testing::Click(form.BitBtn2);
  EXPECT_EQ(form.Edit4->text(), "2");
}

// Sends a drag that enters the window and is dropped: true when the window took it.
bool Drop(TForm1& form, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  enter.ignore();
  QApplication::sendEvent(&form, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &drop);
  return drop.isAccepted();
}

TEST(Desktop, AShoeDroppedOnTheWindowOpensAsOpenShoeOpensItAndTheTitleNamesIt) {
  WindowFixture opened;
  testing::OpenShoe(opened, Example("small_shoe.txt"));
  WindowFixture dropped;
  TForm1& form = *dropped.form;
  const QUrl shoe = QUrl::fromLocalFile(Example("small_shoe.txt"));
  // Two files at once, a folder, a file that is not local: none is taken.
  for (const QList<QUrl>& refused : {QList{shoe, shoe}, QList{QUrl::fromLocalFile(PathToQString(dropped.start.path()))},
                                     QList{QUrl(QStringLiteral("https://example.org/shoe.txt"))}}) {
    EXPECT_FALSE(Drop(form, refused)) << refused.front().toString().toStdString();
  }
  EXPECT_TRUE(form.State().HandList.empty());
  EXPECT_EQ(form.windowTitle(), "Bruso");

  ASSERT_TRUE(Drop(form, {shoe}));
  EXPECT_EQ(form.windowTitle(), "small_shoe.txt - Bruso");
  EXPECT_EQ(form.Edit1->text(), opened.form->Edit1->text());
  EXPECT_EQ(form.Memo2->Lines(), opened.form->Memo2->Lines());
  EXPECT_EQ(testing::ShownCards(form), testing::ShownCards(*opened.form));
  EXPECT_TRUE(dropped.dialogs.asked.empty()) << "a drop asks for no file";
  testing::OpenShoe(dropped, Example("two_hands_shoe.txt"));
  EXPECT_EQ(form.windowTitle(), "two_hands_shoe.txt - Bruso");
}

// Shows the window, makes it active and presses Escape in it.
void PressEscape(QWidget* shown) {
  shown->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(shown, 5000)) << shown->windowTitle().toStdString();
  QTest::keyClick(shown, Qt::Key_Escape);
}

TEST(Desktop, EscapeClosesTheAboutBoxAndTheOtherWindowsWhichComeBackFromMinimised) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  const std::pair<QAction*, QWidget*> windows[] = {{form.ShowOutput, form.Form3.get()},
                                                   {form.ShowRules1, form.Form4.get()},
                                                   {form.Statistics1, form.FormStatistics.get()},
                                                   {form.Aboutunh, form.Form2.get()}};
  for (auto [command, shown] : windows) {
    command->trigger();
    ASSERT_TRUE(shown->isVisible());
    PressEscape(shown);
    EXPECT_FALSE(shown->isVisible()) << shown->windowTitle().toStdString();
  }
  EXPECT_TRUE(form.isEnabled()) << "the About box gives the window back";

  // Show Output brings back a minimised output window.
  form.Form3->showMinimized();
  form.ShowOutput->trigger();
  EXPECT_FALSE(form.Form3->isMinimized());

  // The help window runs a modal loop: Escape ends it.
  bool closed_by_escape = false;
  QTimer::singleShot(0, [&] {
    PressEscape(form.FormHelp.get());
    closed_by_escape = !form.FormHelp->isVisible();
    if (!closed_by_escape) form.FormHelp->reject();  // so that the test goes on
  });
  form.Quitdoi->trigger();
  EXPECT_TRUE(closed_by_escape);
}

}  // namespace
}  // namespace bruso
