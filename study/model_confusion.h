#pragma once

#include <array>
#include <vector>

#include "model/line_likelihood.h"

namespace bruso {

// How often each variant wins when the data come from each: counts[generating][chosen],
// indices as in EveryModelVariant.
struct ModelConfusion {
  std::array<std::array<long long, 4>, 4> counts{};

  void Add(ModelVariant generating, ModelVariant chosen);
  // The share of data sets from `generating` in which `chosen` won.
  double Share(int generating, int chosen) const;
  // The chance that the data came from `generating` given that `chosen` won, the
  // generating variants taken as equally likely beforehand; NaN when `chosen` never won.
  double Inversion(int generating, int chosen) const;
};

}  // namespace bruso
