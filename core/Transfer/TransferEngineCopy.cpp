// The copy pass: every file read once from the source, each chunk written to every live
// destination, hashed, and followed by the read of the next chunk, all at once.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <utility>

#include "Support/Lang.h"
#include "Support/FileIO.h"
#include "Transfer/DestinationFiles.h"
#include "Transfer/TransferEngine.h"
#include "Transfer/TransferEngineRun.h"

namespace quillane {

namespace fs = std::filesystem;
using TransferFiles::message;

namespace {

struct Writer {
    int destination;
    TransferFiles::Output output;
    fs::path temp;
    fs::path final;
};

// A path from the card must stay inside the folders it is resolved against.
bool isSafeRelative(const std::string& path) {
    if (path.empty() || path.front() == '/') return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string_view part(path.data() + start, end - start);
        if (part == ".." || part == ".") return false;
        start = end + 1;
    }
    return true;
}

void discard(Writer& writer) {
    FileIO& io = FileIO::current();
    if (writer.output.fd >= 0) io.close(writer.output.fd);
    writer.output.fd = -1;
    io.unlink(writer.temp.c_str());
}

timespec toTimespec(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto ns = duration_cast<nanoseconds>(time.time_since_epoch()).count();
    timespec t{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    if (t.tv_nsec < 0) {
        t.tv_nsec += 1'000'000'000;
        t.tv_sec -= 1;
    }
    return t;
}

std::string offItsDrive(const TransferDestination& destination) {
    const std::string roll = destination.rollURL.string();
    return L("Kan niet schrijven naar " + destination.name + ": " + roll + " ligt niet meer op het station",
             "Can't write to " + destination.name + ": " + roll + " no longer lies on the drive");
}

std::string writeErrorText(const std::string& name, int e) {
    return L("Schrijffout op " + name + ": " + message(e), "Write error on " + name + ": " + message(e));
}

// Sync, close and move one finished partial file into place. The card's modification date is
// set before the sync so that it reaches the medium with the data (a rename keeps it); Linux
// cannot set a creation date. A failed sync or close is a write error: the data may never
// have reached the medium, so nothing is renamed.
std::optional<std::string> finalise(Writer& writer, const ScannedFile& file, const std::string& name) {
    FileIO& io = FileIO::current();
    if (file.modificationDate) {
        const timespec times[2] = {{0, UTIME_OMIT}, toTimespec(*file.modificationDate)};
        io.futimens(writer.output.fd, times);  // a date that can't be set is not an error
    }
    const bool synced = io.fsync(writer.output.fd) == 0;
    const int syncError = errno;
    if (synced) io.posixFadvise(writer.output.fd, 0, 0, POSIX_FADV_DONTNEED);  // clean now: out of the cache
    const bool closed = io.close(writer.output.fd) == 0;
    const int closeError = errno;
    writer.output.fd = -1;
    if (!synced || !closed) {
        io.unlink(writer.temp.c_str());
        return writeErrorText(name, synced ? closeError : syncError);
    }
    if (auto error = TransferEngine::moveIntoPlace(writer.temp, writer.final)) {
        io.unlink(writer.temp.c_str());
        return error;
    }
    return std::nullopt;
}

}  // namespace

void TransferEngine::copyPass(Run& run) {
    FileIO& io = FileIO::current();
    const int destinationCount = static_cast<int>(job_.destinations.size());

    // Folders: the roll folder and every folder of the card, on each destination.
    for (int d = 0; d < destinationCount; ++d) {
        const TransferDestination& destination = job_.destinations[d];
        const fs::path& roll = destination.rollURL;
        if (destination.volume && !DestinationFiles::liesOn(roll, *destination.volume)) {
            // The drive went and left its mount folder behind: never fill the disk beneath.
            run.fail(d, offItsDrive(destination), tracker_);
            continue;
        }
        fs::path failed;
        int e = TransferFiles::createFolders(roll, failed);
        for (std::size_t k = 0; e == 0 && k < job_.directories.size(); ++k)
            if (isSafeRelative(job_.directories[k])) e = TransferFiles::createFolders(roll / job_.directories[k], failed);
        if (e != 0) {
            const std::string description = failed.string() + ": " + message(e);
            run.fail(d, L("Kan mappen niet aanmaken: ", "Can't create folders: ") + description, tracker_);
            continue;
        }
        struct stat st {};
        if (io.stat(roll.c_str(), &st) == 0 && (!destination.volume || st.st_dev == *destination.volume))
            run.rollDevices[d] = st.st_dev;
        else
            run.fail(d, offItsDrive(destination), tracker_);
    }

    TransferFiles::AlignedBuffer bufferA(chunkSize), bufferB(chunkSize);
    std::byte* current = bufferA.data();
    std::byte* ahead = bufferB.data();
    std::vector<int> slots(std::max(destinationCount, 1), 0);
    std::vector<Writer> writers;
    writers.reserve(destinationCount);
    std::vector<int> liveAtStart, copiedTo;
    liveAtStart.reserve(destinationCount);
    copiedTo.reserve(destinationCount);
    std::vector<std::optional<std::string>> outcomes(destinationCount);

    for (std::size_t i = 0; i < job_.files.size(); ++i) {
        if (isCancelled()) break;
        liveAtStart.clear();
        for (int d = 0; d < destinationCount; ++d)
            if (run.live(d)) liveAtStart.push_back(d);
        if (liveAtStart.empty()) break;

        const ScannedFile& file = job_.files[i];
        const std::string& r = file.relativePath;
        tracker_.setCurrentFile(r);

        int source = -1;
        // Whatever throws (no memory, no MD5 context) leaves no descriptor open and no partial behind.
        struct Cleanup {
            std::vector<Writer>& writers;
            int& source;
            ~Cleanup() {
                for (Writer& writer : writers) discard(writer);
                writers.clear();
                if (source >= 0) FileIO::current().close(source);
            }
        } cleanup{writers, source};
        if (!isSafeRelative(r))
            errno = EINVAL;
        else
            source = TransferFiles::openForReading(job_.sourceRoot / r, file.size >= static_cast<std::int64_t>(chunkSize));
        if (source < 0) {
            const std::string m = message(errno);
            run.sourceError = L("Kan " + r + " niet lezen: " + m, "Can't read " + r + ": " + m);
            break;
        }

        writers.clear();
        for (int d : liveAtStart) {
            const TransferDestination& destination = job_.destinations[d];
            const fs::path final = destination.rollURL / r;
            const DestinationFile present = DestinationFiles::check(final, file.size);
            if (present == DestinationFile::present) {
                run.resumed[d].push_back(static_cast<int>(i));
                continue;
            }
            if (present == DestinationFile::conflict) {
                run.fail(d, L("Bestaat al met andere inhoud: ", "Already exists with different content: ") + r,
                         tracker_);
                continue;
            }
            const fs::path temp = partialPath(final);
            io.unlink(temp.c_str());  // a leftover of an interrupted run is replaced, never appended to
            const int fd = io.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0) {
                const std::string m = message(errno);
                run.fail(d,
                         L("Kan niet schrijven naar " + destination.name + ": " + m,
                           "Can't write to " + destination.name + ": " + m),
                         tracker_);
                continue;
            }
            writers.push_back({d, TransferFiles::Output{fd, 0, 0}, temp, final});
        }

        // The source is read and hashed even when every destination already holds the file.
        auto hasher = ChecksumAlgorithms::makeHasher(job_.algorithm);
        std::int64_t sourceOffset = 0;
        ssize_t n = TransferFiles::fillChunk(source, current, chunkSize, sourceOffset);
        ssize_t nextLength = 0;
        bool stopped = false;
        while (n > 0) {
            if (isCancelled()) {
                stopped = true;
                break;
            }
            const int w = static_cast<int>(writers.size());
            const std::size_t length = static_cast<std::size_t>(n);
            run.pool.run(w + 2, [&](int k) {
                if (k < w)
                    slots[k] = TransferFiles::writeChunk(writers[k].output, current, length);
                else if (k == w)
                    hasher->update(current, length);
                else
                    nextLength = TransferFiles::fillChunk(source, ahead, chunkSize, sourceOffset);
            });
            for (int k = w - 1; k >= 0; --k) {
                if (slots[k] == 0) continue;
                const int d = writers[k].destination;
                discard(writers[k]);
                run.fail(d, writeErrorText(job_.destinations[d].name, slots[k]), tracker_);
                writers.erase(writers.begin() + k);
            }
            copiedTo.clear();
            for (int d : liveAtStart)
                if (run.live(d)) copiedTo.push_back(d);
            tracker_.addCopied(n, copiedTo);
            std::swap(current, ahead);
            n = nextLength;
        }
        io.close(source);
        source = -1;

        if (n < 0) {
            const std::string m = message(static_cast<int>(-n));
            run.sourceError =
                L("Leesfout op de bron bij " + r + ": " + m, "Read error on the source at " + r + ": " + m);
        }
        if (stopped || n < 0 || isCancelled()) break;  // the partials go with the cleanup
        run.hashes[i] = hasher->finalizeHex();

        // Sync and rename the copies of this file on all destinations at once.
        const int w = static_cast<int>(writers.size());
        run.pool.run(w, [&](int k) {
            outcomes[k] = finalise(writers[k], file, job_.destinations[writers[k].destination].name);
        });
        for (int k = 0; k < w; ++k)
            if (outcomes[k]) run.fail(writers[k].destination, *outcomes[k], tracker_);
        writers.clear();
        tracker_.countFinishedFile();
    }

    // Make the renames of this pass durable: sync every folder of each destination once. A
    // folder that can't be synced (the drive went) may lose its renames: a write error.
    run.pool.run(destinationCount, [&](int d) {
        slots[d] = 0;
        if (!run.live(d)) return;
        const fs::path& roll = job_.destinations[d].rollURL;
        auto sync = [&](const fs::path& folder) {
            if (!FileOps::syncDirectory(folder)) slots[d] = errno != 0 ? errno : EIO;
        };
        sync(roll);
        for (std::size_t k = 0; slots[d] == 0 && k < job_.directories.size(); ++k)
            if (isSafeRelative(job_.directories[k])) sync(roll / job_.directories[k]);
    });
    for (int d = 0; d < destinationCount; ++d)
        if (slots[d] != 0) run.fail(d, writeErrorText(job_.destinations[d].name, slots[d]), tracker_);
}

}  // namespace quillane
