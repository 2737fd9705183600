#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace bruso {

// Keys that press a button of the window whichever of its controls has the focus: the boxes
// that only show text would otherwise take the arrow and page keys to move their cursor or
// scroll, and the key would seem to do nothing. A button that is disabled or hidden is not
// pressed. Keys with Shift, Ctrl or Alt stay with the focused control (to select text).
void AddButtonKeys(QWidget* window, const std::vector<std::pair<QKeySequence, QAbstractButton*>>& keys);

// Escape runs `close` while the window is active, as its own Close or OK does.
void CloseOnEscape(QWidget* window, const std::function<void()>& close);

// The caption with its mnemonic (Alt and the letter) at the start of `word`; unchanged
// when it holds no such word.
QString WithMnemonic(const QString& caption, const QString& word);
// An item's caption as the user reads it, without the mark of its mnemonic.
QString PlainCaption(const QAction* action);

}  // namespace bruso
