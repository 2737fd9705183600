#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "session/artificial_play.h"
#include "session/rules_commands.h"
#include "shoe/shoe_file.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::StartedSession;

TEST(ExampleRules, SolveMostHands) {
  const char* test_data = std::getenv("BRUSO_TEST_DATA");
  ASSERT_NE(test_data, nullptr) << "run by ctest, which names the test data folder";
  const std::filesystem::path examples = std::filesystem::path(test_data).parent_path().parent_path() / "examples";
  // Every deal of the six cards, and the example shoes.
  for (const char* name : {"every_deal_shoe.txt", "small_shoe.txt", "large_shoe.txt"}) {
    if (!std::filesystem::exists(examples / name)) continue;
    const std::string shoe = ReadFile(examples / name);
    StartedSession session(7);
    SharedState& state = session.state;
    LoadRulesCK(state, (examples / "rules_ck.txt").string());
    LoadRulesNK(state, (examples / "rules_nk.txt").string());
    ASSERT_TRUE(session.messages.shown.empty()) << session.messages.shown.front();
    state.HandList = ReadShoe(shoe).hands;
    const std::optional<PlayAllTally> tally = PlayAllHandsArtificially(state, "5");
    ASSERT_TRUE(tally.has_value());
    EXPECT_GT(tally->solvedPlays, tally->plays * 95 / 100) << name;
  }
}

}  // namespace
}  // namespace bruso
