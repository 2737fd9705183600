#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QAction>
#include <QChartView>
#include <QMainWindow>
#include <QStringList>
#include <QTableWidget>

#include "model/line_likelihood.h"

namespace bruso {

// The pieces the windows of figures are built of.

// A table the user reads and sorts but does not edit, with the header given.
QTableWidget* NewTable(const QStringList& header);

// Fills the table with the rows, as text; a column of numbers sorts by their value.
void SetRows(QTableWidget* table, const std::vector<std::vector<std::string>>& rows);

// A chart view that draws smoothly, at least `width` by `height`.
QChartView* NewChartView(int width, int height);

// Puts a new chart in the view, freeing the one it showed.
void ShowChart(QChartView* view, QChart* chart);

// "cm0 alt1", as the tool's tables name a variant.
QString VariantCaption(ModelVariant variant);

}  // namespace bruso

namespace bruso {

// Sizes a window as wanted, or to the screen's free area where that is smaller.
void ResizeWithinScreen(QWidget* window, int width, int height);

// The widget in a frameless scroll area that scrolls where the window is too small for it;
// a column of options scrolls only up and down, and is always wide enough.
QWidget* Scrolling(QWidget* widget, bool column = false);

// The options in a scrolling column on the left, the results taking the rest of the width.
QWidget* OptionsBesideResults(QWidget* options, QWidget* results);

// The File menu of a window of figures: "Save Figures...", which calls `save`, and "Close".
// Gives the Save Figures action.
QAction* AddFiguresFileMenu(QMainWindow* window, const std::function<void()>& save);

}  // namespace bruso

namespace bruso {

// The words of a command line as one line of text.
QString WordsText(const std::vector<std::string>& words);

}  // namespace bruso
