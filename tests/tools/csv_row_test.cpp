#include <gtest/gtest.h>

#include "tools/csv_row.h"

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

}  // namespace
}  // namespace bruso
