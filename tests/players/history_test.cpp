#include <gtest/gtest.h>

#include <string>

#include "players/history.h"
#include "support/started_session.h"

namespace bruso {
namespace {

TEST(HiStory, DescribesTheNodeAndUpToFourStepsBack) {
  testing::StartedSession session;
  session.OpenShoe("4H 4C 3H 3C 2H 2C\n");  // C 4H, CK 4C, UP 3H, T 3C, N 2H, NK 2C
  SharedState& state = session.state;
  // Each move, then the history string of the node it leads to. The own card is the
  // keeper card of the role to move there, on every board it is read from.
  const struct {
    char move;
    const char* history;
  } steps[] = {
      {' ', "#4C3H3C"},
      {'U', "#2C4C3C" "U3H3C"},
      {'N', "#3H4C3C" "N4C3C" "U4C3H3C"},
      {'C', "#2H4C3C" "C4C3C" "N2C4C3C" "U3H3C"},
      {'P', "#4H4C3C" "P4C3C" "C3H4C3C" "N4C3C" "U4C3H3C"},
      {'U', "#2H4H3C" "U4C3C" "P2H4C3C" "C4C3C" "N2C4C3C"},  // the root is out of reach
  };
  std::string history = "left over from before";
  for (const auto& step : steps) {
    if (step.move != ' ') {
      ASSERT_TRUE(state.moves.ApplyMove(state.CurrentNode, state.ScratchBoard, step.move));
    }
    HiStory(state.CurrentNode, history);
    EXPECT_EQ(history, step.history) << "after " << step.move;
  }

  HiStory(nullptr, history);  // no node: the string stays
  EXPECT_EQ(history, steps[5].history);
}

}  // namespace
}  // namespace bruso
