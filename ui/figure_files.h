#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QByteArray>
#include <QChartView>
#include <QString>

#include "ui/dialogs.h"

namespace bruso {

// The files a window writes when the user saves what it shows: tables as CSV, charts as
// PNG or SVG, all named after one file the user chooses.

using TextTable = std::vector<std::vector<std::string>>;

inline constexpr const char* FiguresFilter = "PNG charts and CSV tables (*.png);;SVG charts and CSV tables (*.svg)";
inline constexpr const char* FiguresSuffix = "png";

// The model's header row, then its rows, each number as it reads back exactly (the
// ExactTextRole where a cell has one).
TextTable TableRows(const QAbstractItemModel& model);

// The table as CSV, each row led by the name of the shoe its figures are of.
std::string CsvOfShoe(const TextTable& rows, const QString& shoe_file);

// The chart as PNG or SVG; a view never shown is drawn at a fixed size.
QByteArray ChartBytes(QChartView* view, bool svg);

struct SavedFile {
  std::filesystem::path path;
  std::string bytes;
};

// The file named after the stem with `ending` ("-fit.csv") added.
SavedFile NamedAfter(const std::filesystem::path& stem, const std::string& ending, std::string bytes);

// The files to write for a name the user chose, without its extension; `svg` when the
// charts are wanted as SVG.
using MakeSavedFiles = std::function<std::vector<SavedFile>(const std::filesystem::path& stem, bool svg)>;

// Asks for a file name in `folder`, asks before replacing a file that is there, writes the
// files and says which were written (or shows the error that stopped it).
void SaveFigureFiles(Dialogs& dialogs, const std::filesystem::path& folder, const MakeSavedFiles& files,
                     const QString& saved_caption);

}  // namespace bruso
