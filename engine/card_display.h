#pragma once

#include <array>
#include <string_view>

#include "engine/board.h"
#include "engine/output_channel.h"

namespace bruso {

class Iodef;
class Tree;

// The six card image controls of the board, in board order C, CK, UP, T, N, NK, as the
// window (or a test) provides them. Pictures are kept by the implementation and named by
// a handle, so the core never sees a picture itself.
class CardImages {
 public:
  virtual ~CardImages() = default;
  // Stores a copy of the picture that image `index` shows now and returns its handle.
  virtual int CapturePicture(int image_index) = 0;
  // Makes image `index` show a copy of the stored picture.
  virtual void ShowPicture(int image_index, int picture) = 0;
};

// The six card codes in picture order, and the board position whose image supplies each
// picture at start-up.
struct CardTableEntry {
  std::string_view code;
  Position source;
};
inline constexpr std::array<CardTableEntry, 6> CardTable = {{
    {"2H", Position::N},
    {"3H", Position::UP},
    {"4H", Position::C},
    {"2C", Position::NK},
    {"3C", Position::T},
    {"4C", Position::CK},
}};

// The card display: shows a Board as six card pictures.
class Iospec {
 public:
  void SetIO(TIO* channel) { channel_ = channel; }
  // Stores the references and takes the six pictures from the images at once.
  void Init(Iodef* iodef, Tree* tree, CardImages* images);
  void LoadPictures();
  // Every cell whose code is exactly one of the six card codes shows that card's picture;
  // any other code leaves its image as it was.
  void ShowBoard(const Board& board);
  static char UpChar(char c);

 private:
  Iodef* iodef_ = nullptr;
  Tree* tree_ = nullptr;
  TIO* channel_ = nullptr;
  CardImages* images_ = nullptr;
  std::array<int, CardTable.size()> pictures_{};
};

}  // namespace bruso
