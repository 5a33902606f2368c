// The clip search over a large catalog: 200 transfers of 2,000 clips each. "FirstSearch"
// includes reading and decoding every catalog file (what the first search of a run pays);
// "LaterSearch" walks the index already in memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Settings/ClipCatalog.h"
#include "Transfer/SourceScan.h"

namespace {

using namespace quillane;
constexpr int transfers = 200;
constexpr int clipsPerTransfer = 2000;

struct Catalog {
    std::filesystem::path store;
    std::vector<TransferRecord> records;  // newest first

    Catalog() {
        store = std::filesystem::temp_directory_path() / ("quillane-clipbench-" + std::to_string(::getpid()));
        ClipCatalog writer(store);
        for (int t = 0; t < transfers; ++t) {
            TransferRecord record;
            record.roll = std::string("A").append(std::to_string(1000 + t).substr(1));
            std::vector<ScannedFile> files;
            std::vector<std::optional<std::string>> hashes;
            for (int c = 0; c < clipsPerTransfer; ++c) {
                char name[96];
                std::snprintf(name, sizeof name, "%s/CLIPS/%s_C%04d_%06X.MOV", record.roll.c_str(), record.roll.c_str(),
                              c, (t * 7919 + c * 104729) & 0xFFFFFF);
                files.push_back(ScannedFile{name, 1'000'000'000 + c});
                hashes.push_back("0123456789abcdef");
            }
            writer.add(record.id, files, hashes);
            records.insert(records.begin(), record);
        }
    }
    ~Catalog() {
        std::error_code ignored;
        std::filesystem::remove_all(store, ignored);
    }
};

Catalog& catalog() {
    static Catalog instance;
    return instance;
}

void FirstSearch(benchmark::State& state) {
    Catalog& data = catalog();
    for (auto _ : state) {
        ClipCatalog fresh(data.store);
        benchmark::DoNotOptimize(fresh.search("c1999_", data.records, 200));
    }
    state.counters["clips"] = transfers * clipsPerTransfer;
}

void LaterSearch(benchmark::State& state) {
    Catalog& data = catalog();
    ClipCatalog loaded(data.store);
    loaded.search("warm up", data.records, 200);
    std::size_t hits = 0;
    for (auto _ : state) {
        // Rare enough to walk every path: one clip per transfer matches.
        auto found = loaded.search("c1999_", data.records, 200);
        hits = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void LaterSearchNothingFound(benchmark::State& state) {
    Catalog& data = catalog();
    ClipCatalog loaded(data.store);
    loaded.search("warm up", data.records, 200);
    for (auto _ : state) benchmark::DoNotOptimize(loaded.search("no such clip", data.records, 200));
}

}  // namespace

BENCHMARK(FirstSearch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LaterSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(LaterSearchNothingFound)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
