// The model's share of a transfer, measured.
//
// 1. One progress tick with four destinations: a transfer to four SSDs is held at its start (the
//    engine waits at a gate), the progress timer runs at 0 ms, and the main thread's time per tick
//    is the event loop's time divided by the ticks it delivered (timer, snapshot, change signal).
// 2. The whole transfer through the model (TRANSFER pressed until the run has finished: plans,
//    folders, space check, engine thread, progress timer, history, catalog, report rewrite started)
//    against the same job run by the engine alone, alternating, with the ratio of the medians.
//
//   bench_TransferModelBench [--dir PATH] [--rounds N] [--clips N] [--clip-mib N] [--small-files N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QEventLoop>

#include "Model/CoreEngineFactory.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace fs = std::filesystem;
using namespace quillane;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    fs::path dir = fs::temp_directory_path() / "quillane-model-bench";
    int rounds = 3;
    int clips = 4;
    std::int64_t clipBytes = 32ll << 20;
    int smallFiles = 200;
    int destinations = 4;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--dir") o.dir = v;
        else if (a == "--rounds") o.rounds = std::stoi(v);
        else if (a == "--clips") o.clips = std::stoi(v);
        else if (a == "--clip-mib") o.clipBytes = std::stoll(v) << 20;
        else if (a == "--small-files") o.smallFiles = std::stoi(v);
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            std::exit(2);
        }
    }
    return o;
}

void writeRandomFile(const fs::path& path, std::int64_t bytes, unsigned seed) {
    fs::create_directories(path.parent_path());
    std::mt19937_64 random(seed);
    std::vector<std::uint64_t> block(1 << 14);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    for (std::int64_t left = bytes; left > 0;) {
        for (std::uint64_t& word : block) word = random();
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(left, block.size() * 8));
        std::fwrite(block.data(), 1, n, out);
        left -= static_cast<std::int64_t>(n);
    }
    std::fclose(out);
}

// A started model that sees the card and `count` SSD folders below `ssds`.
AppModel& cart(testing::ModelHarness& h, const fs::path& card, const fs::path& ssds, int count) {
    AppModel& model = h.make();
    model.changeSettings([](AppSettings& settings) { settings.askBeforeCreatingFolders = false; });
    model.setProject("Bench");
    model.start();
    std::vector<DriveInfo> volumes = {testing::FakeVolume::card(card, "A001_SONY", "CARD")};
    for (int d = 0; d < count; ++d) {
        const fs::path folder = ssds / ("SSD" + std::to_string(d + 1));
        fs::create_directories(folder);
        volumes.push_back(testing::FakeVolume::ssd(folder, folder.filename().string(), "SSD-" + std::to_string(d)));
    }
    h.volumes->push(std::move(volumes));
    h.drain();
    return model;
}

double tickMicroseconds(const Options& o, const fs::path& card) {
    testing::ModelHarness h;
    h.engines->gated = true;
    h.timings.progressTick = std::chrono::milliseconds(0);
    AppModel& model = cart(h, card, o.dir / "tick", o.destinations);
    model.requestTransfer();
    h.settle();
    if (model.transferState() != TransferState::running || model.transferRollURLs().size() != 4u) {
        std::fprintf(stderr, "the transfer to four SSDs did not start\n");
        std::exit(1);
    }
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        h.feedback->progress.clear();
        const auto start = Clock::now();
        while (Clock::now() - start < std::chrono::milliseconds(300))
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const std::size_t ticks = h.feedback->progress.size();
        if (ticks > 0) best = std::min(best, seconds * 1e6 / static_cast<double>(ticks));
    }
    model.pauseTransfer();
    h.waitUntil([&] { return model.transferState() != TransferState::running; });
    return best;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    testing::qtApplication();
    fs::remove_all(o.dir);
    const fs::path card = o.dir / "card";
    for (int i = 0; i < o.clips; ++i)
        writeRandomFile(card / "PRIVATE/M4ROOT/CLIP" / ("C000" + std::to_string(i + 1) + ".MP4"), o.clipBytes, i + 1);
    for (int i = 0; i < o.smallFiles; ++i)
        writeRandomFile(card / "PRIVATE/M4ROOT/SUB" / std::string("F").append(std::to_string(i)).append(".XML"), 64 << 10, 1000 + i);

    std::printf("progress tick, %d destinations: %.1f µs of main-thread time (best of 5 × 0.3 s)\n", o.destinations,
                tickMicroseconds(o, card));

    std::vector<double> viaModel, engineAlone;
    for (int round = 0; round < o.rounds; ++round) {
        testing::ModelHarness h;
        AppModel& model = cart(h, card, o.dir / ("model" + std::to_string(round)), o.destinations);
        const auto start = Clock::now();
        model.requestTransfer();
        h.waitUntil([&] { return model.transferState() != TransferState::running; }, std::chrono::minutes(30));
        viaModel.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (model.transferState() != TransferState::succeeded) {
            std::fprintf(stderr, "the transfer through the model did not succeed\n");
            return 1;
        }

        // The job the model built, to fresh folders, by the engine alone.
        TransferJob job = h.engines->jobs.at(0);
        for (std::size_t d = 0; d < job.destinations.size(); ++d) {
            job.destinations[d].rollURL = o.dir / ("engine" + std::to_string(round)) / std::to_string(d) / "A001";
            job.destinations[d].volume.reset();
            fs::create_directories(job.destinations[d].rollURL);
        }
        const auto engineStart = Clock::now();
        const TransferResult result = CoreEngineFactory().make(std::move(job), {})->run();
        engineAlone.push_back(std::chrono::duration<double>(Clock::now() - engineStart).count());
        if (!result.allSucceeded()) {
            std::fprintf(stderr, "the engine alone did not succeed\n");
            return 1;
        }
        fs::remove_all(o.dir / ("model" + std::to_string(round)));
        fs::remove_all(o.dir / ("engine" + std::to_string(round)));
    }
    const double bytes = static_cast<double>(o.clips * o.clipBytes + o.smallFiles * (64ll << 10));
    std::printf("whole transfer, %.0f MB to %d destinations with read-back, median of %d:\n", bytes / 1e6,
                o.destinations, o.rounds);
    std::printf("  engine alone   %.2f s\n  through model  %.2f s\n  ratio          %.3f\n", median(engineAlone),
                median(viaModel), median(viaModel) / median(engineAlone));
    fs::remove_all(o.dir);
    return 0;
}
