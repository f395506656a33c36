#include "core/generator.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace kv {

int32_t Generator::Random(int32_t n) {
    advance();
    const uint64_t product = static_cast<uint64_t>(seed_) * static_cast<uint32_t>(n);
    return static_cast<int32_t>(product >> 32);
}

double Generator::RandomFloat() {
    advance();
    return static_cast<double>(seed_) / 4294967296.0;
}

void Generator::Randomize() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed_ = static_cast<uint32_t>(static_cast<uint64_t>(ticks));
}

int clampRandomDepth(int64_t depth) {
    return static_cast<int>(std::clamp<int64_t>(depth, kRandomDepthMin, kRandomDepthMax));
}

int RandNum(Generator& g, int depth) {
    const int n = clampRandomDepth(depth);
    std::array<int, kRandomDepthMax> d{};
    for (int i = 0; i < n; ++i) d[i] = g.Random(37);
    return d[g.Random(n)];
}

}  // namespace kv
