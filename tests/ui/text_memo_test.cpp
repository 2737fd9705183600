#include <gtest/gtest.h>

#include <QCoreApplication>

#include "ui/text_memo.h"

namespace bruso {
namespace {

TEST(TextMemo, KeepsEveryLineInOrderEmptyOnesIncluded) {
  TextMemo memo;
  EXPECT_TRUE(memo.Lines().isEmpty());
  memo.AppendLine("");
  memo.Flush();
  memo.AppendLine("a");
  memo.AppendLine("");
  EXPECT_EQ(memo.Lines(), QStringList({"", "a", ""}));
  memo.Clear();
  EXPECT_TRUE(memo.Lines().isEmpty());
}

TEST(TextMemo, ShowsCollectedLinesWhenTheEventLoopRuns) {
  TextMemo memo;
  memo.AppendLine("first");
  memo.AppendLine("second");
  EXPECT_EQ(memo.toPlainText(), "");
  QCoreApplication::processEvents();
  EXPECT_EQ(memo.toPlainText(), "first\nsecond");
}

TEST(TextMemo, GivesBackEveryByteOfALine) {
  TextMemo memo;
  const std::string bytes = "4h\xe9\xff\t#";
  memo.AppendLine(bytes);
  ASSERT_EQ(memo.Lines().size(), 1);
  EXPECT_EQ(memo.Lines()[0].toLatin1().toStdString(), bytes);
}

TEST(TextMemo, TakesAHundredThousandLinesOfABatch) {
  TextMemo memo;
  for (int k = 0; k < 100000; ++k) memo.AppendLine("CUNTP " + std::to_string(k));
  const QStringList lines = memo.Lines();
  ASSERT_EQ(lines.size(), 100000);
  EXPECT_EQ(lines.front(), "CUNTP 0");
  EXPECT_EQ(lines.back(), "CUNTP 99999");
}

}  // namespace
}  // namespace bruso
