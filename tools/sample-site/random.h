#pragma once

// A small deterministic random source for the generated catalogue. The same
// seed gives the same numbers on every machine and in every run, so a page of
// the sample site is the same bytes wherever it is built.

#include <cstdint>

namespace sample_site {

// Mixes two values into one well-spread 64-bit value (SplitMix64 finaliser).
std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b);

class Random final {
 public:
  explicit Random(std::uint64_t seed);

  // The next 64 random bits.
  std::uint64_t Next();

  // A number in [0, bound); 0 when bound is 0 or less.
  int Below(int bound);

  // A number in [low, high]; low when high < low.
  int Between(int low, int high);

  // True with the given chance in percent.
  bool Chance(int percent);

 private:
  std::uint64_t state_;
};

}  // namespace sample_site
