// The whole transfer, measured: generates a card (a few large clips and many small files),
// copies it with the real engine to N destination folders with full read-back, and prints the
// copy pass and the read-back separately, beside a tee-like baseline that writes the same bytes
// to the same destinations and syncs each file. Also prints the process's peak memory.
//
// A second baseline copies the card with `cp -r` to each destination followed by one `sync`.
// --many-small is the card of a frame-sequence or photo camera: 20,000 files of 16 KiB.
// --no-tee leaves out the tee baseline (it syncs every file, which takes minutes on such a card).
//
//   bench_TransferBench [--dir PATH] [--destinations N] [--clips N] [--clip-mib N]
//                       [--small-files N] [--small-kib N] [--many-small] [--md5] [--no-baseline] [--no-tee] [--keep]
//                       [--destination-dir PATH]...   (one per destination; replaces --destinations)
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "Transfer/SourceScanner.h"
#include "Transfer/TransferEngine.h"

namespace fs = std::filesystem;
using namespace quillane;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    fs::path dir = fs::temp_directory_path() / "quillane-transfer-bench";
    int destinations = 3;
    int clips = 8;
    std::int64_t clipBytes = 256ll << 20;
    int smallFiles = 2000;
    std::int64_t smallBytes = 64 << 10;
    ChecksumAlgorithm algorithm = ChecksumAlgorithm::xxhash64;
    bool keep = false;
    bool baseline = true;
    bool tee = true;
    // Where each destination goes (one per drive to measure drives apart); default below --dir.
    std::vector<fs::path> destinationDirs;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--dir") o.dir = next();
        else if (a == "--destinations") o.destinations = std::stoi(next());
        else if (a == "--clips") o.clips = std::stoi(next());
        else if (a == "--clip-mib") o.clipBytes = std::stoll(next()) << 20;
        else if (a == "--small-files") o.smallFiles = std::stoi(next());
        else if (a == "--small-kib") o.smallBytes = std::stoll(next()) << 10;
        else if (a == "--many-small") {
            o.clips = 0;
            o.smallFiles = 20'000;
            o.smallBytes = 16 << 10;
        } else if (a == "--md5") o.algorithm = ChecksumAlgorithm::md5;
        else if (a == "--keep") o.keep = true;
        else if (a == "--no-baseline") o.baseline = false;
        else if (a == "--no-tee") o.tee = false;
        else if (a == "--destination-dir") o.destinationDirs.push_back(next());
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            std::exit(2);
        }
    }
    return o;
}

void writeRandomFile(const fs::path& path, std::int64_t size, unsigned seed) {
    fs::create_directories(path.parent_path());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::uint64_t> block(1 << 17);  // 1 MiB
    std::mt19937_64 random(seed);
    for (std::int64_t done = 0; done < size;) {
        for (auto& v : block) v = random();
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(size - done, 1 << 20));
        if (::write(fd, block.data(), n) != static_cast<ssize_t>(n)) std::perror("write"), std::exit(1);
        done += static_cast<std::int64_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
}

// Drops the card's pages from the cache so that every run reads it from the disk.
void dropCached(const SourceScan& scan) {
    for (const ScannedFile& f : scan.files) {
        const int fd = ::open((scan.root / f.relativePath).c_str(), O_RDONLY);
        if (fd < 0) continue;
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

// What `tee a b c < file > /dev/null` and a sync of each copy do, file by file.
double teeBaseline(const SourceScan& scan, const std::vector<fs::path>& rolls) {
    const auto start = Clock::now();
    std::vector<char> buffer(128 << 10);
    for (const fs::path& roll : rolls)
        for (const std::string& d : scan.directories) fs::create_directories(roll / d);
    for (const ScannedFile& f : scan.files) {
        const int in = ::open((scan.root / f.relativePath).c_str(), O_RDONLY);
        std::vector<int> outs;
        for (const fs::path& roll : rolls)
            outs.push_back(::open((roll / f.relativePath).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        for (;;) {
            const ssize_t n = ::read(in, buffer.data(), buffer.size());
            if (n <= 0) break;
            for (int out : outs)
                if (::write(out, buffer.data(), static_cast<std::size_t>(n)) != n) std::perror("write"), std::exit(1);
        }
        ::close(in);
        for (int out : outs) {
            ::fsync(out);
            ::close(out);
        }
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// `cp -r` of the card to each destination, then one `sync` for all.
double copyBaseline(const fs::path& card, const std::vector<fs::path>& rolls) {
    const auto start = Clock::now();
    for (const fs::path& roll : rolls) {
        fs::create_directories(roll.parent_path());
        const std::string command = "cp -r '" + card.string() + "' '" + roll.string() + "'";
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cp failed\n"), std::exit(1);
    }
    ::sync();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long peakResidentKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void line(const char* what, std::int64_t bytes, double seconds) {
    std::printf("%-22s %8.2f s  %9.1f MB/s\n", what, seconds, bytes / 1e6 / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    const fs::path card = o.dir / "card", destinations = o.dir / "destinations";
    fs::remove_all(o.dir);
    std::printf("generating the card in %s …\n", card.c_str());
    for (int i = 0; i < o.clips; ++i)
        writeRandomFile(card / "CLIPS" / ("A001C" + std::to_string(i + 1) + ".MOV"), o.clipBytes, i + 1);
    for (int i = 0; i < o.smallFiles; ++i)
        writeRandomFile(card / "META" / std::to_string(i / 100) / std::string("F").append(std::to_string(i)).append(".XML"), o.smallBytes,
                        1000 + i);
    const SourceScan scan = SourceScanner::scan(card, CopyMode::entireCard, {"mov"}, false);
    std::printf("card: %d files, %.1f MB; %d destinations, %s, full read-back\n\n", scan.fileCount(),
                scan.totalBytes / 1e6, o.destinationDirs.empty() ? o.destinations : static_cast<int>(o.destinationDirs.size()),
                o.algorithm == ChecksumAlgorithm::md5 ? "MD5" : "xxHash64");

    std::vector<fs::path> teeRolls, engineRolls;
    std::vector<TransferDestination> targets;
    const int count = o.destinationDirs.empty() ? o.destinations : static_cast<int>(o.destinationDirs.size());
    for (int d = 0; d < count; ++d) {
        const fs::path base = o.destinationDirs.empty() ? destinations : o.destinationDirs[d] / "quillane-transfer-bench";
        teeRolls.push_back(base / ("tee" + std::to_string(d)));
        engineRolls.push_back(base / ("ssd" + std::to_string(d)) / "A001");
        targets.push_back({"SSD" + std::to_string(d + 1), engineRolls.back()});
    }

    double teeSeconds = 0, cpSeconds = 0;
    if (o.baseline) {
        if (o.tee) {
            dropCached(scan);
            teeSeconds = teeBaseline(scan, teeRolls);
            for (const fs::path& roll : teeRolls) fs::remove_all(roll);
            ::sync();
        }
        dropCached(scan);
        cpSeconds = copyBaseline(card, teeRolls);
        for (const fs::path& roll : teeRolls) fs::remove_all(roll);
    }
    ::sync();

    const long memoryBefore = peakResidentKiB();
    dropCached(scan);
    TransferEngine engine(TransferJob("Bench", "A001", "CARD", scan, targets, o.algorithm, true, false));
    std::atomic<bool> running{true};
    Clock::time_point copyEnd{};
    std::thread watcher([&] {
        while (running) {
            if (copyEnd == Clock::time_point{} && engine.tracker().snapshot().phase >= TransferPhase::verifying)
                copyEnd = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    const auto start = Clock::now();
    const TransferResult result = engine.run();
    const auto end = Clock::now();
    running = false;
    watcher.join();
    if (copyEnd == Clock::time_point{}) copyEnd = end;

    const double copySeconds = std::chrono::duration<double>(copyEnd - start).count();
    const double readBackSeconds = std::chrono::duration<double>(end - copyEnd).count();
    if (o.baseline && o.tee) line("tee + fsync (baseline)", scan.totalBytes, teeSeconds);
    line("copy pass", scan.totalBytes, copySeconds);
    line("read-back (per drive)", scan.totalBytes, readBackSeconds);
    if (o.baseline) line("cp -r + one sync", scan.totalBytes, cpSeconds);
    if (o.baseline && o.tee) std::printf("copy pass / baseline   %8.2f\n", copySeconds / teeSeconds);
    if (o.baseline) std::printf("copy pass / cp + sync  %8.2f\n", copySeconds / cpSeconds);
    std::printf("peak memory            %8.1f MiB (before the run %.1f MiB)\n", peakResidentKiB() / 1024.0,
                memoryBefore / 1024.0);
    std::printf("result                 %s\n", result.allSucceeded() ? "all destinations verified" : "FAILED");
    if (!o.keep) {
        fs::remove_all(o.dir);
        for (const fs::path& d : o.destinationDirs) fs::remove_all(d / "quillane-transfer-bench");
    }
    return result.allSucceeded() ? 0 : 1;
}
