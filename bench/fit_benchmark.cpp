// How fast the model is fitted: all four variants on the every-deal shoe with five lines
// per hand played by the model (6,000 lines), on one thread. The target is under 30 s.
//
//   cmake -S . -B build/bench -DBRUSO_BENCH=ON -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench -j2 --target fit_benchmark && build/bench/bench/fit_benchmark

#include <benchmark/benchmark.h>

#include <string>

#include "model/fit.h"
#include "model/simulation.h"

namespace bruso {
namespace {

HandList PlayedShoe() {
  HandList hands = ReadShoeFile(std::string(BRUSO_SOURCE_DIR) + "/examples/every_deal_shoe.txt").hands;
  AnalysisSettings settings;
  settings.ConflictMode = 1;
  settings.ProbTable = {{0.15, 0.8, 0.35, 0.6, 0.9, 0.25, 0.7, 0.45, 0.3, 0.65}};
  Random random{7};
  for (Fhand& hand : hands) hand = SimulateHand(hand, 5, settings, 0.05, random, "played by the model");
  return hands;
}

void FitFourVariants6000Lines(benchmark::State& state) {
  const HandList hands = PlayedShoe();
  for (auto _ : state) {
    for (const ModelVariant variant : {ModelVariant{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
      benchmark::DoNotOptimize(FitVariant(hands, variant, AnalysisSettings{}, {}, 1));
    }
  }
}
BENCHMARK(FitFourVariants6000Lines)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace bruso

BENCHMARK_MAIN();
