#pragma once

#include <cstdint>
#include <vector>

#include "model/fit.h"
#include "model/parameter_search.h"
#include "shoe/shoe_file.h"

namespace bruso {

// The seed of unit `unit` of a study seeded with `seed` (a splitmix64 step of the pair), so
// that each unit draws a stream of its own whatever thread runs it and in whatever order.
std::uint64_t UnitSeed(std::uint64_t seed, std::uint64_t unit);

// The settings of the analysis for a variant and a point's probabilities.
AnalysisSettings SettingsOf(ModelVariant variant, const ParameterPoint& point);

// The hands with lines played by the model of the variant at the point (its lapse rate
// too): lines_per_hand[h] lines for hand h, the draws from `random`.
HandList SimulateDataSet(const HandList& hands, const std::vector<int>& lines_per_hand, ModelVariant variant,
                         const ParameterPoint& point, Random& random);

// The index of a variant in EveryModelVariant.
int VariantIndex(ModelVariant variant);

}  // namespace bruso
