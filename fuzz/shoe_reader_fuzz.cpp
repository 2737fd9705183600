// Feeds arbitrary bytes to the shoe reader and sets every hand it finds up as a Board,
// the way opening a shoe does.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/hand_buffer.h"
#include "shoe/shoe_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bruso::Shoe shoe = bruso::ReadShoe(std::string_view(reinterpret_cast<const char*>(data), size));
  bruso::HandBuffer buffer;
  for (const bruso::Fhand& hand : shoe.hands) {
    buffer.WriteHandText(hand.HandText);
    bruso::SqueezeBlanks(buffer);
    bruso::Board board;
    bruso::BoardFromText(board, buffer);
    for (const bruso::moves& line : hand.MoveLines) buffer.WriteMoveString(line.Line);
  }
  return 0;
}
