#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "Hashing/StreamingHasher.h"

namespace quillane {

// Streaming XXH64. Whole 32-byte stripes are consumed straight from the caller's buffer;
// only the tail of each update is kept.
class XXHash64 final : public StreamingHasher {
public:
    explicit XXHash64(std::uint64_t seed = 0);

    void update(const void* data, std::size_t size) override;
    std::string finalizeHex() override;
    // The value of all bytes fed so far; changes nothing, feeding may go on.
    std::uint64_t digest() const;

    static std::uint64_t hash(const void* data, std::size_t size, std::uint64_t seed = 0);
    // xxHash64 (seed 0) of the text's UTF-8 bytes as 16 lower-case hex digits.
    static std::string hex(std::string_view text);
    static std::string toHex(std::uint64_t value);

private:
    std::uint64_t seed_;
    std::uint64_t v1_, v2_, v3_, v4_;
    std::uint64_t totalLength_ = 0;
    unsigned char memory_[32];
    std::size_t memorySize_ = 0;
};

}  // namespace quillane
