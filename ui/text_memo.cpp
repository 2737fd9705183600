#include "ui/text_memo.h"

#include <QTextBlock>
#include <QTextCursor>

#include "ui/text_conversion.h"

namespace bruso {

TextMemo::TextMemo(QWidget* parent) : QPlainTextEdit(parent) {
  // The output can be long; an undo history of it would only cost time and memory.
  setUndoRedoEnabled(false);
}

void TextMemo::AppendLine(std::string_view line) {
  if (pendingCount_ == 0) {
    QMetaObject::invokeMethod(this, &TextMemo::Flush, Qt::QueuedConnection);
  } else {
    pending_ += QLatin1Char('\n');
  }
  pending_ += ToQString(line);
  ++pendingCount_;
}

void TextMemo::Flush() {
  if (pendingCount_ == 0) return;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  if (hasLines_ || !document()->isEmpty()) cursor.insertBlock();
  cursor.insertText(pending_);
  pending_.clear();
  pendingCount_ = 0;
  hasLines_ = true;
  // Show the newest line, as a memo does when a line is added.
  setTextCursor(cursor);
  ensureCursorVisible();
}

QStringList TextMemo::Lines() {
  Flush();
  if (!hasLines_ && document()->isEmpty()) return {};
  return toPlainText().split(QLatin1Char('\n'));
}

void TextMemo::SetLines(const QStringList& lines) {
  pending_.clear();
  pendingCount_ = 0;
  setPlainText(lines.join(QLatin1Char('\n')));
  hasLines_ = !lines.isEmpty();
}

void TextMemo::Clear() { SetLines({}); }

void TextMemo::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit clicked();
}

void TextMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);  // selects the word under the pointer
  emit doubleClicked();
}

}  // namespace bruso
