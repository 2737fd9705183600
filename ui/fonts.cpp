#include "ui/fonts.h"

#include <QPalette>

namespace bruso {

QFont PixelFont(const char* family, int pixel_height, bool bold, bool italic) {
  QFont font{QString::fromLatin1(family)};
  font.setPixelSize(pixel_height);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void InstallFontSubstitutes() {
  const QStringList sans = {"Liberation Sans", "Arial", "DejaVu Sans"};
  const QStringList mono = {"Liberation Mono", "Courier New", "DejaVu Sans Mono"};
  for (const char* family : {"MS Sans Serif", "Arial", "Verdana", "Tahoma"}) {
    QFont::insertSubstitutions(QString::fromLatin1(family), sans);
  }
  for (const char* family : {"Courier New", "Courier"}) {
    QFont::insertSubstitutions(QString::fromLatin1(family), mono);
  }
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    palette.setColor(role, color);
  }
  widget->setPalette(palette);
}

QColor TextColor(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

}  // namespace bruso
