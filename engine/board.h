#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>

namespace bruso {

inline constexpr int BoardLength = 12;
inline constexpr int CardCodeLength = 2;
inline constexpr std::string_view TargetCardCode = "2H";

// The six positions in board order. The value is the cell's index counted from 0,
// which is also the index of its image in the board's image list.
enum class Position { C = 0, CK = 1, UP = 2, T = 3, N = 4, NK = 5 };
inline constexpr int PositionCount = 6;

// Role letters: 'C' moves the CK player, 'N' the NK player.
inline constexpr char RoleCK = 'C';
inline constexpr char RoleNK = 'N';

// A Board is 3 rows by 2 columns of two-character card codes, stored row by row:
// C, CK / UP, T / N, NK. Rows and columns are counted from 1, as the game names them.
struct Board {
  std::array<char, BoardLength> chars{};

  static constexpr int CellIndex(int row, int column) { return (row - 1) * 2 + (column - 1); }
  static constexpr int CellIndex(Position position) { return static_cast<int>(position); }

  // Builds a Board from its twelve-character text (shorter text leaves zero bytes).
  static Board FromText(std::string_view text);

  // Inline: the analysis and the players read cells at every step.
  std::string_view Cell(int row, int column) const {
    return {chars.data() + CellIndex(row, column) * CardCodeLength, CardCodeLength};
  }
  std::string_view Cell(Position position) const {
    return {chars.data() + CellIndex(position) * CardCodeLength, CardCodeLength};
  }
  void SetCell(int row, int column, std::string_view code);

  std::string Text() const { return std::string(chars.data(), chars.size()); }
  bool operator==(const Board&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Board& board);

}  // namespace bruso
