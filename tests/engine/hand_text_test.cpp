#include <gtest/gtest.h>

#include <string>

#include "engine/hand_buffer.h"

namespace bruso {
namespace {

Board BoardOf(std::string_view hand_text) {
  HandBuffer buffer;
  buffer.WriteHandText(hand_text);
  SqueezeBlanks(buffer);
  Board board;
  BoardFromText(board, buffer);
  return board;
}

TEST(HandText, BlanksBetweenCardsDoNotMatter) {
  struct Case {
    const char* text;
    const char* board;
  };
  const Case cases[] = {
      {"4H 4C 3H 3C 2H 2C", "4H4C3H3C2H2C"},
      {"4H4C 3H3C2H 2C", "4H4C3H3C2H2C"},
      {"   2H3H4H2C3C4C   CK", "2H3H4H2C3C4C"},
      {"2H 3H 4H 2C 3C 4C NK extra text", "2H3H4H2C3C4C"},
      {"4h 4C 3H 3C 2H 2C", "4h4C3H3C2H2C"},  // no case folding here
      {"4H\t4C 3H 3C 2H 2C", "4H\t4C3H3C2H2"},  // a tab is a character like any other
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BoardOf(c.text), Board::FromText(c.board)) << "hand text: " << c.text;
  }
}

TEST(HandText, ShortTextLeavesTerminatorAndOldCharactersInTheBoard) {
  HandBuffer buffer;  // positions 1 to 40 blank at start
  buffer.WriteHandText("2H3H4H");
  SqueezeBlanks(buffer);
  Board board;
  BoardFromText(board, buffer);
  EXPECT_EQ(board.Text(), std::string("2H3H4H\0     ", 12));
}

TEST(HandText, WritingKeepsPositionsAfterTheTerminator) {
  HandBuffer buffer;
  buffer.WriteHandText("ABCDEFGHIJ");
  buffer.WriteHandText("xy");
  EXPECT_EQ(buffer[0], ' ');
  EXPECT_EQ(buffer.TextFrom(1), "xy");
  EXPECT_EQ(buffer[4], 'D');
}

TEST(HandText, SqueezingFortyBlanksLeavesFortyBlanks) {
  HandBuffer buffer;
  SqueezeBlanks(buffer);
  for (int i = 0; i <= HandBufferLast; ++i) EXPECT_EQ(buffer[i], ' ') << i;
}

TEST(HandText, BoardFromTextReadsOnlyPositionsOneToTwelve) {
  HandBuffer buffer;
  buffer.WriteHandText("2H3H4H2C3C4CZZZZ");
  Board first;
  Board second;
  BoardFromText(first, buffer);
  BoardFromText(second, buffer);
  EXPECT_EQ(first, Board::FromText("2H3H4H2C3C4C"));
  EXPECT_EQ(first, second);
}

TEST(HandText, OverlongHandTextIsSqueezedThenCutAndNeverOverruns) {
  // Sixty characters with blanks: the buffer holds 39, but the Board is still the one
  // the whole text gives.
  const std::string text = "2H   3H   4H   2C   3C   4C   CK and a long comment after it";
  HandBuffer buffer;
  buffer.WriteHandText(text);
  EXPECT_EQ(buffer[0], ' ');
  EXPECT_EQ(buffer.TextFrom(1), "2H3H4H2C3C4CCKandalongcommentafterit");
  EXPECT_EQ(BoardOf(text), Board::FromText("2H3H4H2C3C4C"));

  const std::string huge(5000, 'X');
  buffer.WriteHandText(huge);
  EXPECT_EQ(buffer.TextFrom(1), std::string(MaxHandTextLength, 'X'));
}

TEST(HandText, MoveStringsGoInFromPositionZeroAndAreCutAtForty) {
  HandBuffer buffer;
  buffer.WriteMoveString("CUNT");
  EXPECT_EQ(buffer.TextFrom(0), "CUNT");
  buffer.WriteMoveString(std::string(45, 'P'));
  EXPECT_EQ(buffer.TextFrom(0), std::string(40, 'P'));
  EXPECT_EQ(buffer[HandBufferLast], '\0');
}

TEST(HandText, MoveLettersAndUpChar) {
  for (char c : std::string("QNCTPU")) EXPECT_TRUE(IsMoveLetter(c)) << c;
  for (char c : std::string("qnctpu ABDZ2\t")) EXPECT_FALSE(IsMoveLetter(c)) << c;
  EXPECT_FALSE(IsMoveLetter('\0'));

  EXPECT_EQ(UpChar('a'), 'A');
  EXPECT_EQ(UpChar('z'), 'Z');
  EXPECT_EQ(UpChar('C'), 'C');
  EXPECT_EQ(UpChar('1'), '1');
  EXPECT_EQ(UpChar(' '), ' ');
  EXPECT_EQ(UpChar('\xe8'), '\xe8');  // an accented letter stays as it is
}

}  // namespace
}  // namespace bruso
