// Manifests and the report for a large card: 10,000 files, the way the engine finishes a
// destination (render and write the MHL 1.1 and ASC MHL manifests, render the report).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Transfer/ASCMHLWriter.h"
#include "Transfer/C4.h"
#include "Transfer/MHLWriter.h"
#include "Transfer/ReportWriter.h"

namespace {
using namespace quillane;

struct Card {
    std::vector<ScannedFile> files;
    std::vector<std::optional<std::string>> hashes;
};

const Card& card(std::size_t count) {
    static Card c = [count] {
        Card made;
        char name[64];
        for (std::size_t i = 0; i < count; ++i) {
            std::snprintf(name, sizeof name, "CLIPS/A001C%04zu_250314_R1AB.mov", i);
            ScannedFile f;
            f.relativePath = name;
            f.size = 1'000'000'000 + static_cast<std::int64_t>(i);
            f.modificationDate = std::chrono::system_clock::now();
            made.files.push_back(f);
            made.hashes.emplace_back("0123456789abcdef");
        }
        return made;
    }();
    return c;
}

std::filesystem::path scratch() {
    static const std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() / "quillane-writers-bench";
        std::filesystem::remove_all(p);
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

void ASCManifest10k(benchmark::State& state) {
    const Card& c = card(10'000);
    const auto root = scratch() / "A001";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ASCMHLWriter::write(root, c.files, c.hashes, ChecksumAlgorithm::xxhash64,
                                                     std::chrono::system_clock::now(), "1.0.1"));
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(ASCManifest10k)->Unit(benchmark::kMillisecond);

void MHL11Manifest10k(benchmark::State& state) {
    const Card& c = card(10'000);
    for (auto _ : state) {
        const auto path = MHLWriter::write(scratch(), "A001", c.files, c.hashes, ChecksumAlgorithm::xxhash64,
                                           std::chrono::system_clock::now(), std::chrono::system_clock::now(), "log");
        benchmark::DoNotOptimize(path);
    }
}
BENCHMARK(MHL11Manifest10k)->Unit(benchmark::kMillisecond);

void ReportRender10k(benchmark::State& state) {
    const Card& c = card(10'000);
    TransferResult result;
    result.fileCount = static_cast<int>(c.files.size());
    result.finishedAt = result.startedAt + std::chrono::seconds(600);
    for (int d = 0; d < 4; ++d) {
        DestinationResult dr;
        dr.id = d;
        dr.name = "SSD " + std::to_string(d);
        dr.rollURL = "/media/ssd/Project/A001";
        result.destinations.push_back(dr);
    }
    ReportWriter::Info info{"Project", "A001", 3, "CARD", "ARRI"};
    for (auto _ : state) benchmark::DoNotOptimize(ReportWriter::render(info, c.files, c.hashes, result, 0));
}
BENCHMARK(ReportRender10k)->Unit(benchmark::kMillisecond);

void C4OfOneMebibyte(benchmark::State& state) {
    const std::string bytes(1u << 20, 'x');
    for (auto _ : state) benchmark::DoNotOptimize(C4::identifier(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(C4OfOneMebibyte);

}  // namespace

BENCHMARK_MAIN();
