#include "random.h"

namespace sample_site {

std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b) {
  std::uint64_t z = a + 0x9E3779B97F4A7C15ULL * (b + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

Random::Random(std::uint64_t seed) : state_(seed) {}

std::uint64_t Random::Next() {
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

int Random::Below(int bound) {
  if (bound <= 0) return 0;
  return static_cast<int>(Next() % static_cast<std::uint64_t>(bound));
}

int Random::Between(int low, int high) {
  if (high < low) return low;
  return low + Below(high - low + 1);
}

bool Random::Chance(int percent) {
  return Below(100) < percent;
}

}  // namespace sample_site
