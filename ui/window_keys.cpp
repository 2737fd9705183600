#include "ui/window_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QShortcut>

namespace bruso {

namespace {

// Keeps the window's controls from claiming the keys before the window's shortcuts see
// them (a line box claims Left and Right, a text box Page Up and Page Down).
class KeyKeeper : public QObject {
 public:
  KeyKeeper(QObject* parent, std::vector<QKeySequence> keys) : QObject(parent), keys_(std::move(keys)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    for (const QKeySequence& kept : keys_) {
      if (key->keyCombination() == kept[0]) {
        event->ignore();
        return true;
      }
    }
    return false;
  }

 private:
  std::vector<QKeySequence> keys_;
};

}  // namespace

void AddButtonKeys(QWidget* window, const std::vector<std::pair<QKeySequence, QAbstractButton*>>& keys) {
  std::vector<QKeySequence> sequences;
  for (auto [sequence, button] : keys) {
    sequences.push_back(sequence);
    auto* shortcut = new QShortcut(sequence, window);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled() && button->isVisible()) button->click();
    });
  }
  auto* keeper = new KeyKeeper(window, sequences);
  for (QWidget* control : window->findChildren<QWidget*>()) control->installEventFilter(keeper);
}

void CloseOnEscape(QWidget* window, const std::function<void()>& close) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  QObject::connect(escape, &QShortcut::activated, window, close);
}

QString WithMnemonic(const QString& caption, const QString& word) {
  const qsizetype at = caption.indexOf(word);
  if (at < 0) return caption;
  return caption.left(at) + QLatin1Char('&') + caption.mid(at);
}

QString PlainCaption(const QAction* action) {
  // No caption of ours holds an "&" of its own.
  return QString(action->text()).remove(QLatin1Char('&'));
}

}  // namespace bruso
