#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/command_line.h"

namespace bruso {
namespace {

using Words = std::vector<std::string>;

CommandLine Parse(const Words& words) {
  return CommandLine(words, {"--out", "--seed", "--iterations"}, {"--trace"});
}

TEST(CommandLine, SeparatesPositionalArgumentsOptionsAndSwitches) {
  CommandLine line = Parse({"shoe.txt", "--seed", "42", "--trace", "--out", "dir"});
  EXPECT_EQ(line.positional(), (Words{"shoe.txt"}));
  EXPECT_EQ(line.Value("--out"), "dir");
  EXPECT_EQ(line.Number("--seed"), 42u);
  EXPECT_TRUE(line.Has("--trace"));
  EXPECT_FALSE(line.Value("--iterations").has_value());
  EXPECT_FALSE(line.Number("--iterations").has_value());
}

TEST(CommandLine, RejectsWhatItDoesNotKnowOrCannotRead) {
  EXPECT_THROW(Parse({"--bogus"}), UsageError);
  EXPECT_THROW(Parse({"shoe.txt", "--out"}), UsageError);  // a value is missing
  for (const char* bad : {"abc", "-3", "1.5", "", "99999999999999999999"}) {
    CommandLine line = Parse({"--seed", bad});
    EXPECT_THROW(line.Number("--seed"), UsageError) << bad;
  }
}

}  // namespace
}  // namespace bruso
