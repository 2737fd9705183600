#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "players/rules_file.h"
#include "session/rules_commands.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using Lines = std::vector<std::string>;
using testing::StartedSession;
using testing::WriteFile;

TEST(RulesCommands, AFileThatCannotBeOpenedKeepsTheRulesAndTheNameOfThatSide) {
  StartedSession session;
  SharedState& state = session.state;
  const std::string ck = (session.folder.path() / "ck.txt").string();
  const std::string nk = (session.folder.path() / "nk.txt").string();
  WriteFile(ck, "1 2 3\nT 2H # 3H\nU # 2H\n");
  WriteFile(nk, "N\n");
  LoadRulesCK(state, ck);
  LoadRulesNK(state, nk);
  EXPECT_EQ(state.RulesFileCK, ck);
  EXPECT_EQ(state.RulesFileNK, nk);
  EXPECT_EQ(state.RulesCK.RuleCount, 2);
  EXPECT_EQ(state.RulesNK.RuleCount, 1);
  EXPECT_TRUE(session.messages.shown.empty());

  const std::string missing = (session.folder.path() / "missing.txt").string();
  LoadRulesCK(state, missing);
  EXPECT_EQ(session.messages.shown, (Lines{"File not found: " + missing}));
  EXPECT_EQ(state.RulesFileCK, ck);
  EXPECT_EQ(state.RulesCK.RuleCount, 2);
  EXPECT_EQ(state.RulesCK.RuleTable[1][0].Text(), "U");
  EXPECT_EQ(state.RulesCK.Weight(3), 3);
  EXPECT_EQ(state.RulesFileNK, nk);  // the other side is untouched
}

TEST(RulesCommands, TooManyRulesBringNotEnoughMemoryAndKeepTheFirst150) {
  StartedSession session;
  const std::string path = (session.folder.path() / "long.txt").string();
  std::string text;
  for (int i = 0; i <= MaxRules; ++i) text += "P 2H # 3" + std::to_string(i % 10) + "\n";
  WriteFile(path, text);
  LoadRulesNK(session.state, path);
  EXPECT_EQ(session.messages.shown, (Lines{NotEnoughMemoryMessage}));
  EXPECT_EQ(session.state.RulesNK.RuleCount, MaxRules);
  EXPECT_EQ(session.state.RulesFileNK, path);
}

TEST(RulesCommands, ShowRulesListsEveryRowOfBothTables) {
  StartedSession session;
  SharedState& state = session.state;
  // Never loaded: every field is empty, so each of the 150 rows lists as 18 blanks.
  Lines lines = ShowRules(state);
  ASSERT_EQ(lines.size(), 2u + MaxRules + 4u + MaxRules);
  EXPECT_EQ(lines[0], "CK rules");
  EXPECT_EQ(lines[1], std::string(28, '-'));
  EXPECT_EQ(lines[2], std::string(18, ' '));
  EXPECT_EQ(lines[2 + MaxRules + 2], "NK rules");
  EXPECT_EQ(lines[2 + MaxRules + 3], std::string(27, '-'));

  const std::string ck = (session.folder.path() / "ck.txt").string();
  const std::string nk = (session.folder.path() / "nk.txt").string();
  WriteFile(ck, "/ one rule\nT 2H # 3H\n");
  WriteFile(nk, "U # 2H 2C U\nN?H\n");  // a field holding "?" is left out of the listing
  LoadRulesCK(state, ck);
  LoadRulesNK(state, nk);
  lines = ShowRules(state);
  EXPECT_EQ(lines, (Lines{"CK rules", std::string(28, '-'),
                          " T 2H ## 3H # ## ## # ## ## ## # ## ## # ## ## ##",
                          "", "", "NK rules", std::string(27, '-'),
                          " U ## 2H 2C U ## ## # ## ## ## # ## ## # ## ## ##",
                          " N ## ## # ## ## # ## ## ## # ## ## # ## ## ##"}));
}

}  // namespace
}  // namespace bruso
