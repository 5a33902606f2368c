#pragma once
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quillane {

// The file handling under the transfer engine: reads that come from the medium rather than the
// page cache, writes that do not fill the page cache, and folder creation. Every call goes
// through FileIO::current().
namespace TransferFiles {

// A buffer aligned to 4,096 bytes, as direct reads want it.
struct AlignedBuffer {
    explicit AlignedBuffer(std::size_t size);
    std::byte* data() const { return bytes.get(); }
    struct Free {
        void operator()(std::byte* p) const;
    };
    std::unique_ptr<std::byte, Free> bytes;
    std::size_t size;
};

// A descriptor for reading a file from the medium: with direct, O_DIRECT where the file system
// offers it; otherwise buffered, with the file's cached pages dropped first (direct reads cost
// more than they save on small files). -1 with errno on failure.
int openForReading(const std::filesystem::path& path, bool direct);

// Fills buffer up to size: repeats short reads and EINTR, stops at end of file. Direct reads
// that the file system refuses at an odd length or offset fall back to buffered reads. Pages
// read through the cache are dropped behind. Returns the byte count, or -errno.
ssize_t fillChunk(int fd, std::byte* buffer, std::size_t size, std::int64_t& offset);

// A partial file being written: its descriptor and how far it got.
struct Output {
    int fd = -1;
    std::int64_t written = 0;
    std::int64_t flushed = 0;  // bytes already on their way to the medium and out of the cache
};

// Writes all bytes at the end of the file (short writes and EINTR repeated), then starts
// write-back of them and waits for the previous chunk's, dropping it from the page cache, so
// that a long copy keeps only about two chunks per destination in memory. 0, or the errno.
int writeChunk(Output& output, const std::byte* data, std::size_t size);

// The C library's message for an error number.
std::string message(int errorNumber);

}  // namespace TransferFiles
}  // namespace quillane
