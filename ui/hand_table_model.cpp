#include "ui/hand_table_model.h"

#include <algorithm>
#include <numeric>

#include "engine/exact_number.h"

namespace bruso {

namespace {

struct Column {
  const char* title;
  int decimals;
};

constexpr Column Columns[] = {
    {"hand", 0},     {"lines", 0}, {"lines reaching 2H", 0}, {"agreement %", 1}, {"expected %", 1},
    {"log-likelihood", 2}, {"plays", 0}, {"solved %", 1}, {"stopped", 0}, {"mean moves", 1},
    {"recorded mean moves", 1},
};
constexpr int ColumnCount = static_cast<int>(std::size(Columns));

std::optional<double> MeanMoves(const HandPlays& plays) {
  if (plays.solved == 0) return std::nullopt;
  return plays.MeanMoves();
}

std::optional<double> ClassifyValue(const HandClassifyFigures& hand, int column) {
  switch (column) {
    case 1: return static_cast<double>(hand.lines);
    case 2: return static_cast<double>(hand.linesReachingGoal);
    case 3: return hand.agreement.AgreedShare();
    case 4: return hand.agreement.ExpectedShare();
    default: return hand.logLikelihood;
  }
}

std::optional<double> PlayValue(const HandPlays& artificial, const HandPlays& recorded, int column) {
  switch (column) {
    case 6: return static_cast<double>(artificial.plays);
    case 7: return artificial.plays == 0 ? 0 : 100.0 * artificial.solved / artificial.plays;
    case 8: return static_cast<double>(artificial.stopped);
    case 9: return MeanMoves(artificial);
    default: return MeanMoves(recorded);
  }
}

}  // namespace

void HandTableModel::SetFigures(const ClassifyStatistics* classify, const PlayStatistics* play) {
  beginResetModel();
  classify_ = classify;
  play_ = play;
  const std::size_t classified = classify_ ? classify_->byHand.size() : 0;
  const std::size_t played = play_ ? play_->recorded.byHand.size() : 0;
  order_.resize(std::max(classified, played));
  std::iota(order_.begin(), order_.end(), 0);
  endResetModel();
}

int HandTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int HandTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

std::optional<double> HandTableModel::Value(int hand, int column) const {
  if (column == 0) return hand + 1.0;
  const auto h = static_cast<std::size_t>(hand);
  if (column <= 5) {
    if (classify_ == nullptr || h >= classify_->byHand.size()) return std::nullopt;
    return ClassifyValue(classify_->byHand[h], column);
  }
  if (play_ == nullptr || h >= play_->recorded.byHand.size()) return std::nullopt;
  const std::vector<HandPlays>& artificial = play_->artificial.byHand();
  return PlayValue(h < artificial.size() ? artificial[h] : HandPlays{}, play_->recorded.byHand[h], column);
}

QVariant HandTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != ExactTextRole) return {};
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  const std::optional<double> value = Value(order_[index.row()], index.column());
  if (!value) return QString();
  if (role == ExactTextRole) return QString::fromStdString(ExactNumber(*value));
  return QString::number(*value, 'f', Columns[index.column()].decimals);
}

QVariant HandTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return QString::fromLatin1(Columns[section].title);
}

void HandTableModel::sort(int column, Qt::SortOrder order) {
  // Hands without the figure go last either way; equal figures keep the hands' order.
  const auto before = [&](int a, int b) {
    const std::optional<double> x = Value(a, column);
    const std::optional<double> y = Value(b, column);
    if (!x || !y) return x.has_value() && !y.has_value();
    return order == Qt::AscendingOrder ? *x < *y : *x > *y;
  };
  layoutAboutToBeChanged();
  std::stable_sort(order_.begin(), order_.end(), before);
  layoutChanged();
}

}  // namespace bruso
