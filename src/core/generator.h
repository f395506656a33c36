#pragma once
// The program's one pseudo-random generator: a 32-bit linear congruential
// generator (seed = seed * 134775813 + 1) and RandNum on top of it.

#include <cstdint>

namespace kv {

class Generator {
  public:
    explicit Generator(uint32_t seed = 0) : seed_(seed) {}

    // 0..n-1: the high 32 bits of seed * n after advancing the seed.
    int32_t Random(int32_t n);
    // [0, 1): the advanced seed read as an unsigned fraction of 2^32.
    double RandomFloat();
    // Seeds from the high-resolution clock.
    void Randomize();

    uint32_t seed() const { return seed_; }
    void setSeed(uint32_t s) { seed_ = s; }

  private:
    void advance() { seed_ = seed_ * 134775813u + 1u; }
    uint32_t seed_;
};

inline constexpr int kRandomDepthMin = 1;
inline constexpr int kRandomDepthMax = 50;
inline constexpr int kRandomDepthDefault = 1;

// A number 0..36: draws `depth` values Random(37), then picks one of them
// with Random(depth). A depth outside 1..50 is clamped into it.
int RandNum(Generator& g, int depth);
int clampRandomDepth(int64_t depth);

}  // namespace kv
