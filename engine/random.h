#pragma once

#include <cstdint>
#include <random>

namespace bruso {

// The one generator of a run, which every random choice draws from, so that a run with a
// fixed seed repeats exactly.
class Random {
 public:
  explicit Random(std::uint64_t seed = 0) : generator_(seed) {}

  void Seed(std::uint64_t seed) { generator_.seed(seed); }
  // A seed taken from the clock, for a run that need not repeat.
  static std::uint64_t ClockSeed();

  // Uniform in [0, 1), never 1: built from the top 53 bits of one draw.
  double Next() { return static_cast<double>(generator_() >> 11) * 0x1.0p-53; }
  // Draws `count` numbers and drops them, as that many calls of Next would.
  void Skip(std::uint64_t count) { generator_.discard(count); }

 private:
  std::mt19937_64 generator_;
};

}  // namespace bruso
