#pragma once

#include <string_view>

#include "engine/board.h"
#include "engine/game_tree.h"

namespace bruso {

class Iodef;
class Iospec;

// The move letters, each swapping the mover's keeper card with one cell (or passing).
inline constexpr char MoveC = 'C';
inline constexpr char MoveUp = 'U';
inline constexpr char MoveN = 'N';
inline constexpr char MoveTarget = 'T';
inline constexpr char MovePass = 'P';
// Ends a move string being replayed; not a move.
inline constexpr char MoveQuit = 'Q';

// The five moves a player can make, in the order the tables list them.
inline constexpr std::string_view MoveLetters = "CUNTP";
inline constexpr int MoveCount = 5;

// The index of a move letter in MoveLetters, or -1.
inline int MoveIndex(char move) {
  switch (move) {
    case 'C': return 0;
    case 'U': return 1;
    case 'N': return 2;
    case 'T': return 3;
    case 'P': return 4;
    default: return -1;
  }
}

// The move engine: checks a move letter for the role to move and applies it to the
// current node, growing the game tree by one node.
class typogr {
 public:
  void SetIO(TIO* channel) { channel_ = channel; }
  void Init(Iodef* iodef, Tree* tree, Iospec* display);

  // The 1st or 2nd character of a cell.
  static char CellChar(std::string_view cell, int which);
  // Copies the node's Board into `board` and exchanges two cells of the copy.
  static void SwapCells(const TreeNode& node, Board& board, int row1, int column1, int row2,
                        int column2);
  // Whether the role to move may swap its keeper card with the Target: the CK player
  // needs a card of the Target's suit, the NK player one of its number.
  static bool TargetMatch(const TreeNode& node);

  // Applies the letter at `current` (callers first remove what lies below it). On success the letter
  // is recorded in the node, a child with the new Board and the other role is added and
  // becomes current, and true is returned; a refused Target swap or a letter that is no
  // move changes nothing and returns false.
  bool ApplyMove(TreeNode*& current, Board& scratch, char letter);

 private:
  Iodef* iodef_ = nullptr;
  Tree* tree_ = nullptr;
  Iospec* display_ = nullptr;
  TIO* channel_ = nullptr;
};

}  // namespace bruso
