#pragma once

#include <map>
#include <string_view>

#include <QPlainTextEdit>
#include <QStringList>

#include "engine/output_channel.h"

namespace bruso {

// A multi-line text box whose words can be selected (the move-lines list, the rules list);
// the output channel can write to it too, though LineMemo takes millions of lines cheaper.
// Lines are collected and put into the box in one go when the command that wrote them
// returns to the event loop (or when someone reads the text), so a batch of 100,000 lines
// costs one insertion. A very long line set with SetLines shows its start and a marker that
// it goes on (ShownLine); the box keeps it whole.
class TextMemo : public QPlainTextEdit, public TextSink {
  Q_OBJECT

 public:
  explicit TextMemo(QWidget* parent = nullptr);

  void AppendLine(std::string_view line) override;
  // Puts the collected lines into the box now.
  void Flush();

  // Every line of the box, whole, the collected ones included; an empty box has none.
  QStringList Lines();
  // The selected text; a selection of the whole shown start of a shortened line gives the
  // whole line, so that a double click on it takes all of it.
  QString SelectedText() const;
  void SetLines(const QStringList& lines);
  void Clear() override;

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QString pending_;  // the collected lines, joined by line ends
  int pendingCount_ = 0;
  // Whether the box holds lines: an empty line alone looks like an empty box otherwise.
  bool hasLines_ = false;
  std::map<int, QString> shortened_;  // the whole lines of the shortened ones, by line number
};

}  // namespace bruso
