#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractListModel>

namespace bruso {

// The lines of an output box as a list model: every line kept as its bytes, one after the
// other in one buffer, with where each ends, so that a million lines cost little more than
// their text. Lines are added to the store at once and announced to the views in one go by
// ShowAdded, which lets a batch add 100,000 lines for the price of one insertion.
class LineListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  void Append(std::string_view line);
  // Announces the lines added since the last call; false when there were none.
  bool ShowAdded();
  void Clear();

  std::size_t LineCount() const { return ends_.size(); }
  std::string_view Line(std::size_t index) const;
  // The line with the most bytes so far, as shown (see ShownLine): the widest, as near as
  // matters.
  QString LongestShownText() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::string bytes_;              // every line, without line ends
  std::vector<std::size_t> ends_;  // line k ends where line k + 1 starts
  std::size_t shown_ = 0;          // the lines the views know of
  std::size_t longest_ = 0;        // the line with the most bytes, when there are lines
};

}  // namespace bruso
