#include "study/model_confusion.h"

#include <limits>

#include "study/data_set.h"

namespace bruso {

void ModelConfusion::Add(ModelVariant generating, ModelVariant chosen) {
  ++counts[VariantIndex(generating)][VariantIndex(chosen)];
}

double ModelConfusion::Share(int generating, int chosen) const {
  long long row = 0;
  for (long long count : counts[generating]) row += count;
  return row > 0 ? double(counts[generating][chosen]) / row : std::numeric_limits<double>::quiet_NaN();
}

double ModelConfusion::Inversion(int generating, int chosen) const {
  double column = 0;
  for (int g = 0; g < 4; ++g) {
    const double share = Share(g, chosen);
    if (share == share) column += share;  // rows without data sets do not count
  }
  return column > 0 ? Share(generating, chosen) / column : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace bruso
