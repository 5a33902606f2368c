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

// A file being read from the medium: its descriptor, how far it was read, whether the reads
// bypass the page cache, whether the cache was emptied of the file for buffered reads and
// whether the end was seen (nothing more is asked of the file then).
struct Input {
    int fd = -1;
    std::int64_t offset = 0;
    bool direct = false;
    bool dropped = false;
    bool ended = false;
};

// Opens a file of the given size for reading from the medium: a file of at least one chunk
// with O_DIRECT where the file system offers it; otherwise buffered (direct reads cost more
// than they save on small files), read ahead sequentially when it takes more than one chunk.
// fd -1 with errno on failure.
Input openForReading(const std::filesystem::path& path, std::int64_t size, std::size_t chunk);

// Fills buffer up to size: repeats short reads and EINTR, stops at end of file. Direct reads
// that the file system refuses at an odd length or offset fall back to buffered reads. Before
// the first buffered read the file is written back and dropped from the page cache, so that
// every byte comes from the medium; a failure of either fails the read. Pages read through the
// cache are dropped behind. Returns the byte count (0 from the end on), or -errno.
ssize_t fillChunk(Input& input, std::byte* buffer, std::size_t size);

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

// Whether one syncfs of the volume that holds folder makes every file written there durable and
// reports any file's failed write-back: the journalling file systems (ext4, XFS, Btrfs), whose
// sync commits the journal and flushes the drive's cache. Elsewhere each file needs its own
// fsync: a FUSE volume (exfat-fuse, NTFS-3G) answers syncfs without syncing, and FAT, exFAT
// and the rest leave the drive's cache to each file's fsync.
bool volumeSyncCoversFiles(const std::filesystem::path& folder);

// The C library's message for an error number.
std::string message(int errorNumber);

}  // namespace TransferFiles
}  // namespace quillane
