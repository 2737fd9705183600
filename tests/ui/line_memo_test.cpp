#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QTest>
#include <QTextBlock>

#include "support/window_fixture.h"
#include "ui/line_memo.h"
#include "ui/shown_line.h"
#include "ui/text_conversion.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::WindowFixture;

std::string NumberedLine(int k) { return "CUNTP\t#2H4C3H " + std::to_string(k); }

TEST(LineMemo, KeepsEveryLineInOrderAndShowsThemWhenTheEventLoopRuns) {
  LineMemo memo;
  EXPECT_TRUE(memo.Lines().isEmpty());
  memo.AppendLine("");
  memo.AppendLine("a");
  const std::string bytes = "4h\xe9\xff\t#";
  memo.AppendLine(bytes);
  EXPECT_EQ(memo.Lines(), QStringList({"", "a", ToQString(bytes)}));
  EXPECT_EQ(memo.toPlainText(), "\na\n" + ToQString(bytes));
  EXPECT_EQ(memo.model()->rowCount(), 0);  // not shown before the command returns
  QCoreApplication::processEvents();
  EXPECT_EQ(memo.model()->rowCount(), 3);
  memo.Clear();
  EXPECT_TRUE(memo.Lines().isEmpty());
  EXPECT_EQ(memo.model()->rowCount(), 0);
}

TEST(LineMemo, ALineLongerThanTheViewShowsItsStartAndAMarkerButKeepsItsBytes) {
  LineMemo memo;
  const std::string long_line(10'000'000, 'C');
  memo.AppendLine(long_line);
  memo.Flush();
  const QString shown = memo.model()->index(0, 0).data().toString();
  EXPECT_EQ(shown, QString(ShownLineLength, 'C') + QString::fromUtf8(GoesOnMarker));
  EXPECT_EQ(memo.Line(0), long_line);
}

TEST(LineMemo, CtrlCCopiesTheSelectedLinesWholeAndInOrder) {
  LineMemo memo;
  const std::string long_line(ShownLineLength + 10, 'N');
  for (const std::string& line : {std::string("first"), long_line, std::string("third")}) memo.AppendLine(line);
  memo.Flush();
  memo.selectionModel()->select(memo.model()->index(2, 0), QItemSelectionModel::Select);
  memo.selectionModel()->select(memo.model()->index(1, 0), QItemSelectionModel::Select);
  QTest::keySequence(&memo, QKeySequence::Copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), ToQString(long_line) + "\nthird");
}

// The x of the rightmost dark pixel in a row of the picture, -1 for none.
int RightmostInk(const QImage& picture, const QRect& row) {
  for (int x = row.right(); x >= row.left(); --x) {
    for (int y = row.top(); y <= row.bottom(); ++y) {
      if (qGray(picture.pixel(x, y)) < 128) return x;
    }
  }
  return -1;
}

TEST(LineMemo, TheColumnAfterATabLinesUpPastFortyMoveLetters) {
  WindowFixture window;
  LineMemo& memo = *window.form->Form3->Memo1;
  memo.AppendLine("\tX");
  memo.AppendLine(std::string(40, 'U') + "\tX");
  memo.AppendLine("T\tX");
  memo.Flush();
  window.form->Form3->show();
  memo.resize(2000, memo.height());  // room for the whole column
  QCoreApplication::processEvents();
  const QImage picture = memo.viewport()->grab().toImage();
  const int first = RightmostInk(picture, memo.visualRect(memo.model()->index(0, 0)));
  ASSERT_GT(first, 0);
  for (int row : {1, 2}) {
    EXPECT_EQ(RightmostInk(picture, memo.visualRect(memo.model()->index(row, 0))), first) << row;
  }
}

TEST(LineMemo, AMillionLinesAreHeldAndSavedWhole) {
  WindowFixture window;
  TForm1& form = *window.form;
  constexpr int Count = 1'000'000;
  std::string expected;
  for (int k = 0; k < Count; ++k) {
    form.State().io.OutputLine(NumberedLine(k));
    expected += NumberedLine(k) + '\n';
  }
  form.ShowOutput->trigger();
  LineMemo& memo = *form.Form3->Memo1;
  ASSERT_EQ(memo.model()->rowCount(), Count);
  EXPECT_EQ(memo.Line(Count - 1), NumberedLine(Count - 1));

  const auto target = window.start.path() / "million.txt";
  window.dialogs.QueueFile(PathToQString(target));
  form.Form3->SaveOutput->trigger();
  EXPECT_TRUE(ReadFile(target) == expected);  // not printed: 30 MB
}

TEST(LineMemo, TheOutputLineFoldedOpenShowsItsNewestLines) {
  WindowFixture window;
  TForm1& form = *window.form;
  form.show();
  for (int k = 0; k < 50; ++k) form.State().io.AddLine(NumberedLine(k));
  form.stLayout->trigger();
  QTest::mouseClick(form.Memo1->viewport(), Qt::LeftButton);  // to its shut place
  QTest::mouseClick(form.Memo1->viewport(), Qt::LeftButton);  // open
  ASSERT_EQ(form.Memo1->height(), 177);
  QCoreApplication::processEvents();
  const QRect shown = form.Memo1->viewport()->rect();
  const QModelIndex top = form.Memo1->indexAt(shown.topLeft() + QPoint(2, 2));
  const int last = form.Memo1->model()->rowCount() - 1;
  const QRect newest = form.Memo1->visualRect(form.Memo1->model()->index(last, 0));
  EXPECT_GE(newest.top(), 0);
  EXPECT_LE(newest.bottom(), shown.bottom());
  EXPECT_LT(top.row(), last - 3);  // several lines, not one line and a blank area
}

// A shoe whose listed move line has ten million letters opens at once; a double click on
// the line's start takes the whole line.
TEST(MoveLinesList, AVeryLongMoveLineShowsItsStartAndADoubleClickTakesItWhole) {
  WindowFixture window;
  TForm1& form = *window.form;
  const std::string long_line(10'000'000, 'P');
  const auto shoe = window.start.path() / "long.txt";
  testing::WriteFile(shoe, "2H 3C 4C 4H 3H 2C CK\nnot listed\n" + long_line + "\nUT\n");
  window.dialogs.QueueFile(PathToQString(shoe));
  form.ApriUno->trigger();
  EXPECT_EQ(form.Memo2->document()->firstBlock().length(), ShownLineLength + 3);  // the marker and the line end
  const QStringList lines = form.Memo2->Lines();
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0] == ToQString(long_line));
  EXPECT_EQ(lines[1], "UT");

  QTextCursor start(form.Memo2->document()->firstBlock());
  start.setPosition(1);
  QTest::mouseDClick(form.Memo2->viewport(), Qt::LeftButton, {}, form.Memo2->cursorRect(start).center());
  EXPECT_EQ(form.State().MoveString.size(), long_line.size());
}

}  // namespace
}  // namespace bruso
