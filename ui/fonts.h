#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace bruso {

// A font asked for by family name with its character height in pixels, as the windows
// name them ("MS Sans Serif" 11, "Courier New" 21 ...).
QFont PixelFont(const char* family, int pixel_height, bool bold = false, bool italic = false);

// The windows name Windows fonts; where those are missing, look-alikes stand in with the
// same widths (Liberation) or, failing that, DejaVu.
void InstallFontSubstitutes();

// Sets the colour of a label's or a button's text.
void SetTextColor(QWidget* widget, const QColor& color);
QColor TextColor(const QWidget* widget);

}  // namespace bruso
