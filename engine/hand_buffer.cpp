#include "engine/hand_buffer.h"

#include <algorithm>

namespace bruso {

void HandBuffer::WriteFromStart(std::string_view text) {
  assert(static_cast<int>(text.size()) <= MaxMoveStringLength);
  std::copy(text.begin(), text.end(), chars_.begin());
  chars_[text.size()] = '\0';
}

void HandBuffer::WriteHandText(std::string_view text) {
  std::string line = " ";
  if (static_cast<int>(text.size()) <= MaxHandTextLength) {
    line += text;
  } else {
    std::string squeezed;
    std::copy_if(text.begin(), text.end(), std::back_inserter(squeezed), [](char c) { return c != ' '; });
    line += squeezed.substr(0, MaxHandTextLength);
  }
  WriteFromStart(line);
}

void HandBuffer::WriteMoveString(std::string_view moves) {
  WriteFromStart(moves.substr(0, MaxMoveStringLength));
}

std::string HandBuffer::TextFrom(int from) const {
  std::string text;
  for (int i = from; i <= HandBufferLast && chars_[i] != '\0'; ++i) text += chars_[i];
  return text;
}

void SqueezeBlanks(HandBuffer& buffer) {
  int next = 1;
  for (int i = 1; i <= HandBufferLast; ++i) {
    if (buffer[i] != ' ') buffer[next++] = buffer[i];
  }
  for (; next <= HandBufferLast; ++next) buffer[next] = ' ';
}

void BoardFromText(Board& board, const HandBuffer& buffer) {
  for (int i = 0; i < BoardLength; ++i) board.chars[i] = buffer[i + 1];
}

bool IsMoveLetter(char c) {
  switch (c) {
    case 'Q': case 'N': case 'C': case 'T': case 'P': case 'U':
      return true;
    default:
      return false;
  }
}

char UpChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace bruso
