#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include <QListView>
#include <QStringList>

#include "engine/output_channel.h"
#include "ui/line_list_model.h"

namespace bruso {

// A box of output lines that the output channel writes to: a view over a compact store, so
// it holds millions of lines and takes them fast. Lines are shown, and the box scrolled to
// the newest, when the command that wrote them returns to the event loop (or on Flush);
// the box keeps showing its newest lines when it grows.
// Tabs line up at a stop wider than 40 move letters; a very long line shows its start and
// a marker that it goes on (ShownLine).
class LineMemo : public QListView, public TextSink {
  Q_OBJECT

 public:
  explicit LineMemo(QWidget* parent = nullptr);

  void AppendLine(std::string_view line) override;
  // Shows the lines added so far now.
  void Flush();
  void Clear() override;

  // Every line of the box, whole, the ones not yet shown included.
  std::size_t LineCount() const { return lines_.LineCount(); }
  std::string_view Line(std::size_t index) const { return lines_.Line(index); }
  QStringList Lines() const;
  // The lines joined by line ends, as a text box gives its text.
  QString toPlainText() const;
  // Writes every line to the file, each with its line end, replacing the file; throws
  // IoError when it cannot.
  void SaveTo(const std::filesystem::path& path) const;
  // Puts the selected lines, whole and in order, on the clipboard (Ctrl+C does).
  void CopySelectedLines() const;
  // The width, scroll bar and frame included, at which a line of 40 move letters, a tab and
  // `after_tab` shows whole in the box's font.
  int WidthShowing(const QString& after_tab) const;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  LineListModel lines_;
  bool flushQueued_ = false;
};

}  // namespace bruso
