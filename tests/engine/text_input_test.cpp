#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/text_lines.h"
#include "engine/whole_integer.h"

namespace bruso {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  LineCursor cursor(text);
  std::string_view line;
  while (cursor.Next(line)) lines.emplace_back(line);
  return lines;
}

TEST(LineCursor, EndsLinesAtLFWithACRBeforeItBelongingToTheLineEnd) {
  EXPECT_EQ(Lines(""), std::vector<std::string>{});
  EXPECT_EQ(Lines("a\r\n\r\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Lines("a\rb\n\n"), (std::vector<std::string>{"a\rb", ""}));
  EXPECT_EQ(Lines("last\r"), (std::vector<std::string>{"last\r"}));  // no line end follows
}

TEST(ParseWholeInteger, ReadsDecimalAndHexadecimalWholeNumbersOnly) {
  struct Case {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Case cases[] = {
      {"0", 0},           {"42", 42},          {"-7", -7},
      {"+7", 7},          {"  3", 3},          {"$A", 10},
      {"x1f", 31},        {"X1F", 31},         {"0x10", 16},
      {"-$10", -16},      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt},            {"", std::nullopt},
      {"-", std::nullopt},                     {"$", std::nullopt},
      {"0x", std::nullopt},                    {"3a", std::nullopt},
      {"1,", std::nullopt},                    {"3 ", std::nullopt},
      {"1.5", std::nullopt},                   {"abc", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWholeInteger(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace bruso
