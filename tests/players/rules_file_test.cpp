#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/io_error.h"
#include "players/rules_file.h"
#include "support/recorders.h"

namespace bruso {
namespace {

using Fields = std::vector<std::string>;

// The fields of a row as texts, up to the last one asked for.
Fields FieldTexts(const RuleRow& row, std::size_t count = RuleFieldCount) {
  Fields texts;
  for (std::size_t i = 0; i < count; ++i) texts.push_back(row[i].Text());
  return texts;
}

std::string ManyRules(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "T 2H # 3H\n";
  return text;
}

TEST(RulesFile, ClassifiesLinesOnTheirCompactForm) {
  struct Case {
    const char* line;
    RulesLineKind kind;
  };
  const Case cases[] = {
      {"", RulesLineKind::Skipped},
      {" \t ", RulesLineKind::Skipped},
      {"   / a note", RulesLineKind::Skipped},  // blanks before "/" do not count
      {"/T 2H", RulesLineKind::Skipped},
      {"\r", RulesLineKind::Skipped},  // a stray carriage return
      {"10 5", RulesLineKind::Weights},
      {"1 0 5", RulesLineKind::Weights},  // "10" once the blanks are out
      {"-3 2", RulesLineKind::Weights},
      {"7", RulesLineKind::Weights},
      {"$A 1", RulesLineKind::Weights},  // one hexadecimal digit after "$"
      {"x5", RulesLineKind::Weights},
      {"1,2,3", RulesLineKind::Rule},  // "1," is no integer
      {"0x1", RulesLineKind::Rule},    // "0x" is no integer
      {"-", RulesLineKind::Rule},
      {"T 2H # 3H", RulesLineKind::Rule},
      {"t2h#3h", RulesLineKind::Rule},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyRulesLine(CompactForm(c.line)), c.kind) << '"' << c.line << '"';
  }
}

TEST(RulesFile, CutsRuleLinesIntoFieldsFromTheLeft) {
  struct Case {
    const char* compact;
    Fields fields;  // the first ones; the rest are checked to be wildcards
  };
  const Case cases[] = {
      {"T2H#3H", {"T", "2H", "##", "3H", "#", "##"}},
      // Each "#" is a whole card: 3 and H land in fields 5 and 6, and the rule never holds.
      {"T2H##3H", {"T", "2H", "##", "##", "3", "H", "##"}},
      {"U2H", {"U", "2H", "##", "##"}},
      {"C2", {"C", "2", "##"}},  // a card cut short by the end of the line
      {"P##3CU#4C#2H##", {"P", "##", "##", "3C", "U", "##", "4C", "#", "2H", "##", "##"}},
  };
  for (const Case& c : cases) {
    const RuleRow row = CutRuleLine(c.compact);
    EXPECT_EQ(FieldTexts(row, c.fields.size()), c.fields) << c.compact;
    for (int field = static_cast<int>(c.fields.size()) + 1; field <= RuleFieldCount; ++field) {
      EXPECT_EQ(row[field - 1], WildcardOf(field)) << c.compact << " field " << field;
    }
  }
  // All 18 fields written out; what follows field 18 is ignored.
  const RuleRow full = CutRuleLine("N4C3H2CU3H2CT2H4C3CP3H3CC2H4H2HEXTRA");
  EXPECT_EQ(FieldTexts(full), (Fields{"N", "4C", "3H", "2C", "U", "3H", "2C", "T", "2H", "4C", "3C", "P",
                                      "3H", "3C", "C", "2H", "4H", "2H"}));
}

TEST(RulesFile, WeightsLinesOverwriteOnlyTheWeightsTheyReach) {
  std::array<std::int32_t, RuleFieldCount> weights{};
  weights.fill(9);
  ReadWeightsLine("1 2\t 3", weights);
  EXPECT_EQ((std::vector<std::int32_t>(weights.begin(), weights.begin() + 5)), (std::vector<std::int32_t>{1, 2, 3, 9, 9}));
  ReadWeightsLine("  -4 3a $A x1F", weights);  // "3a" is no integer: weight 2 stays
  EXPECT_EQ((std::vector<std::int32_t>(weights.begin(), weights.begin() + 5)), (std::vector<std::int32_t>{-4, 2, 10, 31, 9}));

  std::string twenty;
  for (int i = 1; i <= 20; ++i) twenty += std::to_string(100 + i) + " ";
  ReadWeightsLine(twenty, weights);  // the 19th and 20th numbers are ignored
  EXPECT_EQ(weights.front(), 101);
  EXPECT_EQ(weights.back(), 118);
}

TEST(RulesFile, ALoadFreesEveryRowAndCountsItsRules) {
  RuleSet rules;
  ASSERT_FALSE(ReadRules(ManyRules(5), rules).tableFull);
  EXPECT_EQ(rules.RuleCount, 5);

  const std::string text =
      "/ weights first, then the rules\r\n"
      "0 2 2 2 1\r\n"
      "T 2H # 3H\r\n"
      "   / blanks before the slash\r\n"
      "\r\n"
      "U\t2H\r\n"
      "5 5\r\n"  // a second weights line overwrites the first two weights
      "C 3H";     // no line end on the last line
  EXPECT_FALSE(ReadRules(text, rules).tableFull);
  EXPECT_EQ(rules.RuleCount, 3);
  EXPECT_EQ(FieldTexts(rules.RuleTable[0], 4), (Fields{"T", "2H", "##", "3H"}));
  EXPECT_EQ(FieldTexts(rules.RuleTable[1], 2), (Fields{"U", "2H"}));
  EXPECT_EQ(FieldTexts(rules.RuleTable[2], 2), (Fields{"C", "3H"}));
  EXPECT_EQ(rules.RuleTable[3][0].Text(), "? ");  // the old fourth rule is gone
  EXPECT_EQ(rules.Weight(1), 5);
  EXPECT_EQ(rules.Weight(2), 5);
  EXPECT_EQ(rules.Weight(3), 2);
  EXPECT_EQ(rules.Weight(6), 0);

  // A file of comments and weights only: no rules, every row free, its weights taken.
  EXPECT_FALSE(ReadRules("/ nothing\n3\n", rules).tableFull);
  EXPECT_EQ(rules.RuleCount, 0);
  RuleRow free_row;
  free_row.fill(FreeRowMarker);
  for (const RuleRow& row : rules.RuleTable) EXPECT_EQ(row, free_row);
  EXPECT_EQ(rules.Weight(1), 3);
  EXPECT_EQ(rules.Weight(2), 5);  // not reached: kept from the earlier load
}

TEST(RulesFile, AByteOrderMarkFirstIsSkipped) {
  // Saved as UTF-8 by an editor: the mark must not turn the weights line into a rule.
  const std::string text = "0 5 5 5\nT 2H # 3H\n";
  RuleSet plain;
  RuleSet marked;
  ReadRules(text, plain);
  ReadRules("\xEF\xBB\xBF" + text, marked);
  EXPECT_EQ(marked.RuleCount, 1);
  EXPECT_EQ(marked.Weight(2), 5);
  EXPECT_EQ(marked.RuleTable, plain.RuleTable);
  EXPECT_EQ(marked.RuleWeights, plain.RuleWeights);
  // A rule line first keeps its action letter.
  ReadRules("\xEF\xBB\xBFU 2H\n", marked);
  EXPECT_EQ(FieldTexts(marked.RuleTable[0], 2), (Fields{"U", "2H"}));
}

TEST(RulesFile, StopsAtTheRuleOneTooManyWithTheTableFull) {
  RuleSet rules;
  EXPECT_FALSE(ReadRules(ManyRules(MaxRules), rules).tableFull);
  EXPECT_EQ(rules.RuleCount, MaxRules);

  const std::string text = ManyRules(MaxRules) + "U 3H\n" + "7 7\n";
  EXPECT_TRUE(ReadRules(text, rules).tableFull);
  EXPECT_EQ(rules.RuleCount, MaxRules);  // the count follows the table
  EXPECT_EQ(rules.RuleTable[MaxRules - 1][0].Text(), "T");
  EXPECT_EQ(rules.Weight(1), 0);  // nothing after the 151st rule is read
}

TEST(RulesFile, AFileThatCannotBeReadLeavesTheRulesAsTheyWere) {
  RuleSet rules;
  ReadRules("U 2H\n4 4\n", rules);
  testing::TempFolder folder;
  EXPECT_THROW(Memo((folder.path() / "missing.txt").string(), rules), IoError);
  EXPECT_THROW(Memo(folder.path().string(), rules), IoError);  // a folder is no file
  EXPECT_EQ(rules.RuleCount, 1);
  EXPECT_EQ(rules.RuleTable[0][0].Text(), "U");
  EXPECT_EQ(rules.RuleTable[1][0].Text(), "? ");
  EXPECT_EQ(rules.Weight(2), 4);

  testing::WriteFile(folder.path() / "rules.txt", "N # 2H\n");
  Memo((folder.path() / "rules.txt").string(), rules);
  EXPECT_EQ(rules.RuleCount, 1);
  EXPECT_EQ(FieldTexts(rules.RuleTable[0], 3), (Fields{"N", "##", "2H"}));
}

}  // namespace
}  // namespace bruso
