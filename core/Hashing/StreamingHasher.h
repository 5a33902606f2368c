#pragma once
#include <cstddef>
#include <string>

namespace quillane {

// An incremental checksum. One thread at a time; the engine hands a hasher between
// workers from one chunk to the next, never concurrently.
class StreamingHasher {
public:
    virtual ~StreamingHasher() = default;
    // Feeds the next bytes; data may be null when size is 0.
    virtual void update(const void* data, std::size_t size) = 0;
    // The checksum of everything fed so far, as lower-case hex. The hasher stays usable.
    virtual std::string finalizeHex() = 0;
};

}  // namespace quillane
