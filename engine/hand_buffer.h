#pragma once

#include <array>
#include <cassert>
#include <string>
#include <string_view>

#include "engine/board.h"

namespace bruso {

// The HandBuffer has positions 0 to 40. A hand text goes in behind a blank in position 0;
// a move string to replay goes in from position 0. Either way a NUL ends the text.
inline constexpr int HandBufferLast = 40;
inline constexpr int HandBufferSize = HandBufferLast + 1;
inline constexpr int MaxHandTextLength = HandBufferSize - 2;    // the blank and the NUL
inline constexpr int MaxMoveStringLength = HandBufferSize - 1;  // the NUL

class HandBuffer {
 public:
  // Positions 1 to 40 start blank (position 0 too: it only ever holds the leading blank).
  HandBuffer() { chars_.fill(' '); }

  char operator[](int position) const {
    assert(position >= 0 && position <= HandBufferLast);
    return chars_[position];
  }
  char& operator[](int position) {
    assert(position >= 0 && position <= HandBufferLast);
    return chars_[position];
  }

  // Writes a blank, the hand text and a NUL from position 0; later positions keep what
  // they held. A text too long to fit loses its blanks first and is then cut, so that the
  // Board it gives is the one the whole text would give.
  void WriteHandText(std::string_view text);

  // Writes a move string and a NUL from position 0; a string longer than 40 characters is
  // cut to its first 40, which is all a replay ever reads.
  void WriteMoveString(std::string_view moves);

  // The text from position `from` up to the NUL (or the end of the buffer).
  std::string TextFrom(int from) const;

  void Clear() { chars_.fill(' '); }

 private:
  void WriteFromStart(std::string_view text);

  std::array<char, HandBufferSize> chars_;
};

// Moves every character other than a blank (code 32) of positions 1 to 40 to the front,
// keeping their order, and fills the positions left over with blanks. Position 0 stays.
void SqueezeBlanks(HandBuffer& buffer);

// Fills the six cells C, CK, UP, T, N, NK from positions 1 to 12, two characters each.
void BoardFromText(Board& board, const HandBuffer& buffer);

// True exactly for the upper-case letters Q, N, C, T, P and U.
bool IsMoveLetter(char c);

// 'a' to 'z' become 'A' to 'Z'; every other character, accented ones too, stays.
char UpChar(char c);

}  // namespace bruso
