#include "analysis/sector_null.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <system_error>

namespace kv {

namespace {

constexpr char kMagic[8] = {'K', 'V', 'S', 'E', 'C', 'T', 'R', '1'};
constexpr const char* kFilePrefix = "sector-null-";
constexpr const char* kFileSuffix = ".bin";

// FNV-1a: enough to notice a truncated or scribbled-over file.
uint64_t checksum(const char* data, size_t size) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i) {
        h ^= static_cast<unsigned char>(data[i]);
        h *= 1099511628211ull;
    }
    return h;
}

template <class T>
void append(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
T take(const std::string& in, size_t at) {
    T value;
    std::memcpy(&value, in.data() + at, sizeof value);
    return value;
}

constexpr size_t kHeaderSize = sizeof kMagic + 2 * sizeof(int32_t) + sizeof(uint64_t);

}  // namespace

double sectorMaxExcess(std::span<const int32_t, 37> wheelCounts, int32_t spins) {
    if (spins <= 0) return 0.0;
    // Twice round the wheel, so every arc is one contiguous window.
    std::array<int64_t, 2 * 37 + 1> prefix{};
    for (int i = 0; i < 2 * 37; ++i) prefix[i + 1] = prefix[i] + wheelCounts[i % 37];
    double best = -std::numeric_limits<double>::infinity();
    for (const int32_t k : kSectorArcLengths) {
        int64_t most = 0;
        for (int s = 0; s < 37; ++s) most = std::max(most, prefix[s + k] - prefix[s]);
        const double p = k / 37.0;
        const double expected = spins * p;
        const double deviation = std::sqrt(spins * p * (1.0 - p));
        best = std::max(best, (static_cast<double>(most) - expected) / deviation);
    }
    return best;
}

std::vector<float> simulateSectorNull(int32_t spins, int32_t replicates, uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<float> values(static_cast<size_t>(replicates));
    std::array<int32_t, 37> counts{};
    for (float& v : values) {
        // A fair multinomial as 36 conditional binomials: pocket i gets its
        // share of the spins the earlier pockets left.
        int32_t left = spins;
        for (int i = 0; i < 36; ++i) {
            std::binomial_distribution<int32_t> draw(left, 1.0 / (37 - i));
            counts[i] = left > 0 ? draw(rng) : 0;
            left -= counts[i];
        }
        counts[36] = left;
        v = static_cast<float>(sectorMaxExcess(counts, spins));
    }
    std::sort(values.begin(), values.end());
    return values;
}

SectorNullCache::SectorNullCache(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path SectorNullCache::fileFor(int32_t spins) const {
    return folder_ / (kFilePrefix + std::to_string(spins) + kFileSuffix);
}

std::shared_ptr<const std::vector<float>> SectorNullCache::distribution(int32_t spins) {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->spins != spins) continue;
        entries_.splice(entries_.begin(), entries_, it);
        lastSource_ = Source::Memory;
        return entries_.front().values;
    }
    std::shared_ptr<const std::vector<float>> values = readFile(spins);
    lastSource_ = Source::Disk;
    if (!values) {
        values = std::make_shared<const std::vector<float>>(simulateSectorNull(spins, kReplicates, kSeed));
        lastSource_ = Source::Simulated;
        writeFile(spins, *values);
    }
    entries_.push_front({spins, values});
    if (entries_.size() > kLengthsInMemory) entries_.pop_back();
    return values;
}

double SectorNullCache::pValue(int32_t spins, double statistic) {
    const std::shared_ptr<const std::vector<float>> values = distribution(spins);
    const float observed = static_cast<float>(statistic);
    const auto atLeast = values->end() - std::lower_bound(values->begin(), values->end(), observed);
    return (1.0 + static_cast<double>(atLeast)) / (static_cast<double>(values->size()) + 1.0);
}

std::shared_ptr<const std::vector<float>> SectorNullCache::readFile(int32_t spins) const {
    if (folder_.empty()) return nullptr;
    std::ifstream in(fileFor(spins), std::ios::binary);
    if (!in) return nullptr;
    const size_t expectedSize = kHeaderSize + kReplicates * sizeof(float) + sizeof(uint64_t);
    std::string bytes(expectedSize + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<size_t>(in.gcount()) != expectedSize) return nullptr;
    bytes.resize(expectedSize);
    const size_t body = expectedSize - sizeof(uint64_t);
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0 ||
        take<int32_t>(bytes, sizeof kMagic) != spins ||
        take<int32_t>(bytes, sizeof kMagic + sizeof(int32_t)) != kReplicates ||
        take<uint64_t>(bytes, sizeof kMagic + 2 * sizeof(int32_t)) != kSeed ||
        take<uint64_t>(bytes, body) != checksum(bytes.data(), body))
        return nullptr;
    auto values = std::make_shared<std::vector<float>>(static_cast<size_t>(kReplicates));
    std::memcpy(values->data(), bytes.data() + kHeaderSize, kReplicates * sizeof(float));
    if (!std::is_sorted(values->begin(), values->end())) return nullptr;
    return values;
}

void SectorNullCache::writeFile(int32_t spins, const std::vector<float>& values) const {
    if (folder_.empty()) return;
    // The cache is a convenience: when the folder cannot be written the
    // battery still works, it only simulates again next time.
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    std::string bytes(kMagic, sizeof kMagic);
    append(bytes, spins);
    append(bytes, kReplicates);
    append(bytes, kSeed);
    bytes.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(float));
    append(bytes, checksum(bytes.data(), bytes.size()));
    // Written aside and renamed, so a reader never sees half a file.
    const std::filesystem::path target = fileFor(spins);
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, ec);
            return;
        }
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) std::filesystem::remove(temporary, ec);
    pruneFolder();
}

void SectorNullCache::pruneFolder() const {
    std::error_code ec;
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> files;
    for (const auto& item : std::filesystem::directory_iterator(folder_, ec)) {
        const std::string name = item.path().filename().string();
        if (name.rfind(kFilePrefix, 0) != 0 || !name.ends_with(kFileSuffix)) continue;
        files.emplace_back(item.last_write_time(ec), item.path());
    }
    if (files.size() <= kFilesKept) return;
    std::sort(files.begin(), files.end());
    for (size_t i = 0; i + kFilesKept < files.size(); ++i) std::filesystem::remove(files[i].second, ec);
}

}  // namespace kv
