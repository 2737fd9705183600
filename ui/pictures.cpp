#include "ui/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include "ui/text_conversion.h"

// The pictures are compiled into the static library; the linker keeps them only when
// something asks for them, so ask once before the first picture is drawn.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace bruso {

namespace {

QPixmap RenderSvg(const QString& resource, QSize size) {
  static const bool resources_ready = (InitPictureResources(), true);
  (void)resources_ready;
  QSvgRenderer renderer(resource);
  QSize fitted = renderer.defaultSize().scaled(size, Qt::KeepAspectRatio);
  QPixmap pixmap(fitted);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

}  // namespace

QPixmap CardFace(std::string_view code) {
  return RenderSvg(QStringLiteral(":/cards/") + ToQString(code) + QStringLiteral(".svg"),
                   CardPictureSize);
}

QPixmap ThumbsUpPicture(QSize size) {
  return RenderSvg(QStringLiteral(":/pictures/thumbs_up.svg"), size);
}

QPixmap HandButtonPicture(bool pointing_up) {
  const QSize size = HandButtonPictureSize;
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  QRadialGradient shade(size.width() * 0.35, size.height() * 0.35, size.width() * 0.7);
  shade.setColorAt(0, QColor(210, 210, 210));
  shade.setColorAt(1, QColor(120, 120, 120));
  painter.setPen(QPen(QColor(90, 90, 90), 1));
  painter.setBrush(shade);
  painter.drawEllipse(QRectF(1, 1, size.width() - 2, size.height() - 2));

  const qreal mid = size.width() / 2.0;
  const qreal tip = pointing_up ? 7 : size.height() - 7;
  const qreal base = pointing_up ? size.height() - 9 : 9;
  QPainterPath triangle;
  triangle.moveTo(mid, tip);
  triangle.lineTo(mid + 8, base);
  triangle.lineTo(mid - 8, base);
  triangle.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(30, 30, 30));
  painter.drawPath(triangle);
  return pixmap;
}

}  // namespace bruso
