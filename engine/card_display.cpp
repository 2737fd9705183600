#include "engine/card_display.h"

#include "engine/hand_buffer.h"

namespace bruso {

void Iospec::Init(Iodef* iodef, Tree* tree, CardImages* images) {
  iodef_ = iodef;
  tree_ = tree;
  images_ = images;
  LoadPictures();
}

void Iospec::LoadPictures() {
  if (images_ == nullptr) return;
  for (std::size_t k = 0; k < CardTable.size(); ++k) {
    pictures_[k] = images_->CapturePicture(Board::CellIndex(CardTable[k].source));
  }
}

void Iospec::ShowBoard(const Board& board) {
  if (images_ == nullptr) return;
  for (int cell = 0; cell < PositionCount; ++cell) {
    std::string_view code = board.Cell(static_cast<Position>(cell));
    for (std::size_t k = 0; k < CardTable.size(); ++k) {
      if (code == CardTable[k].code) images_->ShowPicture(cell, pictures_[k]);
    }
  }
}

char Iospec::UpChar(char c) { return bruso::UpChar(c); }

}  // namespace bruso
