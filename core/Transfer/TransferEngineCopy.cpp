// The copy pass: every file read once from the source, each chunk written to every live
// destination, hashed, and followed by the read of the next chunk, all at once. Large files
// are synced and renamed one by one; small ones a batch at a time. Either way no file gets its
// final name before its data, size and date are durable.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>

#include "Support/Lang.h"
#include "Support/Clock.h"
#include "Support/FileIO.h"
#include "Support/Folders.h"
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

// Files up to this size are written in one piece and made durable a batch at a time: one sync
// of the volume per batch instead of one journal commit per file. A batch holds at most 256
// files and 64 MiB.
constexpr std::int64_t smallFileLimit = 1 << 20;
constexpr std::int64_t batchByteLimit = 64 << 20;

// Each file of a batch keeps a descriptor per destination open: a batch takes at most half of
// the descriptors the process may open.
std::size_t batchFileLimitFor(int destinations) {
    rlimit limit{};
    const rlim_t open = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? limit.rlim_cur : 1024;
    const rlim_t share = open / 2 / static_cast<rlim_t>(std::max(destinations, 1));
    return static_cast<std::size_t>(std::clamp<rlim_t>(share, 8, 256));
}
// A piece of a file up to this size is written to every destination from the copying thread.
constexpr std::size_t inlineChunkLimit = 256 << 10;

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

// FAT-family volumes keep modification dates in steps of two seconds.
constexpr long long dateSlackNanoseconds = 2'000'000'000;

// Sets the card's modification date on a partial file and reads it back. Both times are given
// (exfat-fuse ignores a call that leaves the access time out) and a date that did not stick
// is an error: the copy would carry the time of copying instead of the card's.
bool setModificationDate(int fd, std::chrono::system_clock::time_point date) {
    FileIO& io = FileIO::current();
    const timespec wanted = toTimespec(date);
    const timespec times[2] = {toTimespec(Clock::current().now()), wanted};
    struct stat st {};
    if (io.futimens(fd, times) != 0 || io.fstat(fd, &st) != 0) return false;
    const long long difference = (static_cast<long long>(st.st_mtim.tv_sec) - wanted.tv_sec) * 1'000'000'000 +
                                 (st.st_mtim.tv_nsec - wanted.tv_nsec);
    return difference > -dateSlackNanoseconds && difference < dateSlackNanoseconds;
}

std::string dateErrorText(const std::string& name, const ScannedFile& file) {
    return L("Schrijffout op " + name + ": de wijzigingsdatum van " + file.relativePath + " blijft niet staan",
             "Write error on " + name + ": the modification date of " + file.relativePath + " did not stick");
}

// The card's date on a written partial file, set before the sync so that it reaches the medium
// with the data (a rename keeps it); Linux cannot set a creation date. A date that does not
// stick discards the partial.
std::optional<std::string> date(Writer& writer, const ScannedFile& file, const std::string& name) {
    if (!file.modificationDate || setModificationDate(writer.output.fd, *file.modificationDate)) return std::nullopt;
    discard(writer);
    return dateErrorText(name, file);
}

// Syncs (unless a sync of its volume already did) and closes a dated partial file; 0 or the
// errno. A failed sync or close is a write error: the data may never have reached the medium.
// Clean pages leave the cache, so that the read-back comes from the medium.
int makeDurable(Writer& writer, bool alreadySynced = false) {
    FileIO& io = FileIO::current();
    const bool synced = alreadySynced || io.fsync(writer.output.fd) == 0;
    const int syncError = errno;
    if (synced) io.posixFadvise(writer.output.fd, 0, 0, POSIX_FADV_DONTNEED);
    const bool closed = io.close(writer.output.fd) == 0;
    const int closeError = errno;
    writer.output.fd = -1;
    if (synced && closed) return 0;
    io.unlink(writer.temp.c_str());
    return synced ? closeError : syncError;
}

// Date, sync, close and move one finished partial file into place; nothing is renamed that is
// not durable.
std::optional<std::string> finalise(Writer& writer, const ScannedFile& file, const std::string& name) {
    if (auto error = date(writer, file, name)) return error;
    if (const int e = makeDurable(writer)) return writeErrorText(name, e);
    if (auto error = TransferEngine::moveIntoPlace(writer.temp, writer.final)) {
        FileIO::current().unlink(writer.temp.c_str());
        return error;
    }
    return std::nullopt;
}

// Makes one destination's batch durable and moves it into place: one sync of the volume (the
// journal commits the batch at once, and reports a failed write-back of any of its files). Where
// that sync does not cover each file (volumeSyncCovers false, or no syncfs here) each file is
// synced too. From the first failure on, the rest of the batch is discarded; what was durable
// before it keeps its final name.
std::optional<std::string> settle(std::vector<Writer>& batch, const std::string& name, bool volumeSyncCovers) {
    if (batch.empty()) return std::nullopt;
    FileIO& io = FileIO::current();
    std::optional<std::string> error;
    bool synced = false;
    if (io.syncfs(batch.front().output.fd) == 0)
        synced = volumeSyncCovers;
    else if (errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
        error = writeErrorText(name, errno);
    for (Writer& writer : batch) {
        if (error) {
            discard(writer);
        } else if (const int e = makeDurable(writer, /*alreadySynced=*/synced)) {
            error = writeErrorText(name, e);
        } else if ((error = TransferEngine::moveIntoPlace(writer.temp, writer.final))) {
            io.unlink(writer.temp.c_str());
        }
    }
    batch.clear();
    return error;
}

}  // namespace

struct TransferEngine::CopyState {
    explicit CopyState(int destinations)
        : bufferA(chunkSize),
          bufferB(chunkSize),
          current(bufferA.data()),
          ahead(bufferB.data()),
          slots(std::max(destinations, 1), 0),
          outcomes(destinations),
          batch(destinations),
          batchFileLimit(batchFileLimitFor(destinations)) {
        writers.reserve(destinations);
        liveAtStart.reserve(destinations);
        copiedTo.reserve(destinations);
        for (auto& list : batch) list.reserve(batchFileLimit);
        batchFiles.reserve(batchFileLimit);
    }

    TransferFiles::AlignedBuffer bufferA, bufferB;
    std::byte* current;
    std::byte* ahead;
    std::vector<int> slots;
    std::vector<std::optional<std::string>> outcomes;
    std::vector<Writer> writers;  // the file being copied
    std::vector<int> liveAtStart, copiedTo;
    // Per destination: small files written and dated, waiting to be made durable together.
    std::vector<std::vector<Writer>> batch;
    std::vector<std::size_t> batchFiles;
    std::int64_t batchBytes = 0;
    const std::size_t batchFileLimit;
};

void TransferEngine::copyPass(Run& run) {
    prepareFolders(run);
    CopyState state(static_cast<int>(job_.destinations.size()));
    // Whatever throws (no memory, no MD5 context) leaves no partial of the batch behind.
    struct Cleanup {
        CopyState& state;
        ~Cleanup() {
            for (auto& list : state.batch) {
                for (Writer& writer : list) discard(writer);
                list.clear();
            }
        }
    } cleanup{state};
    for (std::size_t i = 0; i < job_.files.size(); ++i) {
        if (isCancelled()) break;
        // Everything before a large file is in place before it starts: a stop inside it keeps them.
        if (job_.files[i].size > smallFileLimit && !state.batchFiles.empty()) settleBatch(run, state);
        if (!copyFile(run, state, i)) break;
        if (state.batchFiles.size() >= state.batchFileLimit || state.batchBytes >= batchByteLimit) settleBatch(run, state);
    }
    // A stop discards the batch (it is copied again on resume); a source error keeps what is whole.
    if (!isCancelled()) settleBatch(run, state);
    syncFolders(run);
}

void TransferEngine::prepareFolders(Run& run) {
    FileIO& io = FileIO::current();
    for (int d = 0; d < static_cast<int>(job_.destinations.size()); ++d) {
        const TransferDestination& destination = job_.destinations[d];
        const fs::path& roll = destination.rollURL;
        if (destination.volume && !DestinationFiles::liesOn(roll, *destination.volume)) {
            // The drive went and left its mount folder behind: never fill the disk beneath.
            run.fail(d, offItsDrive(destination), tracker_);
            continue;
        }
        // The roll folder and every folder of the card.
        fs::path failed;
        bool made = Folders::createAll(roll, 0755, &failed);
        for (std::size_t k = 0; made && k < job_.directories.size(); ++k)
            if (isSafeRelative(job_.directories[k])) made = Folders::createAll(roll / job_.directories[k], 0755, &failed);
        if (!made) {
            const std::string description = failed.string() + ": " + message(errno);
            run.fail(d, L("Kan mappen niet aanmaken: ", "Can't create folders: ") + description, tracker_);
            continue;
        }
        struct stat st {};
        if (io.stat(roll.c_str(), &st) == 0 && (!destination.volume || st.st_dev == *destination.volume)) {
            run.rollDevices[d] = st.st_dev;
            run.volumeSyncCoversFiles[d] = TransferFiles::volumeSyncCoversFiles(roll);
        } else {
            run.fail(d, offItsDrive(destination), tracker_);
        }
    }
}

void TransferEngine::openWriters(Run& run, CopyState& state, std::size_t i) {
    FileIO& io = FileIO::current();
    const ScannedFile& file = job_.files[i];
    state.writers.clear();
    for (int d : state.liveAtStart) {
        const TransferDestination& destination = job_.destinations[d];
        const fs::path final = destination.rollURL / file.relativePath;
        const DestinationFile present = DestinationFiles::check(final, file.size);
        if (present == DestinationFile::present) {
            run.resumed[d].push_back(static_cast<int>(i));
            continue;
        }
        if (present == DestinationFile::conflict) {
            run.fail(d, L("Bestaat al met andere inhoud: ", "Already exists with different content: ") + file.relativePath,
                     tracker_);
            continue;
        }
        const fs::path temp = partialPath(final);
        int fd = io.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 && errno == EEXIST) {
            // A leftover of an interrupted run is replaced, never appended to.
            io.unlink(temp.c_str());
            fd = io.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        }
        if (fd < 0) {
            const std::string m = message(errno);
            run.fail(d, L("Kan niet schrijven naar " + destination.name + ": " + m,
                          "Can't write to " + destination.name + ": " + m),
                     tracker_);
            continue;
        }
        state.writers.push_back({d, TransferFiles::Output{fd, 0, 0}, temp, final});
    }
}

bool TransferEngine::copyFile(Run& run, CopyState& state, std::size_t i) {
    FileIO& io = FileIO::current();
    state.liveAtStart.clear();
    for (int d = 0; d < static_cast<int>(job_.destinations.size()); ++d)
        if (run.live(d)) state.liveAtStart.push_back(d);
    if (state.liveAtStart.empty()) return false;

    const ScannedFile& file = job_.files[i];
    const std::string& r = file.relativePath;
    tracker_.setCurrentFile(r);

    TransferFiles::Input source;
    // Whatever throws leaves no descriptor open and no partial of this file behind.
    struct Cleanup {
        std::vector<Writer>& writers;
        TransferFiles::Input& source;
        ~Cleanup() {
            for (Writer& writer : writers) discard(writer);
            writers.clear();
            if (source.fd >= 0) FileIO::current().close(source.fd);
        }
    } cleanup{state.writers, source};
    if (!isSafeRelative(r))
        errno = EINVAL;
    else
        source = TransferFiles::openForReading(job_.sourceRoot / r, file.size, chunkSize);
    if (source.fd < 0) {
        const std::string m = message(errno);
        run.sourceError = L("Kan " + r + " niet lezen: " + m, "Can't read " + r + ": " + m);
        return false;
    }
    openWriters(run, state, i);

    // The source is read and hashed even when every destination already holds the file.
    auto hasher = ChecksumAlgorithms::makeHasher(job_.algorithm);
    ssize_t n = TransferFiles::fillChunk(source, state.current, chunkSize);
    ssize_t nextLength = 0;
    std::vector<Writer>& writers = state.writers;
    while (n > 0) {
        if (isCancelled()) return false;  // the partials go with the cleanup
        const int w = static_cast<int>(writers.size());
        const std::size_t length = static_cast<std::size_t>(n);
        const std::byte* current = state.current;
        auto step = [&](int k) {
            if (k < w)
                state.slots[k] = TransferFiles::writeChunk(writers[k].output, current, length);
            else if (k == w)
                hasher->update(current, length);
            else
                nextLength = TransferFiles::fillChunk(source, state.ahead, chunkSize);
        };
        // A small piece is written, hashed and followed up here: handing it to the pool's threads
        // would cost more than the work.
        if (length <= inlineChunkLimit)
            for (int k = 0; k < w + 2; ++k) step(k);
        else
            run.pool.run(w + 2, step);
        for (int k = w - 1; k >= 0; --k) {
            if (state.slots[k] == 0) continue;
            const int d = writers[k].destination;
            discard(writers[k]);
            run.fail(d, writeErrorText(job_.destinations[d].name, state.slots[k]), tracker_);
            writers.erase(writers.begin() + k);
        }
        state.copiedTo.clear();
        for (int d : state.liveAtStart)
            if (run.live(d)) state.copiedTo.push_back(d);
        tracker_.addCopied(n, state.copiedTo);
        std::swap(state.current, state.ahead);
        n = nextLength;
    }
    io.close(source.fd);
    source.fd = -1;
    if (n < 0) {
        const std::string m = message(static_cast<int>(-n));
        run.sourceError = L("Leesfout op de bron bij " + r + ": " + m, "Read error on the source at " + r + ": " + m);
        return false;
    }
    if (isCancelled()) return false;
    run.hashes[i] = hasher->finalizeHex();

    const int w = static_cast<int>(writers.size());
    if (file.size <= smallFileLimit) {
        // Dated now, made durable and renamed with the rest of its batch.
        for (int k = 0; k < w; ++k) {
            const int d = writers[k].destination;
            if (auto error = date(writers[k], file, job_.destinations[d].name))
                run.fail(d, *error, tracker_);
            else
                state.batch[d].push_back(std::move(writers[k]));
        }
        writers.clear();
        state.batchFiles.push_back(i);
        state.batchBytes += file.size;
        return true;
    }
    // Sync and rename the copies of this file on all destinations at once.
    run.pool.run(w, [&](int k) {
        state.outcomes[k] = finalise(writers[k], file, job_.destinations[writers[k].destination].name);
    });
    for (int k = 0; k < w; ++k)
        if (state.outcomes[k]) run.fail(writers[k].destination, *state.outcomes[k], tracker_);
    writers.clear();
    tracker_.countFinishedFile();
    return true;
}

void TransferEngine::settleBatch(Run& run, CopyState& state) {
    const int destinationCount = static_cast<int>(job_.destinations.size());
    run.pool.run(destinationCount, [&](int d) {
        state.outcomes[d] = settle(state.batch[d], job_.destinations[d].name, run.volumeSyncCoversFiles[d]);
    });
    for (int d = 0; d < destinationCount; ++d)
        if (state.outcomes[d]) run.fail(d, *state.outcomes[d], tracker_);
    for (std::size_t k = 0; k < state.batchFiles.size(); ++k) tracker_.countFinishedFile();
    state.batchFiles.clear();
    state.batchBytes = 0;
}

void TransferEngine::syncFolders(Run& run) {
    // Make the renames of this pass durable: sync every folder of each destination once. A
    // folder that can't be synced (the drive went) may lose its renames: a write error.
    const int destinationCount = static_cast<int>(job_.destinations.size());
    std::vector<int> errors(destinationCount, 0);
    run.pool.run(destinationCount, [&](int d) {
        if (!run.live(d)) return;
        const fs::path& roll = job_.destinations[d].rollURL;
        auto sync = [&](const fs::path& folder) {
            if (!FileOps::syncDirectory(folder)) errors[d] = errno != 0 ? errno : EIO;
        };
        sync(roll);
        for (std::size_t k = 0; errors[d] == 0 && k < job_.directories.size(); ++k)
            if (isSafeRelative(job_.directories[k])) sync(roll / job_.directories[k]);
    });
    for (int d = 0; d < destinationCount; ++d)
        if (errors[d] != 0) run.fail(d, writeErrorText(job_.destinations[d].name, errors[d]), tracker_);
}

}  // namespace quillane
