#pragma once
// Cards, destinations and independent checks for the transfer engine's tests.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Support/Lang.h"
#include "Transfer/SourceScanner.h"
#include "Transfer/TransferEngine.h"
#include "support/TempDir.h"

namespace quillane::enginetest {

namespace fs = std::filesystem;

// Bytes that differ from file to file and from chunk to chunk.
inline std::string bytes(std::size_t size, unsigned seed) {
    std::string out(size, '\0');
    std::mt19937_64 random(seed);
    for (std::size_t i = 0; i < size; i += 8) {
        const std::uint64_t v = random();
        for (std::size_t k = 0; k < 8 && i + k < size; ++k) out[i + k] = static_cast<char>(v >> (8 * k));
    }
    return out;
}

inline void setModificationTime(const fs::path& path, std::int64_t seconds, long nanoseconds) {
    // Both times: exfat-fuse ignores a call that leaves the access time out.
    const struct timespec time {static_cast<time_t>(seconds), nanoseconds};
    struct timespec times[2] = {time, time};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

inline struct timespec modificationTime(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mtim;
}

inline SourceScan scanCard(const fs::path& card) {
    return SourceScanner::scan(card, CopyMode::entireCard, {"mov", "mxf", "mp4"}, false);
}

inline TransferJob makeJob(const fs::path& card, const std::vector<fs::path>& rolls, bool verify = true,
                           ChecksumAlgorithm algorithm = ChecksumAlgorithm::xxhash64) {
    std::vector<TransferDestination> destinations;
    for (std::size_t d = 0; d < rolls.size(); ++d)
        destinations.push_back({"SSD" + std::to_string(d + 1), rolls[d]});
    return TransferJob("Feature", "A001", "CARD", scanCard(card), destinations, algorithm, verify, false);
}

// The checksum as the command-line tools compute it.
inline std::string independentChecksum(const fs::path& file, ChecksumAlgorithm algorithm) {
    const std::string tool = algorithm == ChecksumAlgorithm::md5 ? "md5sum" : "xxh64sum";
    const std::string command = tool + " '" + file.string() + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    char line[512] = {};
    if (!pipe || !std::fgets(line, sizeof line, pipe.get())) return {};
    std::string text(line);
    return text.substr(0, text.find(' '));
}

// Every file under a folder whose name says it is a partial file.
inline std::vector<fs::path> partialsUnder(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(folder, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        if (it->path().filename().string().ends_with(".quillane-partial")) found.push_back(it->path());
    return found;
}

// Three clips A.mov, B.mov and C.mov of the given sizes, each with bytes of its own.
inline void writeClips(const fs::path& card, std::size_t a, std::size_t b, std::size_t c) {
    testing::writeFile(card / "A.mov", bytes(a, 1));
    testing::writeFile(card / "B.mov", bytes(b, 2));
    testing::writeFile(card / "C.mov", bytes(c, 3));
}

// A roll whose copy stopped inside B.mov: A.mov whole, B.mov and C.mov never under their
// names, and no partial file left behind.
inline void expectStoppedInB(const fs::path& roll, const fs::path& card) {
    EXPECT_EQ(testing::readFile(roll / "A.mov"), testing::readFile(card / "A.mov")) << roll;
    EXPECT_FALSE(fs::exists(roll / "B.mov")) << roll;
    EXPECT_FALSE(fs::exists(roll / "C.mov")) << roll;
    EXPECT_TRUE(partialsUnder(roll).empty()) << roll;
}

// A card and a disk in fresh folders; texts in English.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { Lang::current = AppLanguage::en; }
    // A path on the disk, for matching the engine's file calls.
    std::string at(const char* destination, const char* name) const { return (disk / destination / name).string(); }

    testing::TempDir card{"quillane-card"};
    testing::TempDir disk{"quillane-ssd"};
};

}  // namespace quillane::enginetest
