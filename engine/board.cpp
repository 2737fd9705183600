#include "engine/board.h"

#include <algorithm>

namespace bruso {

Board Board::FromText(std::string_view text) {
  Board board;
  std::copy_n(text.begin(), std::min<size_t>(text.size(), BoardLength), board.chars.begin());
  return board;
}

void Board::SetCell(int row, int column, std::string_view code) {
  char* cell = chars.data() + CellIndex(row, column) * CardCodeLength;
  for (int i = 0; i < CardCodeLength; ++i) cell[i] = i < static_cast<int>(code.size()) ? code[i] : ' ';
}

std::ostream& operator<<(std::ostream& out, const Board& board) {
  out << '"';
  for (char c : board.chars) {
    if (c >= 32 && c < 127) out << c;
    else out << "\\x" << "0123456789abcdef"[(c >> 4) & 15] << "0123456789abcdef"[c & 15];
  }
  return out << '"';
}

}  // namespace bruso
