#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace bruso {

// The one generator of a run, which every random choice draws from, so that a run with a
// fixed seed repeats exactly. It is the 64-bit Mersenne Twister (the numbers of
// std::mt19937_64 with the same seed, one for one), written out so that renewing its state
// takes no branch on the random bits: the library's version mispredicts half of them.
class Random {
 public:
  explicit Random(std::uint64_t seed = 0) { Seed(seed); }

  void Seed(std::uint64_t seed);
  // A seed taken from the clock, for a run that need not repeat.
  static std::uint64_t ClockSeed();

  // Uniform in [0, 1), never 1: built from the top 53 bits of one draw.
  double Next() { return static_cast<double>(Draw() >> 11) * 0x1.0p-53; }
  // Draws `count` numbers and drops them, as that many calls of Next would.
  void Skip(std::uint64_t count) {
    while (count > StateSize - next_) {
      count -= StateSize - next_;
      Renew();
    }
    next_ += count;
  }

 private:
  static constexpr std::size_t StateSize = 312;

  std::uint64_t Draw() {
    if (next_ >= StateSize) Renew();
    std::uint64_t z = state_[next_++];
    z ^= (z >> 29) & 0x5555555555555555u;
    z ^= (z << 17) & 0x71D67FFFEDA60000u;
    z ^= (z << 37) & 0xFFF7EEE000000000u;
    return z ^ (z >> 43);
  }
  // Works out the next StateSize numbers' state from the last ones.
  void Renew();

  std::array<std::uint64_t, StateSize> state_{};
  std::size_t next_ = StateSize;
};

}  // namespace bruso
