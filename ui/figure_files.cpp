#include "ui/figure_files.h"

#include <QBuffer>
#include <QPainter>
#include <QStringList>
#include <QSvgGenerator>

#include "engine/csv_row.h"
#include "engine/io_error.h"
#include "engine/text_file.h"
#include "ui/hand_table_model.h"
#include "ui/text_conversion.h"

namespace bruso {

namespace {

// The size of a chart saved from a window that was never shown.
constexpr QSize SavedChartSize(900, 560);

std::vector<std::string> RowTexts(const QAbstractItemModel& model, int row) {
  std::vector<std::string> texts;
  for (int column = 0; column < model.columnCount(); ++column) {
    const QModelIndex index = model.index(row, column);
    const QVariant exact = model.data(index, ExactTextRole);
    texts.push_back((exact.isValid() ? exact : model.data(index)).toString().toStdString());
  }
  return texts;
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  TextFile file;
  file.Open(path.string(), TextFile::Mode::Write);
  file.Write(bytes);
  file.Close();
}

// True when none of the files is there, or the user lets them be replaced.
bool MayReplace(Dialogs& dialogs, const std::vector<SavedFile>& files) {
  QStringList there;
  for (const SavedFile& file : files) {
    if (std::filesystem::exists(file.path)) there << PathToQString(file.path.filename());
  }
  return there.isEmpty() ||
         dialogs.Question(QStringLiteral("Replace ") + there.join(QStringLiteral(", ")) + QStringLiteral("?")) ==
             Dialogs::Answer::Yes;
}

}  // namespace

TextTable TableRows(const QAbstractItemModel& model) {
  TextTable rows(1);
  for (int column = 0; column < model.columnCount(); ++column) {
    rows[0].push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
  }
  for (int row = 0; row < model.rowCount(); ++row) rows.push_back(RowTexts(model, row));
  return rows;
}

std::string CsvOfShoe(const TextTable& rows, const QString& shoe_file) {
  std::string text;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    std::vector<std::string> fields = {r == 0 ? "shoe" : shoe_file.toStdString()};
    fields.insert(fields.end(), rows[r].begin(), rows[r].end());
    text += CsvRow(fields) + "\n";
  }
  return text;
}

QByteArray ChartBytes(QChartView* view, bool svg) {
  if (!view->isVisible()) view->resize(SavedChartSize);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(view->size());
    generator.setViewBox(QRect(QPoint(), view->size()));
    generator.setTitle(view->chart()->title());
    QPainter painter(&generator);
    view->render(&painter);
  } else {
    view->grab().save(&buffer, "PNG");
  }
  return buffer.data();
}

SavedFile NamedAfter(const std::filesystem::path& stem, const std::string& ending, std::string bytes) {
  std::filesystem::path path = stem;
  path += ending;
  return {path, std::move(bytes)};
}

void SaveFigureFiles(Dialogs& dialogs, const std::filesystem::path& folder, const MakeSavedFiles& files_for,
                     const QString& saved_caption) {
  const QString name =
      dialogs.SaveFile(PathToQString(folder), QString::fromLatin1(FiguresFilter), QString::fromLatin1(FiguresSuffix));
  if (name.isEmpty()) return;
  const std::filesystem::path chosen = QStringToPath(name);
  const std::vector<SavedFile> files =
      files_for(std::filesystem::path(chosen).replace_extension(), chosen.extension() == ".svg");
  if (!MayReplace(dialogs, files)) return;
  QStringList written;
  try {
    for (const SavedFile& file : files) {
      WriteFile(file.path, file.bytes);
      written << PathToQString(file.path.filename());
    }
  } catch (const IoError& error) {
    dialogs.Error(ErrorText(error));
    return;
  }
  dialogs.Message(saved_caption + QStringLiteral(": ") + written.join(QStringLiteral(", ")));
}

}  // namespace bruso
