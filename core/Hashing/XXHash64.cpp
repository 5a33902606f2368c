#include "Hashing/XXHash64.h"

#include <cstdio>
#include <bit>
#include <cstring>

namespace quillane {
namespace {

constexpr std::uint64_t prime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t prime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t prime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t prime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t prime5 = 0x27D4EB2F165667C5ULL;

inline std::uint64_t rotl(std::uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }

inline std::uint64_t read64(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

inline std::uint32_t read32(const unsigned char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
    return v;
}

inline std::uint64_t round(std::uint64_t acc, std::uint64_t input) {
    acc += input * prime2;
    acc = rotl(acc, 31);
    return acc * prime1;
}

inline std::uint64_t mergeRound(std::uint64_t acc, std::uint64_t val) {
    acc ^= round(0, val);
    return acc * prime1 + prime4;
}

}  // namespace

XXHash64::XXHash64(std::uint64_t seed)
    : seed_(seed), v1_(seed + prime1 + prime2), v2_(seed + prime2), v3_(seed), v4_(seed - prime1) {}

void XXHash64::update(const void* data, std::size_t size) {
    if (data == nullptr || size == 0) return;
    auto p = static_cast<const unsigned char*>(data);
    const unsigned char* const end = p + size;
    totalLength_ += size;

    if (memorySize_ + size < 32) {
        std::memcpy(memory_ + memorySize_, p, size);
        memorySize_ += size;
        return;
    }
    if (memorySize_ > 0) {
        const std::size_t fill = 32 - memorySize_;
        std::memcpy(memory_ + memorySize_, p, fill);
        v1_ = round(v1_, read64(memory_));
        v2_ = round(v2_, read64(memory_ + 8));
        v3_ = round(v3_, read64(memory_ + 16));
        v4_ = round(v4_, read64(memory_ + 24));
        p += fill;
        memorySize_ = 0;
    }
    if (end - p >= 32) {
        const unsigned char* const limit = end - 32;
        std::uint64_t a = v1_, b = v2_, c = v3_, d = v4_;
        do {
            a = round(a, read64(p));
            b = round(b, read64(p + 8));
            c = round(c, read64(p + 16));
            d = round(d, read64(p + 24));
            p += 32;
        } while (p <= limit);
        v1_ = a; v2_ = b; v3_ = c; v4_ = d;
    }
    if (p < end) {
        memorySize_ = static_cast<std::size_t>(end - p);
        std::memcpy(memory_, p, memorySize_);
    }
}

std::uint64_t XXHash64::digest() const {
    std::uint64_t h;
    if (totalLength_ >= 32) {
        h = rotl(v1_, 1) + rotl(v2_, 7) + rotl(v3_, 12) + rotl(v4_, 18);
        h = mergeRound(h, v1_);
        h = mergeRound(h, v2_);
        h = mergeRound(h, v3_);
        h = mergeRound(h, v4_);
    } else {
        h = seed_ + prime5;
    }
    h += totalLength_;

    const unsigned char* p = memory_;
    const unsigned char* const end = memory_ + memorySize_;
    while (p + 8 <= end) {
        h ^= round(0, read64(p));
        h = rotl(h, 27) * prime1 + prime4;
        p += 8;
    }
    if (p + 4 <= end) {
        h ^= static_cast<std::uint64_t>(read32(p)) * prime1;
        h = rotl(h, 23) * prime2 + prime3;
        p += 4;
    }
    while (p < end) {
        h ^= static_cast<std::uint64_t>(*p) * prime5;
        h = rotl(h, 11) * prime1;
        ++p;
    }
    h ^= h >> 33;
    h *= prime2;
    h ^= h >> 29;
    h *= prime3;
    h ^= h >> 32;
    return h;
}

std::string XXHash64::finalizeHex() { return toHex(digest()); }

std::uint64_t XXHash64::hash(const void* data, std::size_t size, std::uint64_t seed) {
    XXHash64 hasher(seed);
    hasher.update(data, size);
    return hasher.digest();
}

std::string XXHash64::hex(std::string_view text) { return toHex(hash(text.data(), text.size(), 0)); }

std::string XXHash64::toHex(std::uint64_t value) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return std::string(buffer, 16);
}

}  // namespace quillane
