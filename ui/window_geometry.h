#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace bruso {

// Controls are placed at fixed pixel positions (left, top, width, height), as designed.
inline void Place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, width, height);
}

// A label takes the size of its text.
inline void PlaceLabel(QWidget* label, int left, int top) {
  label->move(left, top);
  label->adjustSize();
}

// Moves a window to the middle of the screen it is on.
inline void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

// Shows a window, centred on the screen when it was hidden, in front of the others and
// active, also when it was open behind them.
inline void ShowCentred(QWidget* window) {
  if (!window->isVisible()) CentreOnScreen(window);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace bruso
