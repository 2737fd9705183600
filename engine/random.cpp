#include "engine/random.h"

#include <chrono>

namespace bruso {

std::uint64_t Random::ClockSeed() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace bruso
