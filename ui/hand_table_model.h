#pragma once

#include <optional>
#include <vector>

#include <QAbstractTableModel>

#include "session/run_statistics.h"

namespace bruso {

// The role of a cell's number in the form that reads back exactly, for the saved tables.
inline constexpr int ExactTextRole = Qt::UserRole + 1;

// The statistics window's table of hands, read from the figures themselves: a row costs
// nothing until it is shown, so that a shoe of many thousand hands opens at once, and
// sorting by a column reorders the hands' numbers only.
class HandTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Either may be none; the figures must outlive the next call.
  void SetFigures(const ClassifyStatistics* classify, const PlayStatistics* play);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

 private:
  // The figure of the hand (from 0) in the column; none where the hand has none.
  std::optional<double> Value(int hand, int column) const;

  const ClassifyStatistics* classify_ = nullptr;
  const PlayStatistics* play_ = nullptr;
  std::vector<int> order_;  // the hands in the order shown
};

}  // namespace bruso
