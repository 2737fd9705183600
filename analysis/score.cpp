#include "analysis/score.h"

#include <algorithm>
#include <array>

namespace bruso {

void Score::Init(Iodef* iodef, Tree* tree, typogr* moves, Iospec* display) {
  iodef_ = iodef;
  tree_ = tree;
  moves_ = moves;
  display_ = display;
}

void Score::PrintBoard(const TreeNode& node, TextFile& file, std::string_view first_mover) {
  // Put together in place: a hand's line is printed for every hand of a shoe.
  constexpr std::string_view Gap = "   ";
  std::array<char, PositionCount * (Gap.size() + CardCodeLength) + 3> text{};
  char* end = text.data();
  for (int cell = 0; cell < PositionCount; ++cell) {
    end = std::copy(Gap.begin(), Gap.end(), end);
    const std::string_view card = node.board.Cell(static_cast<Position>(cell));
    end = std::copy(card.begin(), card.end(), end);
  }
  const std::string_view suffix = first_mover == "C" ? " CK" : " NK";
  std::copy(suffix.begin(), suffix.end(), end);
  const std::string_view line(text.data(), text.size());
  if (channel_ != nullptr) channel_->AddText(line);
  file.Write(line);
  file.Write(" \n");
  if (channel_ != nullptr) channel_->OutputLine("   ");
}

}  // namespace bruso
