#include "ui/line_memo.h"

#include <algorithm>
#include <cmath>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextOption>

#include "engine/text_file.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

constexpr int TextMargin = 3;

// Room for the longest move string and one letter more, in the widest move letter.
qreal TabStop(const QFontMetricsF& metrics) {
  qreal widest = 0;
  for (QChar letter : QStringLiteral("CUNTP")) widest = std::max(widest, metrics.horizontalAdvance(letter));
  return 41 * widest;
}

// Draws each line on one row of the same height, tabs expanded; the width of every row is
// that of the longest line, so the horizontal scroll bar reaches the end of it.
class LineDelegate : public QStyledItemDelegate {
 public:
  LineDelegate(const LineListModel& lines, QObject* parent) : QStyledItemDelegate(parent), lines_(lines) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    if (selected) painter->fillRect(option.rect, option.palette.highlight());
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setWrapMode(QTextOption::NoWrap);
    layout.setTabStopDistance(TabStop(QFontMetricsF(option.font)));
    painter->drawText(QRectF(option.rect).adjusted(TextMargin, 0, 0, 0), index.data().toString(), layout);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    const QFontMetrics metrics(option.font);
    const int tab_stop = static_cast<int>(TabStop(QFontMetricsF(option.font)));
    const QSize text = metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, lines_.LongestShownText(), tab_stop);
    return {text.width() + 2 * TextMargin + tab_stop / 2, metrics.height() + 1};
  }

 private:
  const LineListModel& lines_;
};

}  // namespace

int LineMemo::WidthShowing(const QString& after_tab) const {
  const QFontMetricsF metrics(font());
  const qreal text = TabStop(metrics) + metrics.horizontalAdvance(after_tab) + 2 * TextMargin;
  return static_cast<int>(std::ceil(text)) + verticalScrollBar()->sizeHint().width() + 2 * frameWidth() + TextMargin;
}

LineMemo::LineMemo(QWidget* parent) : QListView(parent) {
  setModel(&lines_);
  setItemDelegate(new LineDelegate(lines_, this));
  setUniformItemSizes(true);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void LineMemo::AppendLine(std::string_view line) {
  lines_.Append(line);
  if (!flushQueued_) {
    flushQueued_ = true;
    QMetaObject::invokeMethod(this, &LineMemo::Flush, Qt::QueuedConnection);
  }
}

void LineMemo::Flush() {
  flushQueued_ = false;
  // Show the newest line, as a memo does when a line is added.
  if (lines_.ShowAdded()) scrollToBottom();
}

void LineMemo::Clear() { lines_.Clear(); }

QStringList LineMemo::Lines() const {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(LineCount()));
  for (std::size_t index = 0; index < LineCount(); ++index) lines << ToQString(Line(index));
  return lines;
}

QString LineMemo::toPlainText() const { return Lines().join(QLatin1Char('\n')); }

void LineMemo::SaveTo(const std::filesystem::path& path) const {
  TextFile file;
  file.Open(path.string(), TextFile::Mode::Write);
  for (std::size_t index = 0; index < LineCount(); ++index) file.WriteLine(Line(index));
  file.Close();
}

void LineMemo::CopySelectedLines() const {
  QModelIndexList rows = selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  for (const QModelIndex& row : rows) lines << ToQString(Line(static_cast<std::size_t>(row.row())));
  QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void LineMemo::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelectedLines();
    return;
  }
  QListView::keyPressEvent(event);
}

void LineMemo::mouseReleaseEvent(QMouseEvent* event) {
  QListView::mouseReleaseEvent(event);
  emit clicked();
}

}  // namespace bruso
