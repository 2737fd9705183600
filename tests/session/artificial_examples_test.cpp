#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "session/artificial_play.h"
#include "session/rules_commands.h"
#include "shoe/shoe_file.h"
#include "support/started_session.h"

namespace bruso {
namespace {

using testing::ReadFile;
using testing::StartedSession;

// Every deal of the six cards that does not start solved, with each first mover.
std::string EveryDeal() {
  std::array<std::string, 6> cards = {"2C", "2H", "3C", "3H", "4C", "4H"};
  std::string shoe;
  do {
    if (cards[3] == "2H") continue;
    std::string deal;
    for (const std::string& card : cards) deal += card + " ";
    shoe += deal + "CK\n" + deal + "NK\n";
  } while (std::next_permutation(cards.begin(), cards.end()));
  return shoe;
}

TEST(ExampleRules, SolveMostHands) {
  const char* test_data = std::getenv("BRUSO_TEST_DATA");
  ASSERT_NE(test_data, nullptr) << "run by ctest, which names the test data folder";
  const std::filesystem::path examples = std::filesystem::path(test_data).parent_path().parent_path() / "examples";
  std::vector<std::string> shoes = {EveryDeal()};
  for (const char* name : {"small_shoe.txt", "large_shoe.txt"}) {
    if (std::filesystem::exists(examples / name)) shoes.push_back(ReadFile(examples / name));
  }
  for (const std::string& shoe : shoes) {
    StartedSession session(7);
    SharedState& state = session.state;
    LoadRulesCK(state, (examples / "rules_ck.txt").string());
    LoadRulesNK(state, (examples / "rules_nk.txt").string());
    ASSERT_TRUE(session.messages.shown.empty()) << session.messages.shown.front();
    state.HandList = ReadShoe(shoe).hands;
    const std::optional<PlayAllTally> tally = PlayAllHandsArtificially(state, "5");
    ASSERT_TRUE(tally.has_value());
    EXPECT_GT(tally->solvedPlays, tally->plays * 95 / 100) << shoe.substr(0, 40);
  }
}

}  // namespace
}  // namespace bruso
