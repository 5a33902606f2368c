#include "Transfer/TransferFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "Support/FileIO.h"

namespace quillane::TransferFiles {

namespace {
constexpr std::size_t alignment = 4096;

// Turns direct reads off on the descriptor; 0 or the errno.
int stopDirect(int fd) {
    FileIO& io = FileIO::current();
    const int flags = io.fcntl(fd, F_GETFL);
    if (flags < 0 || io.fcntl(fd, F_SETFL, flags & ~O_DIRECT) != 0) return errno;
    return 0;
}

// Writes the file's dirty pages back and waits for them, then drops all its pages from the
// cache: the reads that follow go to the medium. (DONTNEED alone keeps dirty pages, which a
// read would then be served from.) Linux does both through the page cache on every regular
// file, whatever the file system (tmpfs, ext4, FUSE alike), so a failure means a failed
// write-back or a file that is not what it seems: either way nothing read could be trusted
// to come from the medium. 0 or the errno.
int dropFromCache(int fd) {
    FileIO& io = FileIO::current();
    if (io.syncFileRange(fd, 0, 0, SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER) != 0)
        return errno;
    return io.posixFadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}
}  // namespace

AlignedBuffer::AlignedBuffer(std::size_t size) : size(size) {
    const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
    void* p = std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
    if (!p) throw std::bad_alloc();
    bytes.reset(static_cast<std::byte*>(p));
}

void AlignedBuffer::Free::operator()(std::byte* p) const { std::free(p); }

Input openForReading(const std::filesystem::path& path, std::int64_t size, std::size_t chunk) {
    FileIO& io = FileIO::current();
    const bool large = size >= static_cast<std::int64_t>(chunk);
    if (large) {
        const int fd = io.open(path.c_str(), O_RDONLY | O_DIRECT);
        if (fd >= 0) return Input{.fd = fd, .direct = true};
        if (errno != EINVAL && errno != EOPNOTSUPP) return Input{};
    }
    // A small file, or no direct reads here (tmpfs before Linux 6.6, some FUSE volumes).
    const int fd = io.open(path.c_str(), O_RDONLY);
    if (fd < 0) return Input{};
    if (large) io.posixFadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return Input{.fd = fd};
}

ssize_t fillChunk(Input& input, std::byte* buffer, std::size_t size) {
    FileIO& io = FileIO::current();
    std::size_t length = 0;
    while (length < size && !input.ended) {
        if (!input.direct && !input.dropped) {
            if (const int e = dropFromCache(input.fd)) return -static_cast<ssize_t>(e);
            input.dropped = true;
        }
        const ssize_t n = io.read(input.fd, buffer + length, size - length);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EINVAL && input.direct) {
                // A direct read at an odd length or offset (after a short read): go on buffered.
                if (const int e = stopDirect(input.fd)) return -static_cast<ssize_t>(e);
                input.direct = false;
                continue;
            }
            return -static_cast<ssize_t>(errno);
        }
        if (n == 0) input.ended = true;
        length += static_cast<std::size_t>(n);
    }
    if (!input.direct && length > 0)
        io.posixFadvise(input.fd, input.offset, static_cast<off_t>(length), POSIX_FADV_DONTNEED);
    input.offset += static_cast<std::int64_t>(length);
    return static_cast<ssize_t>(length);
}

int writeChunk(Output& output, const std::byte* data, std::size_t size) {
    FileIO& io = FileIO::current();
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = io.write(output.fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    const std::int64_t start = output.written;
    output.written += static_cast<std::int64_t>(size);
    // From the second chunk on: start write-back of this chunk; wait for everything before it and
    // drop it from the cache. (A file of one chunk is left to the sync that finishes it: starting
    // its write-back early only costs time.) A write-back failure seen here would not be reported
    // again by fsync on Linux, so it is a write error of its own.
    if (start == 0) return 0;
    auto unsupported = [](int e) { return e == EINVAL || e == ESPIPE || e == ENOSYS || e == EOPNOTSUPP; };
    if (size > 0 && io.syncFileRange(output.fd, start, static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE) != 0 &&
        !unsupported(errno))
        return errno;
    if (start > output.flushed) {
        if (io.syncFileRange(output.fd, output.flushed, start - output.flushed,
                             SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER) != 0 &&
            !unsupported(errno))
            return errno;
        io.posixFadvise(output.fd, output.flushed, start - output.flushed, POSIX_FADV_DONTNEED);
        output.flushed = start;
    }
    return 0;
}

bool volumeSyncCoversFiles(const std::filesystem::path& folder) {
    constexpr long ext4 = 0xEF53, xfs = 0x58465342, btrfs = 0x9123683E;
    long type = 0;
    if (FileIO::current().fileSystemType(folder.c_str(), type) != 0) return false;
    return type == ext4 || type == xfs || type == btrfs;
}

std::string message(int errorNumber) {
    char text[256];
    return ::strerror_r(errorNumber, text, sizeof text);
}

}  // namespace quillane::TransferFiles
