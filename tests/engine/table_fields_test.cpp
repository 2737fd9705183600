#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "engine/output_files.h"
#include "engine/table_fields.h"

namespace bruso {
namespace {

TEST(TableFields, AreWrittenAsTheCsvTablesHoldThem) {
  const struct {
    TableField field;
    std::string text;
  } cases[] = {
      {TableField(), ""},
      {std::int64_t{-42}, "-42"},
      {std::numeric_limits<std::uint64_t>::max(), "18446744073709551615"},
      {0.1, "0.1"},
      {-160.94379124341003, "-160.94379124341003"},
      {std::nan(""), ""},
      {std::string("CCUT, \"quoted\""), "CCUT, \"quoted\""},
      {FlagField(true), "1"},
      {FlagField(false), "0"},
      {NumberIf(false, 0.5), ""},
      {NumberIf(true, 1e-7), "1e-07"},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldText(c.field), c.text) << c.text;
}

TEST(DiscardedOutputFiles, TakeEveryLineAndKeepNone) {
  Iodef iodef;
  OutputFiles files;
  iodef.OpenDiscarding(files);
  files.Amik().WriteLine(std::string(200'000, 'C'));
  iodef.CloseFiles(files);
  for (const std::string& path : files.paths) EXPECT_EQ(path, NullDevice);
}

}  // namespace
}  // namespace bruso
