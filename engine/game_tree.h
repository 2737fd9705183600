#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board.h"
#include "engine/output_channel.h"
#include "engine/output_files.h"
#include "engine/text_file.h"

namespace bruso {

inline constexpr std::array<char, 2> BlankMark = {' ', ' '};
// Texts built for one output line hold at most this many characters.
inline constexpr std::size_t MaxLineText = 255;

// One state of a hand. The Board comes first so that a node can be shown like a Board.
struct TreeNode {
  Board board;
  char role = RoleCK;  // role to move here
  char move = ' ';     // letter of the move made from here, blank until one is made
  std::array<char, 2> mark = BlankMark;  // card the player to move looks for, "##" for none
  TreeNode* firstChild = nullptr;
  TreeNode* nextSibling = nullptr;
  TreeNode* parent = nullptr;

  std::string_view TargetCard() const { return board.Cell(Position::T); }
};

inline char OtherRole(char role) { return role == RoleCK ? RoleNK : RoleCK; }

// The game tree of the hand being played. Nodes are reached through the caller's node
// variables (CurrentNode and RootNode), which the operations take by reference and move;
// only DeleteBelow, FreeIfAlone and DeleteTree free nodes.
class Tree {
 public:
  Tree() { spare_.reserve(MaxSpareNodes); }
  ~Tree();
  // Its spare nodes belong to one tree.
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  void SetIO(TIO* channel) { channel_ = channel; }
  void SetIodef(Iodef* iodef) { iodef_ = iodef; }

  void CreateRoot(TreeNode*& node, const Board& board);
  void AddChild(TreeNode*& node, const Board& board);

  void GoDown(TreeNode*& node);
  void GoUp(TreeNode*& node);
  void GoTop(TreeNode*& node);
  void GoBottom(TreeNode*& node);

  void FreeIfAlone(TreeNode*& node);
  void DeleteBelow(TreeNode*& node, TreeNode* top);
  void DeleteTree(TreeNode*& node, TreeNode*& root);

  // Writes the moves and the Target history of the path below the node to the file and
  // the output channel, then the detail line of marks and the Target history to the memo.
  void PrintPath(TreeNode*& node, TreeNode* stop, TextFile& file);

 private:
  void AddLine(std::string_view text);
  void AppendDetail(std::string_view text);
  TreeNode* NewNode(const Board& board, char role, TreeNode* parent);
  void Free(TreeNode* node);

  // Freed nodes kept for the next ones: a play builds and frees a node a move. Reserved
  // once, so that freeing never allocates.
  static constexpr std::size_t MaxSpareNodes = 256;
  std::vector<TreeNode*> spare_;
  // The texts of the path being printed.
  std::string pathMoves_;
  std::string pathHistory_;
  std::string pathDetail_;
  std::string pathLine_;
  TIO* channel_ = nullptr;
  Iodef* iodef_ = nullptr;
};

}  // namespace bruso
