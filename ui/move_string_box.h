#pragma once

#include <QLineEdit>

namespace bruso {

// The move-string box (Edit2). Its selected letter is the move cursor, so the selection
// stays when the box loses the focus, whatever takes it (a message box, a click on a
// card); a plain line edit drops it then.
class MoveStringBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit MoveStringBox(QWidget* parent = nullptr);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace bruso
