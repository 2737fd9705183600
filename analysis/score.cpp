#include "analysis/score.h"

namespace bruso {

void Score::Init(Iodef* iodef, Tree* tree, typogr* moves, Iospec* display) {
  iodef_ = iodef;
  tree_ = tree;
  moves_ = moves;
  display_ = display;
}

void Score::PrintBoard(const TreeNode& node, TextFile& file, std::string_view first_mover) {
  for (int cell = 0; cell < PositionCount; ++cell) {
    std::string piece = "   ";
    piece += node.board.Cell(static_cast<Position>(cell));
    if (channel_ != nullptr) channel_->AddText(piece);
    file.Write(piece);
  }
  std::string_view suffix = first_mover == "C" ? " CK" : " NK";
  if (channel_ != nullptr) channel_->AddText(suffix);
  file.Write(suffix);
  file.Write(" \n");
  if (channel_ != nullptr) channel_->OutputLine("   ");
}

}  // namespace bruso
