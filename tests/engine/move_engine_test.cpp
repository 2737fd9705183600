#include <gtest/gtest.h>

#include <string>

#include "engine/game_tree.h"
#include "engine/move_engine.h"

namespace bruso {
namespace {

constexpr const char* StartBoard = "4H4C3H3C2H2C";  // C 4H, CK 4C, UP 3H, T 3C, N 2H, NK 2C

// One root node with its engine; freed at the end.
struct Game {
  Game(const char* board, char role) {
    moves.Init(nullptr, &tree, nullptr);
    tree.CreateRoot(current, Board::FromText(board));
    current->role = role;
    root = current;
  }
  ~Game() { tree.DeleteTree(current, root); }

  Tree tree;
  typogr moves;
  TreeNode* current = nullptr;
  TreeNode* root = nullptr;
  Board scratch;
};

TEST(MoveEngine, EachLetterSwapsThroughTheMoversKeeper) {
  struct Case {
    const char* board;
    char role;
    char letter;
    const char* after;  // nullptr: refused
  };
  const Case cases[] = {
      {StartBoard, 'C', 'C', "4C4H3H3C2H2C"},
      {StartBoard, 'C', 'U', "4H3H4C3C2H2C"},
      {StartBoard, 'C', 'N', "4H2H3H3C4C2C"},
      {StartBoard, 'C', 'T', "4H3C3H4C2H2C"},  // 4C and 3C share the suit
      {StartBoard, 'C', 'P', StartBoard},
      {StartBoard, 'N', 'C', "2C4C3H3C2H4H"},
      {StartBoard, 'N', 'U', "4H4C2C3C2H3H"},
      {StartBoard, 'N', 'N', "4H4C3H3C2C2H"},
      {StartBoard, 'N', 'T', nullptr},  // 2C and 3C differ in number
      {StartBoard, 'N', 'P', StartBoard},
      {"4H4C3H2H3C2C", 'N', 'T', "4H4C3H2C3C2H"},  // 2C takes 2H: same number
      {"4H4C3H2H3C2C", 'C', 'T', nullptr},         // 4C and 2H differ in suit
      {"4H3H4C2H3C2C", 'C', 'T', "4H2H4C3H3C2C"},  // 3H takes 2H: same suit
      {StartBoard, 'C', 'Q', nullptr},
      {StartBoard, 'C', 'c', nullptr},
      {StartBoard, 'N', ' ', nullptr},
      {StartBoard, 'N', 'u', nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("role ") + c.role + ", letter '" + c.letter + "' on " + c.board);
    Game game(c.board, c.role);
    const bool applied = game.moves.ApplyMove(game.current, game.scratch, c.letter);
    if (c.after == nullptr) {
      EXPECT_FALSE(applied);
      EXPECT_EQ(game.current, game.root);
      EXPECT_EQ(game.root->firstChild, nullptr);
      EXPECT_EQ(game.root->move, ' ');
      continue;
    }
    ASSERT_TRUE(applied);
    ASSERT_EQ(game.current, game.root->firstChild);
    EXPECT_EQ(game.current->board, Board::FromText(c.after));
    EXPECT_EQ(game.scratch, Board::FromText(c.after));
    EXPECT_EQ(game.root->move, c.letter);
    EXPECT_EQ(game.root->board, Board::FromText(c.board));
    EXPECT_EQ(game.current->role, OtherRole(c.role));
    EXPECT_EQ(game.current->move, ' ');
    EXPECT_EQ(game.current->mark, BlankMark);
  }
}

TEST(MoveEngine, TargetRuleComparesSuitForCKAndNumberForNK) {
  TreeNode node;
  node.board = Board::FromText("4H3C3H3H2H2C");  // CK 3C, T 3H, NK 2C
  node.role = 'C';
  EXPECT_FALSE(typogr::TargetMatch(node));
  node.role = 'N';
  EXPECT_FALSE(typogr::TargetMatch(node));
  node.board = Board::FromText("4H3C3H3C2H3H");  // CK 3C, T 3C, NK 3H
  node.role = 'C';
  EXPECT_TRUE(typogr::TargetMatch(node));
  node.role = 'N';
  EXPECT_TRUE(typogr::TargetMatch(node));
}

TEST(MoveEngine, ALineOfLettersPlaysAHandAndRolesAlternate) {
  Game game(StartBoard, 'C');
  // CK takes the Target, NK swaps Up, CK swaps C; NK may not take 4C with 3H, so passes.
  const std::string line = "TUCTP";
  std::string applied;
  for (char letter : line) {
    if (game.moves.ApplyMove(game.current, game.scratch, letter)) applied += letter;
  }
  EXPECT_EQ(applied, "TUCP");
  std::string roles;
  std::string recorded;
  for (TreeNode* node = game.root; node != nullptr; node = node->firstChild) {
    roles += node->role;
    recorded += node->move;
  }
  EXPECT_EQ(roles, "CNCNC");
  EXPECT_EQ(recorded, "TUCP ");
  // T: 4H3C3H4C2H2C; U by NK: 4H3C2C4C2H3H; C by CK: 3C4H2C4C2H3H; P: unchanged.
  EXPECT_EQ(game.current->board, Board::FromText("3C4H2C4C2H3H"));
}

TEST(MoveEngine, CellCharAndSwapCellsLeaveTheNodeAlone) {
  TreeNode node;
  node.board = Board::FromText(StartBoard);
  Board copy;
  typogr::SwapCells(node, copy, 1, 1, 3, 2);
  EXPECT_EQ(copy, Board::FromText("2C4C3H3C2H4H"));
  EXPECT_EQ(node.board, Board::FromText(StartBoard));
  EXPECT_EQ(typogr::CellChar(node.board.Cell(Position::T), 1), '3');
  EXPECT_EQ(typogr::CellChar(node.board.Cell(Position::T), 2), 'C');
}

}  // namespace
}  // namespace bruso
