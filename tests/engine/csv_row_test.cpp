#include <gtest/gtest.h>

#include <cmath>

#include "engine/csv_row.h"

namespace bruso {
namespace {

TEST(CsvRow, QuotesOnlyTheFieldsThatNeedIt) {
  struct Case {
    std::string field;
    std::string written;
  };
  const Case cases[] = {
      {"CUNTP", "CUNTP"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {" lead", "\" lead\""},
      {"trail ", "\"trail \""},
      {"in side", "in side"},
  };
  for (const Case& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;
  EXPECT_EQ(CsvRow({"1", "x,y", ""}), "1,\"x,y\",");
}

// A row reads back into the fields it was written from; a quote left open, or text after
// a closing quote, is refused.
TEST(CsvRow, ARowReadsBackIntoItsFields) {
  const std::vector<std::vector<std::string>> rows = {
      {"analysis", "1", "0", "-12.5"}, {"rules:ck.txt,nk.txt", "", ""}, {"say \"x\"", " lead", "\"\""}, {""}};
  std::vector<std::string> fields;
  for (const std::vector<std::string>& row : rows) {
    ASSERT_TRUE(ReadCsvRow(CsvRow(row), fields)) << CsvRow(row);
    EXPECT_EQ(fields, row) << CsvRow(row);
  }
  EXPECT_FALSE(ReadCsvRow("a,\"b", fields));
  EXPECT_FALSE(ReadCsvRow("\"a\"b,c", fields));
}

// Numbers of the study tables read back as the same double, in their shortest form.
TEST(CsvRow, ExactNumbersReadBackTheSame) {
  for (const double value : {0.1, 1.0 / 3, -16869.157312345678, 1e-6, 0.95, 1.7976931348623157e308}) {
    const std::string text = ExactNumber(value);
    EXPECT_EQ(std::stod(text), value) << text;
  }
  EXPECT_EQ(ExactNumber(0.95), "0.95");
  EXPECT_EQ(ExactNumber(1), "1");
  EXPECT_EQ(ExactNumber(NAN), "");
}

}  // namespace
}  // namespace bruso
