#include "players/history.h"

#include <array>
#include <cstring>

namespace bruso {

namespace {

// The string is built in a buffer of its greatest length and handed over in one go: it is
// built before every move the rules choose.
class HistoryBuffer {
 public:
  void Add(char c) { chars_[length_++] = c; }
  void AddCard(const Board& board, Position position) {
    std::memcpy(chars_.data() + length_, board.chars.data() + Board::CellIndex(position) * CardCodeLength,
                CardCodeLength);
    length_ += CardCodeLength;
  }
  void CopyTo(std::string& history) const { history.assign(chars_.data(), length_); }

 private:
  std::array<char, MaxHistoryLength> chars_{};
  std::size_t length_ = 0;
};

}  // namespace

void HiStory(const TreeNode* node, std::string& history) {
  if (node == nullptr) return;
  const Position own = node->role == RoleCK ? Position::CK : Position::NK;
  HistoryBuffer buffer;
  auto add_cards = [&](const TreeNode& from, bool with_own_card) {
    if (with_own_card) buffer.AddCard(from.board, own);
    buffer.AddCard(from.board, Position::UP);
    buffer.AddCard(from.board, Position::T);
  };

  buffer.Add('#');
  add_cards(*node, true);
  const TreeNode* back = node->parent;
  // Steps back 1 to 4: the own card is read on the second and the fourth.
  for (int step = 1; step <= 4 && back != nullptr; ++step, back = back->parent) {
    buffer.Add(back->move);
    add_cards(*back, step % 2 == 0);
  }
  buffer.CopyTo(history);
}

}  // namespace bruso
