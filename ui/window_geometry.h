#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
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

// The room a window's frame takes around it, as near as can be told before it is shown.
inline constexpr QSize FrameAllowance{16, 48};

// The largest window, frame left out, that the window's screen has room for.
inline QSize ScreenRoom(const QWidget* window) {
  QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry().size() - FrameAllowance : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Gives the window the size it wants, or as much of it as the screen has room for (the
// window scrolls or shrinks its contents then).
inline void FitOnScreen(QWidget* window, QSize wanted) { window->resize(wanted.boundedTo(ScreenRoom(window))); }

// A frameless scroll area around controls placed at fixed positions, so that a window
// smaller than they need shows them whole when scrolled. `content` keeps its own size.
inline QScrollArea* ScrollingArea(QWidget* content) {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  area->setWidget(content);
  return area;
}

// Shows a window, centred on the screen when it was hidden, in front of the others and
// active, also when it was open behind them or minimised.
inline void ShowCentred(QWidget* window) {
  if (!window->isVisible()) {
    FitOnScreen(window, window->size());
    CentreOnScreen(window);
  }
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace bruso
