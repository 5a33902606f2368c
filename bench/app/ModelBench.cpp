// The application model's main-thread work, with folders standing in for drives:
//   VolumesArrive    20 volumes (2 cards, 18 SSDs) reported at once, until every drive is
//                    classified, the card scanned and the plans made. Only the main thread's share
//                    is timed: the report, then the post-backs of the probes and of the scan (the
//                    probes and the scan themselves run on worker threads in the application).
//   Construction     a model over a store holding 500 history records.
//   RefreshPlans     refreshPlans() for 4 SSDs whose roll levels hold the given number of existing
//                    roll folders in all (each with a clip inside), counted rolls.
//
//   bench_ModelBench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "Model/AppModel.h"
#include "Settings/JSONStore.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"

namespace {

using namespace quillane;
using namespace quillane::testing;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string roll(char letter, int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%c%03d", letter, number);
    return name;
}

// A started model over a fresh store, project Alpha, folders created without asking.
AppModel& startedModel(ModelHarness& harness) {
    AppModel& model = harness.make();
    model.changeSettings([](AppSettings& settings) {
        settings.askBeforeCreatingFolders = false;
        settings.useCardReelName = false;
    });
    model.setProject("Alpha");
    model.start();
    return model;
}

void VolumesArrive(benchmark::State& state) {
    TempDir root("quillane-modelbench");
    std::vector<DriveInfo> volumes;
    for (int c = 0; c < 2; ++c) {
        const fs::path card = root / ("CARD" + std::to_string(c));
        for (int clip = 0; clip < 200; ++clip)
            writeFile(card / "PRIVATE/M4ROOT/CLIP" / std::string("C").append(std::to_string(1000 + clip)).append(".MP4"), "clip");
        volumes.push_back(FakeVolume::card(card, "CARD" + std::to_string(c), "CARD-" + std::to_string(c)));
    }
    for (int s = 0; s < 18; ++s) {
        const fs::path ssd = root / ("SSD" + std::to_string(s));
        for (int r = 1; r <= 20; ++r) writeFile(ssd / "Alpha/FOOTAGE" / roll('A', r) / "clip.mov", "x");
        volumes.push_back(FakeVolume::ssd(ssd, "SSD" + std::to_string(s), "SSD-" + std::to_string(s)));
    }
    ModelHarness harness;
    AppModel& model = startedModel(harness);
    for (auto _ : state) {
        harness.volumes->push({});
        harness.drain();
        double mainThread = 0;
        auto start = Clock::now();
        harness.volumes->push(volumes);
        harness.settle();
        mainThread += seconds(start);
        while (harness.work->pending() > 0) {
            harness.work->runAll();  // probes, then the scan: worker threads in the application
            start = Clock::now();
            harness.settle();
            mainThread += seconds(start);
        }
        if (model.plans().size() != 18 || !model.scan() || model.rollName() != "A021") state.SkipWithError("not ready");
        state.SetIterationTime(mainThread);
    }
}
BENCHMARK(VolumesArrive)->UseManualTime()->Unit(benchmark::kMillisecond);

void Construction(benchmark::State& state) {
    ModelHarness harness;
    std::vector<TransferRecord> history;
    const auto now = std::chrono::system_clock::now();
    for (int t = 0; t < 500; ++t) {
        const std::string name = roll("ABCS"[t % 4], t / 4 + 1);
        history.emplace_back("Feature", name, t / 40 + 1, "CARD " + name, "ARRI ALEXA 35", "fp" + std::to_string(t),
                             2000, 480'000'000'000, now - std::chrono::minutes(20 * t),
                             std::vector<TransferRecord::Destination>{
                                 TransferRecord::Destination("SHUTTLE 1", "/media/crew/SHUTTLE 1/Feature/" + name, true),
                                 TransferRecord::Destination("SHUTTLE 2", "/media/crew/SHUTTLE 2/Feature/" + name, true)},
                             true);
    }
    JSONStore<std::vector<TransferRecord>>("history.json", harness.store.path()).save(history);
    for (auto _ : state) {
        harness.destroy();
        const auto start = Clock::now();
        AppModel& model = harness.make();
        state.SetIterationTime(seconds(start));
        if (model.history().size() != 500) state.SkipWithError("history not loaded");
    }
}
BENCHMARK(Construction)->UseManualTime()->Unit(benchmark::kMillisecond);

void RefreshPlans(benchmark::State& state) {
    const int rolls = static_cast<int>(state.range(0));
    TempDir root("quillane-modelbench");
    const fs::path card = root / "CARD";
    writeFile(card / "PRIVATE/M4ROOT/CLIP/C0001.MP4", "clip");
    std::vector<DriveInfo> volumes{FakeVolume::card(card, "CARD", "CARD-1")};
    for (int s = 0; s < 4; ++s) {
        const fs::path ssd = root / ("SSD" + std::to_string(s));
        fs::create_directories(ssd);
        volumes.push_back(FakeVolume::ssd(ssd, "SSD" + std::to_string(s), "SSD-" + std::to_string(s)));
    }
    for (int r = 0; r < rolls; ++r)
        writeFile(root / ("SSD" + std::to_string(r % 4)) / "Alpha/FOOTAGE" / roll('A', r + 1) / "clip.mov", "x");
    ModelHarness harness;
    AppModel& model = startedModel(harness);
    harness.volumes->push(volumes);
    harness.drain();
    if (model.plans().size() != 4 || model.rollOrigin() != RollOrigin::counted) state.SkipWithError("not set up");
    for (auto _ : state) model.refreshPlans();
}
BENCHMARK(RefreshPlans)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
