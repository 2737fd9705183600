#include "ui/line_list_model.h"

#include "ui/shown_line.h"

namespace bruso {

void LineListModel::Append(std::string_view line) {
  bytes_.append(line);
  ends_.push_back(bytes_.size());
  if (line.size() > Line(longest_).size()) longest_ = ends_.size() - 1;
}

bool LineListModel::ShowAdded() {
  if (shown_ == ends_.size()) return false;
  beginInsertRows({}, static_cast<int>(shown_), static_cast<int>(ends_.size() - 1));
  shown_ = ends_.size();
  endInsertRows();
  return true;
}

void LineListModel::Clear() {
  beginResetModel();
  bytes_.clear();
  bytes_.shrink_to_fit();
  ends_.clear();
  ends_.shrink_to_fit();
  shown_ = 0;
  longest_ = 0;
  endResetModel();
}

std::string_view LineListModel::Line(std::size_t index) const {
  if (index >= ends_.size()) return {};
  const std::size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(bytes_).substr(start, ends_[index] - start);
}

QString LineListModel::LongestShownText() const { return ShownLine(Line(longest_)); }

int LineListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_);
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return ShownLine(Line(static_cast<std::size_t>(index.row())));
}

}  // namespace bruso
