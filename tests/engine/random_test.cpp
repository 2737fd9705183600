#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "engine/random.h"

namespace bruso {
namespace {

double LibraryNext(std::mt19937_64& library) { return static_cast<double>(library() >> 11) * 0x1.0p-53; }

// Seeded runs must repeat what they gave before the generator was written out: every draw
// and every skip, across the renewals of the state (every 312 numbers), as the library's.
TEST(Random, DrawsTheNumbersOfTheLibraryGenerator) {
  for (const std::uint64_t seed : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{5489}, ~std::uint64_t{0}}) {
    Random random(seed);
    std::mt19937_64 library(seed);
    for (const std::uint64_t skip : {0, 1, 310, 311, 312, 313, 1000, 0, 624, 7}) {
      for (int draw = 0; draw < 700; ++draw) ASSERT_EQ(random.Next(), LibraryNext(library)) << seed;
      random.Skip(skip);
      library.discard(skip);
    }
    ASSERT_EQ(random.Next(), LibraryNext(library));
  }

  Random reseeded(3);
  reseeded.Skip(1000);
  reseeded.Seed(42);
  std::mt19937_64 library(42);
  for (int draw = 0; draw < 1000; ++draw) ASSERT_EQ(reseeded.Next(), LibraryNext(library));
}

}  // namespace
}  // namespace bruso
