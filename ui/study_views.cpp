#include "ui/study_views.h"

#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

namespace bruso {

namespace {

// A cell that sorts numbers by value and text as text.
class FigureItem : public QTableWidgetItem {
 public:
  using QTableWidgetItem::QTableWidgetItem;
  bool operator<(const QTableWidgetItem& other) const override {
    bool mine = false, theirs = false;
    const double a = text().toDouble(&mine);
    const double b = other.text().toDouble(&theirs);
    if (mine && theirs) return a < b;
    if (mine != theirs) return mine;  // numbers before blanks and dashes
    return text() < other.text();
  }
};

}  // namespace

QTableWidget* NewTable(const QStringList& header) {
  auto* table = new QTableWidget(0, static_cast<int>(header.size()));
  table->setHorizontalHeaderLabels(header);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->setWordWrap(false);
  return table;
}

void SetRows(QTableWidget* table, const std::vector<std::vector<std::string>>& rows) {
  const bool sorting = table->isSortingEnabled();
  table->setSortingEnabled(false);  // rows filled while sorting would move under the loop
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      table->setItem(static_cast<int>(r), static_cast<int>(c), new FigureItem(QString::fromStdString(rows[r][c])));
    }
  }
  table->setSortingEnabled(sorting);
  table->resizeColumnsToContents();
}

QChartView* NewChartView(int width, int height) {
  auto* view = new QChartView;
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(width, height);
  return view;
}

void ShowChart(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
}

QString VariantCaption(ModelVariant variant) {
  return QStringLiteral("cm%1 alt%2").arg(variant.conflictMode).arg(variant.altruism);
}

}  // namespace bruso

namespace bruso {

void ResizeWithinScreen(QWidget* window, int width, int height) {
  const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  QSize size(width, height);
  // The frame and title bar take some of the free area too.
  if (screen != nullptr) size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
  window->resize(size);
}

QWidget* Scrolling(QWidget* widget, bool column) {
  auto* area = new QScrollArea;
  area->setWidget(widget);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  if (column) {
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setMinimumWidth(widget->minimumSizeHint().width() + area->verticalScrollBar()->sizeHint().width());
  }
  return area;
}

QWidget* OptionsBesideResults(QWidget* options, QWidget* results) {
  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->addWidget(Scrolling(options, true));
  splitter->addWidget(results);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  return splitter;
}

QAction* AddFiguresFileMenu(QMainWindow* window, const std::function<void()>& save) {
  QMenu* file_menu = window->menuBar()->addMenu(QStringLiteral("&File"));
  QAction* save_figures = file_menu->addAction(QStringLiteral("&Save Figures..."), window, save);
  file_menu->addAction(QStringLiteral("&Close"), window, &QWidget::close);
  return save_figures;
}

}  // namespace bruso

namespace bruso {

QString WordsText(const std::vector<std::string>& words) {
  QStringList texts;
  for (const std::string& word : words) texts << QString::fromStdString(word);
  return texts.join(QLatin1Char(' '));
}

}  // namespace bruso
