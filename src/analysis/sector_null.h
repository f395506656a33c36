#pragma once
// The wheel-sector test looks for the most loaded arc of adjacent pockets.
// Its statistic is the largest standardised excess over every arc of 3, 5, 9
// and 18 pockets; since the arcs overlap, no textbook law gives its
// distribution, so it is simulated for each history length: the same fixed
// seed every time, so the same history always gets the same p-value.
//
// A simulation takes under half a second even for a million spins (37
// binomial draws per simulated history, not one draw per spin). The result is
// kept in memory and, when a folder is given, in one small file per length,
// so that a length already seen costs nothing even after a restart. A file
// that is damaged, truncated or made with other parameters is ignored and
// simulated again.

#include <array>
#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace kv {

// The arc lengths the sector test looks at, in pockets.
inline constexpr std::array<int32_t, 4> kSectorArcLengths = {3, 5, 9, 18};

// The largest (count - expected) / standard deviation over every arc of
// kSectorArcLengths adjacent pockets, for the counts of the 37 pockets in
// wheel order (element 0 is the first pocket of WheelOrder) over `spins`
// spins (the counts' sum). 0 for no spins.
double sectorMaxExcess(std::span<const int32_t, 37> wheelCounts, int32_t spins);

class SectorNullCache {
  public:
    static constexpr int32_t kReplicates = 20000;
    static constexpr uint64_t kSeed = 20240611;
    // Lengths kept in memory; files on disk beyond kFilesKept are removed,
    // the oldest first, so the folder stays a few megabytes.
    static constexpr size_t kLengthsInMemory = 8;
    static constexpr size_t kFilesKept = 200;

    enum class Source { Memory, Disk, Simulated };

    // No folder: memory only.
    explicit SectorNullCache(std::filesystem::path folder = {});

    // The simulated maxima for histories of `spins` spins, sorted ascending
    // and stored as float (the observed value is rounded the same way before
    // it is compared, so equal statistics stay equal).
    std::shared_ptr<const std::vector<float>> distribution(int32_t spins);
    // The Monte Carlo p-value (1 + simulations at least as large) / (R + 1).
    double pValue(int32_t spins, double statistic);
    // Where the last distribution() found its answer.
    Source lastSource() const { return lastSource_; }
    // The file that keeps the distribution of `spins` spins.
    std::filesystem::path fileFor(int32_t spins) const;

  private:
    struct Entry {
        int32_t spins;
        std::shared_ptr<const std::vector<float>> values;
    };
    std::shared_ptr<const std::vector<float>> readFile(int32_t spins) const;
    void writeFile(int32_t spins, const std::vector<float>& values) const;
    void pruneFolder() const;

    std::filesystem::path folder_;
    std::mutex mutex_;
    std::list<Entry> entries_;  // most recently used first
    Source lastSource_ = Source::Simulated;
};

// The sorted simulated maxima for `spins` spins; what the cache stores.
std::vector<float> simulateSectorNull(int32_t spins, int32_t replicates, uint64_t seed);

}  // namespace kv
