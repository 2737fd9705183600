#include "ui/board_widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace bruso {

void CardImage::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

FrameShape::FrameShape(QWidget* parent) : QWidget(parent) {}

void FrameShape::SetMarked(bool marked) {
  QColor color = marked ? AquaColor : RestColor;
  int width = marked ? MarkedPenWidth : RestPenWidth;
  if (color == penColor_ && width == penWidth_) return;
  penColor_ = color;
  penWidth_ = width;
  update();
}

void FrameShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  QPen pen(penColor_, penWidth_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  painter.setPen(pen);
  // The pen stays inside the shape's rectangle, whatever its width.
  const qreal half = penWidth_ / 2.0;
  painter.drawRect(QRectF(half, half, width() - penWidth_, height() - penWidth_));
}

int CardImageList::CapturePicture(int image_index) {
  pictures_.push_back(images_[image_index]->pixmap());
  return static_cast<int>(pictures_.size()) - 1;
}

void CardImageList::ShowPicture(int image_index, int picture) {
  images_[image_index]->setPixmap(pictures_[picture]);
}

}  // namespace bruso
