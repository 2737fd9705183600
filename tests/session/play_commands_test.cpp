#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "session/play_commands.h"
#include "session_fixture.h"

namespace bruso {
namespace {

using testing::Frames;
using testing::Session;
using Lines = std::vector<std::string>;

// What the window shows after a command: pictures C, CK, UP, T, N, NK; the move string and
// its selection; the lit role label; the frames ("x" marked); the pass button's caption.
struct Shown {
  std::string pictures;
  std::string moves;
  int selectionStart;
  int selectionLength;
  char role;
  std::string frames;
  std::string pass;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << s.pictures << " '" << s.moves << "' sel " << s.selectionStart << "+" << s.selectionLength
             << " role " << s.role << " frames " << s.frames << " " << s.pass;
}

Shown WhatIsShown(const Session& s) {
  const WindowState& view = s.state.view;
  return {s.Pictures(), s.state.MoveString, view.selectionStart, view.selectionLength,
          view.highlightedRole, Frames(view), view.passCaption};
}

// The opening board: C 4H, CK 4C, UP 3H, T 3C, N 2H, NK 2C, CK to move.
constexpr const char* OneHand = "4H 4C 3H 3C 2H 2C\nnot listed\n";

TEST(ManualPlay, AHandPlayedSteppedAndClearedShowsEachPosition) {
  struct Step {
    const char* what;
    std::function<void(SharedState&)> command;
    Shown shown;
  };
  const auto play = [](char letter) { return [letter](SharedState& st) { PlayMove(st, letter); }; };
  const auto back = [](SharedState& st) { StepMove(st, false); };
  const auto forward = [](SharedState& st) { StepMove(st, true); };
  const Step steps[] = {
      {"CK takes 2H from N", play('N'), {"4H2H3H3C4C2C", "N", 0, 1, 'N', ".x..x.", "Passo"}},
      {"NK's 2C may not go on 3C", play('T'), {"4H2H3H3C4C2C", "N", 0, 1, 'N', ".x..x.", "Passo"}},
      {"NK swaps with UP", play('U'), {"4H2H2C3C4C3H", "NU", 1, 1, 'C', "..x..x", "Passo"}},
      {"CK passes", play('P'), {"4H2H2C3C4C3H", "NUP", 2, 1, 'N', "......", "PASSO"}},
      {"NK plays 3H on 3C", play('T'), {"4H2H2C3H4C3C", "NUPT", 3, 1, 'C', "...x.x", "Passo"}},
      {"CK plays 2H on 3H", play('T'), {"4H3H2C2H4C3C", "NUPTT", 4, 1, 'N', ".x.x..", "Passo"}},
      {"solved: a click is ignored", play('C'), {"4H3H2C2H4C3C", "NUPTT", 4, 1, 'N', ".x.x..", "Passo"}},
      {"<", back, {"4H2H2C3H4C3C", "NUPTT", 3, 1, 'C', "...x.x", "Passo"}},
      {"a click after < replaces the last move", play('C'),
       {"2H4H2C3H4C3C", "NUPTC", 4, 1, 'N', "xx....", "Passo"}},
      {"> at the end", forward, {"2H4H2C3H4C3C", "NUPTC", 4, 1, 'N', "xx....", "Passo"}},
      {"Start", GoToStart, {"4H4C3H3C2H2C", "NUPTC", 0, 0, 'C', "......", "Passo"}},
      {"< at the root", back, {"4H4C3H3C2H2C", "NUPTC", 0, 0, 'C', "......", "Passo"}},
      {">", forward, {"4H2H3H3C4C2C", "NUPTC", 0, 1, 'N', ".x..x.", "Passo"}},
      {"Start", GoToStart, {"4H4C3H3C2H2C", "NUPTC", 0, 0, 'C', "......", "Passo"}},
      // The labels show the role to move at the last position.
      {"End", GoToEnd, {"2H4H2C3H4C3C", "NUPTC", 4, 1, 'N', "xx....", "Passo"}},
      {"Clear Hand", ClearHand, {"4H4C3H3C2H2C", "", 0, 0, 'C', "......", "Passo"}},
  };

  Session s;
  s.OpenShoe(OneHand);
  for (const Step& step : steps) {
    const std::size_t memo_before = s.memo.lines.size();
    step.command(s.state);
    EXPECT_EQ(WhatIsShown(s), step.shown) << step.what;
    EXPECT_GE(s.state.MovePosition, 0) << step.what;
    EXPECT_LE(s.state.MovePosition, static_cast<int>(s.state.MoveString.size())) << step.what;
    // Only "Start" and "End" write their " Top " or " Bottom " line.
    const Lines added(s.memo.lines.begin() + memo_before, s.memo.lines.end());
    const std::string what = step.what;
    const Lines expected = what == "Start" ? Lines{" Top ", ""} : what == "End" ? Lines{" Bottom ", ""} : Lines{};
    EXPECT_EQ(added, expected) << step.what;
  }
  EXPECT_EQ(s.state.CurrentNode, s.state.RootNode);
  EXPECT_EQ(s.state.RootNode->firstChild, nullptr);
  EXPECT_TRUE(s.messages.shown.empty());
}

TEST(ManualPlay, NKFirstMoveSwitchesTheMoverOfThePositionShown) {
  Session s;
  s.OpenShoe(OneHand);
  SharedState& state = s.state;

  SwitchFirstMover(state);
  EXPECT_EQ(state.FirstMover, "N");
  EXPECT_EQ(state.view.changeRoleCaption, "CK First Move");
  EXPECT_EQ(state.view.firstMoveCaption, "NK First Move");
  EXPECT_EQ(state.view.handFirstMoveCaption, "NK First Move");
  EXPECT_EQ(state.CurrentNode->role, RoleNK);
  EXPECT_EQ(state.view.highlightedRole, RoleNK);

  PlayMove(state, 'U');  // now NK's 2C goes to UP
  EXPECT_EQ(s.Pictures(), "4H4C2C3C2H3H");
  GoToStart(state);  // reads the first mover back from the caption
  EXPECT_EQ(state.FirstMover, "N");
  EXPECT_EQ(state.view.highlightedRole, RoleNK);

  SwitchFirstMover(state);
  EXPECT_EQ(state.FirstMover, "C");
  EXPECT_EQ(state.view.changeRoleCaption, "NK First Move");
  EXPECT_EQ(state.view.firstMoveCaption, "CK First Move");
  EXPECT_EQ(state.view.handFirstMoveCaption, "CK First Move");
  EXPECT_EQ(state.CurrentNode->role, RoleCK);
}

}  // namespace
}  // namespace bruso
