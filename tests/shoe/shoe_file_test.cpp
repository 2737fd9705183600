#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/io_error.h"
#include "shoe/shoe_file.h"
#include "support/recorders.h"

namespace bruso {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(ShoeFile, HandLinesAreTrimmedUpperCasedAndLoseTheirMark) {
  struct Case {
    const char* line;
    const char* hand_text;
    const char* first_role;
  };
  const Case cases[] = {
      {"4H 4C 3H 3C 2H 2C NK   ", "4H 4C 3H 3C 2H 2C", "NK"},
      {"  4H 4C 3H 3C 2H 2C ck", "4H 4C 3H 3C 2H 2C", "CK"},     // a lower-case mark counts
      {"\t4H 4C 3H 3C 2H 2C\r", "4H 4C 3H 3C 2H 2C", "CK"},      // no mark: CK, text kept
      {"NK 4H 4C 3H 3C 2H 2C CK", "NK 4H 4C 3H 3C 2H 2C", "CK"},  // both: CK wins, NK stays
      {"4H 4C NK3H 3C 2H 2C", "4H 4C   3H 3C 2H 2C", "NK"},     // the mark may stand anywhere
      {"4h 4c 3h 3c 2H 2c", "4H 4C 3H 3C 2H 2C", "CK"},
      {"2H", "2H", "CK"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(IsHandLine(c.line)) << c.line;
    Fhand hand = HandFromLine(c.line);
    EXPECT_EQ(hand.HandText, c.hand_text) << c.line;
    EXPECT_EQ(hand.FirstRole, c.first_role) << c.line;
  }
  EXPECT_FALSE(IsHandLine("4h 4c 3h 3c 2h 2c"));  // the test for 2H is case-sensitive
  EXPECT_FALSE(IsHandLine("CUNTP"));
}

TEST(ShoeFile, MoveLinesAreKeptExactlyAndFollowTheirHand) {
  const std::string text =
      "stray line before any hand\r\n"
      "4H 4C 3H 3C 2H 2C\r\n"
      "first\r\n"
      " CunT  \r\n"
      "\r\n"
      "4h 4c 3h 3c 2h 2c\n"
      "2H 3H 4H 2C 3C 4C nk\n"
      "last without line end\r";
  Shoe shoe = ReadShoe(text);
  EXPECT_EQ(shoe.orphanMoveLines, 1);
  ASSERT_EQ(shoe.hands.size(), 2u);
  std::vector<std::string> lines;
  for (const moves& m : shoe.hands[0].MoveLines) lines.push_back(m.Line);
  EXPECT_EQ(lines, (std::vector<std::string>{"first", " CunT  ", "", "4h 4c 3h 3c 2h 2c"}));
  EXPECT_EQ(shoe.hands[1].FirstRole, "NK");
  ASSERT_EQ(shoe.hands[1].MoveLines.size(), 1u);
  EXPECT_EQ(shoe.hands[1].MoveLines[0].Line, "last without line end\r");

  // Hands without lines, between others and last.
  shoe = ReadShoe("2H 3H 4H 2C 3C 4C\n2H 3H 4H 2C 3C 4C\nCUNT\nPT\n2H 3H 4H 2C 3C 4C\n");
  ASSERT_EQ(shoe.hands.size(), 3u);
  EXPECT_TRUE(shoe.hands[0].MoveLines.empty());
  ASSERT_EQ(shoe.hands[1].MoveLines.size(), 2u);
  EXPECT_EQ(shoe.hands[1].MoveLines[1].Line, "PT");
  EXPECT_TRUE(shoe.hands[2].MoveLines.empty());
}

TEST(ShoeFile, AReaderGivesTheHandsInBlocksAsTheWholeShoeHasThem) {
  const std::string text =
      "\xEF\xBB\xBFstray\n2H 3H 4H 2C 3C 4C NK\nCUNT\n2H 3H 4H 2C 3C 4C\n"
      "4H 4C 3H 3C 2H 2C\nPT\n\nTT\n2H 3C 3H 4C 2C 4H\nU";
  const Shoe whole = ReadShoe(text);
  ShoeReader reader(text);
  EXPECT_EQ(reader.orphanMoveLines(), 1);
  HandList block;
  std::vector<Fhand> read;
  while (reader.Next(block, 3)) {
    EXPECT_LE(block.size(), 3u);
    read.insert(read.end(), block.begin(), block.end());
  }
  EXPECT_TRUE(block.empty());
  ASSERT_EQ(read.size(), whole.hands.size());
  for (std::size_t h = 0; h < read.size(); ++h) {
    EXPECT_EQ(read[h].HandText, whole.hands[h].HandText) << h;
    EXPECT_EQ(read[h].FirstRole, whole.hands[h].FirstRole) << h;
    ASSERT_EQ(read[h].MoveLines.size(), whole.hands[h].MoveLines.size()) << h;
    for (std::size_t l = 0; l < read[h].MoveLines.size(); ++l) {
      EXPECT_EQ(read[h].MoveLines[l].Line, whole.hands[h].MoveLines[l].Line) << h << " " << l;
    }
  }
  EXPECT_EQ(MoveLineCounts(text), (std::vector<std::size_t>{1, 0, 3, 1}));
  EXPECT_TRUE(MoveLineCounts("no hand\n").empty());
}

TEST(ShoeFile, LinesEndAtLineFeedsOnly) {
  using namespace std::string_literals;
  struct Case {
    const char* name;
    std::string text;
    int orphans;
    std::vector<std::string> first_hand_lines;
  };
  const Case cases[] = {
      {"byte order mark", "\xEF\xBB\xBF" "2H 3H 4H 2C 3C 4C\nCU\n", 0, {"CU"}},
      {"byte order mark before a stray line", "\xEF\xBB\xBF" "notes\n2H 3H 4H 2C 3C 4C\n", 1, {}},
      {"a mark later in the file is bytes", "2H 3H 4H 2C 3C 4C\n\xEF\xBB\xBF" "CU\n", 0, {"\xEF\xBB\xBF" "CU"}},
      {"only the CR before the LF goes", "2H 3H 4H 2C 3C 4C\nC\r\r\nU\rN\r\n", 0, {"C\r", "U\rN"}},
      {"NUL bytes stay in the line", "2H 3H 4H 2C 3C 4C\nC\0U\n"s, 0, {"C\0U"s}},
      {"a last line without LF", "2H 3H 4H 2C 3C 4C\n\nCU", 0, {"", "CU"}},
  };
  for (const Case& c : cases) {
    Shoe shoe = ReadShoe(c.text);
    EXPECT_EQ(shoe.orphanMoveLines, c.orphans) << c.name;
    ASSERT_EQ(shoe.hands.size(), 1u) << c.name;
    EXPECT_EQ(shoe.hands[0].HandText, "2H 3H 4H 2C 3C 4C") << c.name;
    std::vector<std::string> lines;
    for (const moves& m : shoe.hands[0].MoveLines) lines.push_back(m.Line);
    EXPECT_EQ(lines, c.first_hand_lines) << c.name;
  }
}

TEST(ShoeFile, EmptyBinaryAndHugeInputsNeverFail) {
  EXPECT_TRUE(ReadShoe("").hands.empty());
  EXPECT_TRUE(ReadShoe("\n\n\n").hands.empty());

  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xff);
  binary += "2H";
  Shoe shoe = ReadShoe(binary);
  EXPECT_FALSE(shoe.hands.empty());

  const std::string long_line = "2H " + std::string(100000, 'x') + "\n" + std::string(100000, 'C');
  shoe = ReadShoe(long_line);
  ASSERT_EQ(shoe.hands.size(), 1u);
  EXPECT_EQ(shoe.hands[0].MoveLines[0].Line.size(), 100000u);
}

TEST(ShoeFile, AFileThatCannotBeReadIsAnIoErrorNamingIt) {
  TempFolder folder;
  const auto missing = (folder.path() / "missing.txt").string();
  try {
    ReadShoeFile(missing);
    FAIL() << "a missing file was read";
  } catch (const IoError& error) {
    EXPECT_EQ(error.message(), "File not found");
    EXPECT_EQ(error.path(), missing);
  }
  EXPECT_THROW(ReadShoeFile(folder.path().string()), IoError);

  WriteFile(folder.path() / "shoe.txt", "2H 3H 4H 2C 3C 4C\nCUN\n");
  EXPECT_EQ(ReadShoeFile((folder.path() / "shoe.txt").string()).hands.size(), 1u);
}

}  // namespace
}  // namespace bruso
