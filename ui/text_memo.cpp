#include "ui/text_memo.h"

#include <QTextBlock>
#include <QTextCursor>

#include "ui/shown_line.h"
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
  QStringList lines = toPlainText().split(QLatin1Char('\n'));
  for (const auto& [number, line] : shortened_) {
    if (number < lines.size()) lines[number] = line;  // unless the user took lines out
  }
  return lines;
}

QString TextMemo::SelectedText() const {
  const QTextCursor cursor = textCursor();
  const QString selected = cursor.selectedText();
  const QTextBlock block = document()->findBlock(cursor.selectionStart());
  const auto whole = shortened_.find(block.blockNumber());
  if (whole == shortened_.end() || cursor.selectionStart() != block.position()) return selected;
  return selected == whole->second.left(ShownLineLength) ? whole->second : selected;
}

void TextMemo::SetLines(const QStringList& lines) {
  pending_.clear();
  pendingCount_ = 0;
  shortened_.clear();
  QStringList shown = lines;
  for (qsizetype number = 0; number < lines.size(); ++number) {
    if (!IsShortened(lines[number].size())) continue;
    shortened_[static_cast<int>(number)] = lines[number];
    shown[number] = ShownLine(lines[number]);
  }
  setPlainText(shown.join(QLatin1Char('\n')));
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
