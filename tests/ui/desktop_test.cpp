// The window as a desktop program: mnemonics, the title, keys, drag and drop, Escape,
// minimised windows and the screen's size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "support/window_reading.h"
#include "ui/window_geometry.h"
#include "ui/window_keys.h"

namespace bruso {
namespace {

using testing::Example;
using testing::WindowFixture;

// Every menu of the bar and every item of each menu has a mnemonic, the letters differing
// among the menus and among the items of one menu.
void ExpectMnemonics(QMenuBar* bar, const char* window) {
  const auto check = [&](QAction* action, QString& letters) {
    const QString text = action->text();
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    ASSERT_TRUE(at >= 0 && at + 1 < text.size()) << window << ": " << text.toStdString();
    const QChar letter = text[at + 1].toLower();
    EXPECT_FALSE(letters.contains(letter)) << window << ": " << text.toStdString() << " repeats " << letters.toStdString();
    letters += letter;
  };
  QString menu_letters;
  for (QAction* top : bar->actions()) {
    check(top, menu_letters);
    QString item_letters;
    for (QAction* item : top->menu()->actions()) {
      if (!item->isSeparator()) check(item, item_letters);
    }
  }
}

TEST(Desktop, EveryMenuAndItemHasAMnemonicOfItsOwn) {
  WindowFixture window;
  ExpectMnemonics(window.form->menuBar(), "main");
  ExpectMnemonics(window.form->Form3->menuBar(), "output");
  ExpectMnemonics(window.form->FormStatistics->menuBar(), "statistics");
}

TEST(Desktop, TheTitleNamesTheOpenShoe) {
  WindowFixture window;
  TForm1& form = *window.form;
  EXPECT_EQ(form.windowTitle(), "Bruso");
  testing::OpenShoe(window, Example("small_shoe.txt"));
  EXPECT_EQ(form.windowTitle(), "small_shoe.txt - Bruso");
  testing::OpenShoe(window, QString());  // cancelled: the same shoe stays open
  EXPECT_EQ(form.windowTitle(), "small_shoe.txt - Bruso");
  testing::OpenShoe(window, Example("two_hands_shoe.txt"));
  EXPECT_EQ(form.windowTitle(), "two_hands_shoe.txt - Bruso");
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

TEST(Desktop, AShoeDroppedOnTheWindowOpensAsOpenShoeOpensIt) {
  WindowFixture opened;
  testing::OpenShoe(opened, Example("small_shoe.txt"));
  WindowFixture dropped;
  TForm1& form = *dropped.form;
  const QUrl shoe = QUrl::fromLocalFile(Example("small_shoe.txt"));
  EXPECT_FALSE(Drop(form, {shoe, shoe})) << "two files at once";
  EXPECT_FALSE(Drop(form, {QUrl::fromLocalFile(PathToQString(dropped.start.path()))})) << "a folder";
  EXPECT_FALSE(Drop(form, {QUrl(QStringLiteral("https://example.org/shoe.txt"))})) << "not a local file";
  EXPECT_TRUE(form.State().HandList.empty());

  ASSERT_TRUE(Drop(form, {shoe}));
  EXPECT_EQ(form.windowTitle(), "small_shoe.txt - Bruso");
  EXPECT_EQ(form.State().HandList.size(), opened.form->State().HandList.size());
  for (auto [mine, theirs] : {std::pair{form.Edit1, opened.form->Edit1}, std::pair{form.Edit4, opened.form->Edit4}}) {
    EXPECT_EQ(mine->text(), theirs->text());
  }
  EXPECT_EQ(form.Memo2->Lines(), opened.form->Memo2->Lines());
  EXPECT_EQ(testing::ShownCards(form), testing::ShownCards(*opened.form));
  EXPECT_TRUE(dropped.dialogs.asked.empty()) << "a drop asks for no file";
}

// Shows the window, makes it active and presses Escape in it.
void PressEscape(QWidget* shown) {
  shown->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(shown, 5000)) << shown->windowTitle().toStdString();
  QTest::keyClick(shown, Qt::Key_Escape);
}

TEST(Desktop, EscapeClosesTheAboutBoxAndTheOtherWindows) {
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

TEST(Desktop, ShowOutputAndStatisticsBringBackAMinimisedWindow) {
  WindowFixture window;
  TForm1& form = *window.form;
  for (auto [command, shown] : {std::pair<QAction*, QWidget*>{form.ShowOutput, form.Form3.get()},
                                std::pair<QAction*, QWidget*>{form.Statistics1, form.FormStatistics.get()}}) {
    command->trigger();
    shown->showMinimized();
    ASSERT_TRUE(shown->isMinimized());
    command->trigger();
    EXPECT_FALSE(shown->isMinimized()) << shown->windowTitle().toStdString();
    EXPECT_TRUE(shown->isVisible());
  }
}

TEST(Desktop, WindowsShownOnASmallScreenFitIt) {
  WindowFixture window;
  TForm1& form = *window.form;
  const QSize room = ScreenRoom(&form);
  for (auto [command, shown] : {std::pair<QAction*, QWidget*>{form.ShowOutput, form.Form3.get()},
                                std::pair<QAction*, QWidget*>{form.ShowRules1, form.Form4.get()},
                                std::pair<QAction*, QWidget*>{form.Statistics1, form.FormStatistics.get()},
                                std::pair<QAction*, QWidget*>{form.Aboutunh, form.Form2.get()}}) {
    command->trigger();
    EXPECT_TRUE(room.expandedTo(shown->size()) == room)
        << shown->windowTitle().toStdString() << " " << shown->width() << "x" << shown->height();
  }
}

}  // namespace
}  // namespace bruso
