#pragma once

#include <array>
#include <vector>

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "engine/board.h"
#include "engine/card_display.h"

namespace bruso {

inline const QColor RestColor{128, 128, 128};  // a frame at rest
inline const QColor AquaColor{0, 255, 255};    // a marked frame, a highlighted caption
inline constexpr int RestPenWidth = 1;
inline constexpr int MarkedPenWidth = 3;

// One card image of the board: shows a card picture and reports a click on it.
class CardImage : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A rectangle outlined with a pen and filled with the window colour: the frame around a
// card, grey and thin at rest, aqua and thick when it marks the last move.
class FrameShape : public QWidget {
 public:
  explicit FrameShape(QWidget* parent);

  void SetMarked(bool marked);
  const QColor& PenColor() const { return penColor_; }
  int PenWidth() const { return penWidth_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor penColor_ = RestColor;
  int penWidth_ = RestPenWidth;
};

// The six card images in board order C, CK, UP, T, N, NK, as the card display sees them.
// The pictures it takes are kept here and named by their index.
class CardImageList : public CardImages {
 public:
  void SetImages(const std::array<CardImage*, PositionCount>& images) { images_ = images; }
  CardImage* operator[](int index) const { return images_[index]; }

  int CapturePicture(int image_index) override;
  void ShowPicture(int image_index, int picture) override;

 private:
  std::array<CardImage*, PositionCount> images_{};
  std::vector<QPixmap> pictures_;
};

}  // namespace bruso
