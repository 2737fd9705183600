#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "study/participants.h"

namespace bruso {
namespace {

// Two hands: the first with three recorded lines, the second with two.
constexpr std::string_view ShoeText =
    "4H 4C 3H 3C 2H 2C CK\n"
    "-\n"
    "UTNTCUNP\n"
    "CNCNPPUUTN\n"
    "NUTT\n"
    "4C 2H 4H 3C 2C 3H NK\n"
    "-\n"
    "NUTTUNCT\n"
    "TTPCUN\n";

HandList Hands() { return ReadShoe(ShoeText).hands; }

std::string Lines(const Fhand& hand) {
  std::string text;
  for (const moves& line : hand.MoveLines) text += line.Line + "|";
  return text;
}

TEST(Participants, TheGroupsFileSplitsTheLinesInShoeOrderAndKeepsTheFirstLineOfEachHand) {
  const std::vector<Participant> participants = ParticipantsFromGroups(
      Hands(), "participant,hand,line,condition\nb,2,2,easy\na,1,1,hard\r\nb,1,2,easy\n\na,2,1,hard\n\"b\",1,3,easy\n",
      "g.csv");
  ASSERT_EQ(participants.size(), 2u);
  EXPECT_EQ(participants[0].id, "b");
  EXPECT_EQ(participants[0].condition, "easy");
  ASSERT_EQ(participants[0].hands.size(), 2u);
  EXPECT_EQ(Lines(participants[0].hands[0]), "-|CNCNPPUUTN|NUTT|");
  EXPECT_EQ(Lines(participants[0].hands[1]), "-|TTPCUN|");
  EXPECT_EQ(participants[0].hands[1].FirstRole, "NK");
  EXPECT_EQ(participants[1].id, "a");
  EXPECT_EQ(participants[1].condition, "hard");
  ASSERT_EQ(participants[1].hands.size(), 2u);
  EXPECT_EQ(Lines(participants[1].hands[0]), "-|UTNTCUNP|");
  EXPECT_EQ(Lines(participants[1].hands[1]), "-|NUTTUNCT|");
  EXPECT_EQ(ConditionsOf(participants), (std::vector<std::string>{"easy", "hard"}));
}

// Expects `read` to refuse its file with the message.
template <class Read>
void ExpectRefused(const Read& read, const std::string& message) {
  try {
    read();
    ADD_FAILURE() << "accepted";
  } catch (const ParticipantsError& error) {
    EXPECT_EQ(std::string(error.what()), message);
  }
}

TEST(Participants, AGroupsFileThatDoesNotSayWhoPlayedEachLineIsRefusedNamingTheFileAndRow) {
  const std::string all = "1,1,a\n1,2,a\n1,3,b\n2,1,b\n";
  const std::pair<std::string, const char*> cases[] = {
      {"hand,line,participant,age\n", "g.csv, row 1: unknown column 'age'"},
      {"hand,participant\n", "g.csv, row 1: has no column 'line'"},
      {"hand,line,participant,line\n", "g.csv, row 1: names the column 'line' twice"},
      {"", "g.csv: holds no header row"},
      {"hand,line,participant\n" + all, "g.csv: no row names hand 2 line 2"},
      {"hand,line,participant\n" + all + "1,2,b\n", "g.csv, row 6: hand 1 line 2 is named twice"},
      {"hand,line,participant\n1,x,a\n", "g.csv, row 2: line takes a whole number from 1 to 3, not 'x'"},
      {"hand,line,participant\n3,1,a\n", "g.csv, row 2: hand takes a whole number from 1 to 2, not '3'"},
      {"hand,line,participant\n2,3,a\n", "g.csv, row 2: line takes a whole number from 1 to 2, not '3'"},
      {"hand,line,participant\n1,-1,a\n", "g.csv, row 2: line takes a whole number from 1 to 3, not '-1'"},
      {"hand,line,participant\n1,1,\n", "g.csv, row 2: the participant is empty"},
      {"hand,line,participant\n1,1\n", "g.csv, row 2: has 2 fields, the header 3"},
      {"hand,line,participant\n1,1,\"a\n", "g.csv, row 2: a quote is left open"},
      {"hand,line,participant,condition\n1,1,a,x\n1,2,a,y\n",
       "g.csv, row 3: participant 'a' is in condition 'x' on an earlier row, not 'y'"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    ExpectRefused([&] { ParticipantsFromGroups(Hands(), text, "g.csv"); }, message);
  }
}

TEST(Participants, AConditionsFileNamesEachParticipantOnce) {
  const std::vector<std::string> ids = {"anna", "ben"};
  EXPECT_EQ(ConditionsFromText("condition,participant\nx,ben\ny,anna\n", "c.csv", ids).at("anna"), "y");
  const std::pair<const char*, const char*> cases[] = {
      {"participant,condition\nanna,x\ncarl,y\n", "c.csv, row 3: no shoe file is named 'carl'"},
      {"participant,condition\nanna,x\nanna,y\n", "c.csv, row 3: participant 'anna' is named twice"},
      {"participant,condition\nanna,x\n", "c.csv: no row names participant 'ben'"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    ExpectRefused([&] { ConditionsFromText(text, "c.csv", ids); }, message);
  }
}

}  // namespace
}  // namespace bruso
