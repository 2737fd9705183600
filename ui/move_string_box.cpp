#include "ui/move_string_box.h"

namespace bruso {

MoveStringBox::MoveStringBox(QWidget* parent) : QLineEdit(parent) {
  // The selection must show without the focus too.
  QPalette shown = palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    shown.setColor(QPalette::Inactive, role, shown.color(QPalette::Active, role));
  }
  setPalette(shown);
}

void MoveStringBox::focusOutEvent(QFocusEvent* event) {
  const int start = selectionStart();
  const int length = selectionLength();
  QLineEdit::focusOutEvent(event);
  if (start >= 0 && length > 0) setSelection(start, length);
}

}  // namespace bruso
