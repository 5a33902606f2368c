// The content probe on volume-sized trees made on tmpfs: 200,000 files spread over shoot days
// and rolls, and 200,000 files in a single folder. The probe must stop at its entry limit
// (5,000, as the application uses) and stay well under a second.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

#include "Detection/ContentProber.h"
#include "Detection/MediaTypes.h"

namespace fs = std::filesystem;
using namespace quillane;

namespace {

constexpr int totalFiles = 200'000;

struct Trees {
    fs::path base;
    fs::path spread;  // Project/Day###/A###/clip files: 200 days × 10 rolls × 100 clips
    fs::path flat;    // 200,000 clips directly in the root
    fs::path sony;    // a small Sony card

    Trees() {
        const fs::path parent = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (parent / "quillane-probe-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        base = pattern;
        spread = base / "spread";
        flat = base / "flat";
        sony = base / "sony";
        char name[64];
        for (int day = 0; day < 200; ++day)
            for (int roll = 0; roll < 10; ++roll) {
                std::snprintf(name, sizeof name, "Project/Day%03d/A%03d", day + 1, roll + 1);
                const fs::path folder = spread / name;
                fs::create_directories(folder);
                for (int clip = 0; clip < totalFiles / 2000; ++clip) {
                    std::snprintf(name, sizeof name, "A%03dC%03d_261009_R1AB.mov", roll + 1, clip + 1);
                    touch(folder / name);
                }
            }
        fs::create_directories(flat);
        for (int i = 0; i < totalFiles; ++i) {
            std::snprintf(name, sizeof name, "C%06d.MP4", i);
            touch(flat / name);
        }
        fs::create_directories(sony / "PRIVATE/M4ROOT/CLIP");
        for (int i = 1; i <= 60; ++i) {
            std::snprintf(name, sizeof name, "C%04d.MP4", i);
            touch(sony / "PRIVATE/M4ROOT/CLIP" / name);
        }
    }
    ~Trees() {
        std::error_code ignored;
        fs::remove_all(base, ignored);
    }

    static void touch(const fs::path& path) {
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0) throw std::runtime_error("cannot create " + path.string());
        ::close(fd);
    }
};

Trees& trees() {
    static Trees t;
    return t;
}

const std::set<std::string>& videoExtensions() {
    static const std::set<std::string> v(MediaTypes::defaultVideoExtensions().begin(),
                                         MediaTypes::defaultVideoExtensions().end());
    return v;
}

void probeTree(benchmark::State& state, const fs::path& root) {
    const std::int64_t limit = state.range(0);
    ContentProbe last;
    for (auto _ : state) {
        last = ContentProber::probe(root, videoExtensions(), limit);
        benchmark::DoNotOptimize(last);
    }
    state.counters["truncated"] = last.truncated ? 1 : 0;
    state.counters["videos"] = static_cast<double>(last.videoFileCount());
    state.counters["folders"] = static_cast<double>(last.directoryPaths.size());
}

void ProbeSpreadVolume(benchmark::State& state) { probeTree(state, trees().spread); }
void ProbeFlatVolume(benchmark::State& state) { probeTree(state, trees().flat); }
void ProbeSonyCard(benchmark::State& state) { probeTree(state, trees().sony); }

}  // namespace

BENCHMARK(ProbeSpreadVolume)->Arg(5000)->Arg(250'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProbeFlatVolume)->Arg(5000)->Arg(250'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ProbeSonyCard)->Arg(5000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
