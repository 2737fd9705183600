#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/random.h"
#include "model/headless_hand.h"
#include "players/history.h"
#include "players/rule_chances.h"
#include "players/rule_matching.h"
#include "players/rules_file.h"
#include "rules_text.h"
#include "shoe/shoe_file.h"

namespace bruso {
namespace {

using testing::RootHistory;
using testing::Rules;

// The chances that the steps of the choice imply, worked out by hand: C, U, N, T, P, and
// the letters that are no move.
TEST(RuleChances, AreTheChancesThatTheStepsOfTheChoiceImply) {
  struct Case {
    const char* what;
    const char* rules;
    std::array<double, MoveCount> move;
    double other;
  };
  const Case cases[] = {
      {"no rule at all: C or N", "", {0.5, 0, 0.5, 0, 0}, 0},
      {"no rule holds", "0 5\nT 3H\nU 4C\n", {0.5, 0, 0.5, 0, 0}, 0},
      {"one clear winner", "0 5\nT 2H\nU\n", {0, 0, 0, 1, 0}, 0},
      {"a tie of two", "0 5\nT 2H\nU 2H\n", {0, 0.5, 0, 0.5, 0}, 0},
      {"a tie of three, the same letter twice", "0 5\nT 2H\nU 2H\nT 2H\n", {0, 0.25, 0, 0.75, 0}, 0},
      {"a higher score after a tie wins outright", "0 5 1 5\nT 2H\nU 2H\nP 2H # 3H\n", {0, 0, 0, 0, 1}, 0},
      {"a lower score after the best never wins", "0 5 1 5\nP 2H # 3H\nT 2H\n", {0, 0, 0, 0, 1}, 0},
      {"a score of 0 competes with no rule", "P 2H 4C 3H\n", {0.25, 0, 0.25, 0, 0.5}, 0},
      {"two scores of 0", "P 2H 4C 3H\nU 2H 4C 3H\n", {0.125, 0.5, 0.125, 0, 0.25}, 0},
      {"a score below 0 never wins", "10 -5 -5 -5\nP 2H 4C 3H\n", {0.5, 0, 0.5, 0, 0}, 0},
      {"an action that is no move", "0 5\nt 2H\nU 2H\n#\n", {0, 0.5, 0, 0, 0}, 0.5},
  };
  for (const Case& c : cases) {
    const LetterChances chances = RuleChances(Rules(c.rules), RootHistory);
    for (int m = 0; m < MoveCount; ++m) EXPECT_EQ(chances.move[m], c.move[m]) << c.what << ": " << MoveLetters[m];
    EXPECT_EQ(chances.other, c.other) << c.what;
  }
}

// Every position that the recorded lines of the example shoe play a letter from, with the
// role to move there.
std::vector<std::pair<char, std::string>> ExampleShoePositions() {
  std::map<std::pair<char, std::string>, int> seen;
  for (const Fhand& hand : ReadShoeFile(BRUSO_EXAMPLES_DIR "/small_shoe.txt").hands) {
    HeadlessHand headless(hand);
    for (std::size_t line = 1; line < hand.MoveLines.size(); ++line) {
      headless.Follow(hand.MoveLines[line].Line, AnalysisSettings{}, [&](const TreeNode& position, char) {
        std::string history;
        HiStory(&position, history);
        ++seen[{position.role, history}];
      });
    }
  }
  std::vector<std::pair<char, std::string>> positions;
  for (const auto& [position, count] : seen) positions.push_back(position);
  return positions;
}

// Over many seeded evaluations at each position, Eval chooses each letter as often as its
// chance says, within four standard errors; with the example rules' own weights and with
// all weights 1, which makes many ties.
TEST(RuleChances, AgreeWithTheFrequenciesOfEvalAtTheExampleShoesPositions) {
  const std::vector<std::pair<char, std::string>> positions = ExampleShoePositions();
  ASSERT_GT(positions.size(), 20u);
  RuleSet ck;
  RuleSet nk;
  Memo(BRUSO_EXAMPLES_DIR "/rules_ck.txt", ck);
  Memo(BRUSO_EXAMPLES_DIR "/rules_nk.txt", nk);
  constexpr int Evaluations = 4000;
  Random random(2026);
  int uncertain = 0;  // positions where the choice is left to chance
  for (int weights = 0; weights < 2; ++weights) {
    for (int field = 1; weights == 1 && field <= RuleFieldCount; ++field) ck.Weight(field) = nk.Weight(field) = 1;
    for (const auto& [role, history] : positions) {
      const RuleSet& rules = role == RoleCK ? ck : nk;
      std::map<char, int> chosen;
      for (int i = 0; i < Evaluations; ++i) ++chosen[Eval(rules, history, random)];
      const LetterChances chances = RuleChances(rules, history);
      int others = Evaluations;
      for (char move : MoveLetters) {
        const double r = chances.Of(move);
        const double error = std::sqrt(r * (1 - r) / Evaluations);
        EXPECT_LE(std::abs(chosen[move] / double(Evaluations) - r), 4 * error) << history << " " << move;
        others -= chosen[move];
        if (r > 0 && r < 1) ++uncertain;
      }
      EXPECT_EQ(others > 0, chances.other > 0) << history;
    }
  }
  EXPECT_GT(uncertain, 20);
}

}  // namespace
}  // namespace bruso
