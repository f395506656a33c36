#pragma once
// The random numbers of one Monte Carlo session: xoshiro256** seeded by
// SplitMix64 from (seed, session), numbers 0..36 without modulo bias.
//
// Session k takes outputs 4k + 1 .. 4k + 4 of the SplitMix64 sequence that
// starts at `seed`; SplitMix64 can jump there directly, so every session's
// stream is known without running the ones before it, and a result depends
// only on the seed, never on which thread ran which session.

#include <cstdint>

namespace kv {

class SessionRandom {
  public:
    SessionRandom(uint64_t seed, uint64_t session);

    uint64_t next() {
        const uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // A number 0..36, every one with the same chance (Lemire's multiply and
    // reject on the upper 32 bits of an output).
    int number() {
        uint64_t m = (next() >> 32) * 37;
        if (static_cast<uint32_t>(m) < 37) [[unlikely]] {
            constexpr uint32_t kThreshold = (0u - 37u) % 37u;  // 2^32 mod 37
            while (static_cast<uint32_t>(m) < kThreshold) m = (next() >> 32) * 37;
        }
        return static_cast<int>(m >> 32);
    }

  private:
    static uint64_t rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    uint64_t s_[4];
};

// One SplitMix64 output for the generator state `state` (already advanced).
uint64_t splitMix64(uint64_t state);

}  // namespace kv
