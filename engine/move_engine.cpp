#include "engine/move_engine.h"

#include <cassert>
#include <utility>

namespace bruso {

namespace {

constexpr int KeeperColumn = 2;

int KeeperRow(char role) { return role == RoleCK ? 1 : 3; }

// The cell a letter swaps with the keeper: C is (1,1), U (2,1), N (3,1), T (2,2).
// Returns false for a letter that is no move, the pass included.
bool CellOfMove(char letter, int& row, int& column) {
  switch (letter) {
    case MoveC: row = 1; column = 1; return true;
    case MoveUp: row = 2; column = 1; return true;
    case MoveN: row = 3; column = 1; return true;
    case MoveTarget: row = 2; column = 2; return true;
    default: return false;
  }
}

}  // namespace

void typogr::Init(Iodef* iodef, Tree* tree, Iospec* display) {
  iodef_ = iodef;
  tree_ = tree;
  display_ = display;
}

char typogr::CellChar(std::string_view cell, int which) { return cell[which - 1]; }

void typogr::SwapCells(const TreeNode& node, Board& board, int row1, int column1, int row2,
                       int column2) {
  board = node.board;
  const int first = Board::CellIndex(row1, column1) * CardCodeLength;
  const int second = Board::CellIndex(row2, column2) * CardCodeLength;
  for (int i = 0; i < CardCodeLength; ++i) std::swap(board.chars[first + i], board.chars[second + i]);
}

bool typogr::TargetMatch(const TreeNode& node) {
  std::string_view target = node.board.Cell(Position::T);
  if (node.role == RoleCK) return CellChar(node.board.Cell(Position::CK), 2) == CellChar(target, 2);
  return CellChar(node.board.Cell(Position::NK), 1) == CellChar(target, 1);
}

bool typogr::ApplyMove(TreeNode*& current, Board& scratch, char letter) {
  assert(current != nullptr);
  int row = 0;
  int column = 0;
  int keeper_row = KeeperRow(current->role);
  int keeper_column = KeeperColumn;
  if (letter == MovePass) {
    // A pass swaps the Target with itself: the Board stays, the turn goes on.
    row = keeper_row = 2;
    column = keeper_column = 2;
  } else if (!CellOfMove(letter, row, column)) {
    return false;
  }
  if (letter == MoveTarget && !TargetMatch(*current)) return false;

  current->move = letter;
  SwapCells(*current, scratch, row, column, keeper_row, keeper_column);
  tree_->AddChild(current, scratch);
  tree_->GoDown(current);
  return true;
}

}  // namespace bruso
