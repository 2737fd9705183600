#include "study/data_set.h"

#include "model/simulation.h"

namespace bruso {

std::uint64_t UnitSeed(std::uint64_t seed, std::uint64_t unit) {
  std::uint64_t z = seed + (unit + 1) * 0x9E3779B97F4A7C15ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

AnalysisSettings SettingsOf(ModelVariant variant, const ParameterPoint& point) {
  AnalysisSettings settings;
  settings.ConflictMode = variant.conflictMode;
  settings.AltruismSwitch = variant.altruism;
  for (int k = 1; k <= CardRuleCount; ++k) settings.ProbTable[k] = point[k - 1];
  return settings;
}

HandList SimulateDataSet(const HandList& hands, const std::vector<int>& lines_per_hand, ModelVariant variant,
                         const ParameterPoint& point, Random& random) {
  const AnalysisSettings settings = SettingsOf(variant, point);
  HandList played;
  played.reserve(hands.size());
  for (std::size_t h = 0; h < hands.size(); ++h) {
    played.push_back(SimulateHand(hands[h], lines_per_hand[h], settings, point[LapseIndex], random, "simulated"));
  }
  return played;
}

int VariantIndex(ModelVariant variant) { return 2 * variant.conflictMode + variant.altruism; }

}  // namespace bruso
