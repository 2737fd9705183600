#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "engine/io_error.h"
#include "engine/text_file.h"
#include "engine/text_lines.h"
#include "engine/whole_integer.h"
#include "support/recorders.h"

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

// Lines of 64 MB are made as holes in a sparse file: no disk space, no time.
TEST(ReadWholeFile, RefusesALineLongerThan64MBNamingTheLineAndTheFile) {
  struct Case {
    const char* before;  // the text before the long line
    std::size_t length;  // the long line's bytes before its end
    const char* end;     // the text after it
    const char* refused;  // the message's start, or none
  };
  const Case cases[] = {
      {"", MaxLineBytes, "\r\n", nullptr},  // the CR belongs to the line end
      {"2H\n", MaxLineBytes + 1, "\n", "Line 2 is longer than 64 MB: "},
      {"", MaxLineBytes, "\r", "Line 1 is longer than 64 MB: "},  // a last line keeps its CR
  };
  testing::TempFolder folder;
  const std::string path = (folder.path() / "long.txt").string();
  for (const Case& c : cases) {
    testing::WriteFile(path, c.before);
    std::filesystem::resize_file(path, std::strlen(c.before) + c.length);
    std::ofstream(path, std::ios::app | std::ios::binary) << c.end;
    try {
      EXPECT_EQ(ReadWholeFile(path).size(), std::strlen(c.before) + c.length + std::strlen(c.end));
      EXPECT_EQ(c.refused, nullptr) << "accepted: " << c.before << c.length;
    } catch (const IoError& error) {
      EXPECT_EQ(error.what(), std::string(c.refused != nullptr ? c.refused : "(accepted) ") + path);
    }
  }
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
