#pragma once

#include <string_view>

#include "engine/board.h"
#include "engine/game_tree.h"
#include "engine/hand_buffer.h"
#include "engine/output_channel.h"
#include "engine/text_file.h"

namespace bruso {

class Iodef;
class Iospec;
class typogr;

// The analyser. This part sets a hand's Board up from its text and prints Boards; the
// model of the players' reasoning builds on it.
class Score {
 public:
  void SetIO(TIO* channel) { channel_ = channel; }
  void Init(Iodef* iodef, Tree* tree, typogr* moves, Iospec* display);

  static bool IsMoveLetter(char c) { return bruso::IsMoveLetter(c); }
  static void SqueezeBlanks(HandBuffer& buffer) { bruso::SqueezeBlanks(buffer); }
  static void BoardFromText(Board& board, const HandBuffer& buffer) { bruso::BoardFromText(board, buffer); }

  // Writes the node's Board as one line to the file (three blanks before each card, then
  // " CK" or " NK" for the first mover and a blank) and to the output window.
  void PrintBoard(const TreeNode& node, TextFile& file, std::string_view first_mover);

 protected:
  Iodef* iodef_ = nullptr;
  Tree* tree_ = nullptr;
  typogr* moves_ = nullptr;
  Iospec* display_ = nullptr;
  TIO* channel_ = nullptr;
};

}  // namespace bruso
