#include "strategy/session_random.h"

namespace kv {

namespace {
constexpr uint64_t kGolden = 0x9E3779B97F4A7C15ull;  // SplitMix64's increment
}

uint64_t splitMix64(uint64_t state) {
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

SessionRandom::SessionRandom(uint64_t seed, uint64_t session) {
    // SplitMix64 adds kGolden before each output; session k starts after
    // the 4k outputs of the sessions before it.
    uint64_t state = seed + 4 * session * kGolden;
    for (uint64_t& s : s_) {
        state += kGolden;
        s = splitMix64(state);
    }
}

}  // namespace kv
