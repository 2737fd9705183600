#include "engine/random.h"

#include <chrono>

namespace bruso {

namespace {

constexpr std::size_t ShiftSize = 156;
constexpr std::uint64_t UpperMask = ~std::uint64_t{0} << 31;
constexpr std::uint64_t LowerMask = ~UpperMask;
constexpr std::uint64_t TwistMatrix = 0xB5026F5AA96619E9u;

// One word of the renewed state: the upper bits of `word`, the lower bits of the next word,
// twisted and added to the word ShiftSize on. The matrix is added under a mask, not a
// branch, so that the loops below run without mispredictions and in vector registers.
std::uint64_t Twisted(std::uint64_t word, std::uint64_t next, std::uint64_t far) {
  const std::uint64_t joined = (word & UpperMask) | (next & LowerMask);
  return far ^ (joined >> 1) ^ (TwistMatrix & (0 - (joined & 1)));
}

}  // namespace

void Random::Seed(std::uint64_t seed) {
  state_[0] = seed;
  for (std::size_t i = 1; i < StateSize; ++i) {
    const std::uint64_t last = state_[i - 1];
    state_[i] = 6364136223846793005u * (last ^ (last >> 62)) + i;
  }
  next_ = StateSize;
}

void Random::Renew() {
  for (std::size_t i = 0; i < StateSize - ShiftSize; ++i) state_[i] = Twisted(state_[i], state_[i + 1], state_[i + ShiftSize]);
  for (std::size_t i = StateSize - ShiftSize; i < StateSize - 1; ++i) {
    state_[i] = Twisted(state_[i], state_[i + 1], state_[i + ShiftSize - StateSize]);
  }
  state_[StateSize - 1] = Twisted(state_[StateSize - 1], state_[0], state_[ShiftSize - 1]);
  next_ = 0;
}

std::uint64_t Random::ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace bruso
