// Planning a card's folders: resolving a whole template (card, sound and ten extra folders, with
// a date tag that builds a date formatter per lookup), and finding the next roll among the
// folder names found on the destinations.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Template/RollNamer.h"
#include "Template/TemplatePreset.h"

namespace {

using namespace quillane;

TemplateContext context() {
    TemplateContext c;
    c.project = "Zomercampagne";
    c.roll = "A001";
    c.cameraLetter = 'A';
    c.date = std::chrono::system_clock::now();
    c.day = 3;
    c.camera = "SONY";
    c.card = "FX3_CARD";
    return c;
}

void ResolveCustomStarter(benchmark::State& state) {
    const auto& starter = TemplatePreset::customStarter();
    const auto c = context();
    for (auto _ : state) {
        benchmark::DoNotOptimize(starter.resolve(c));
        benchmark::DoNotOptimize(starter.resolveSound(c));
        benchmark::DoNotOptimize(starter.resolveExtras(c));
    }
}
BENCHMARK(ResolveCustomStarter);

void ResolveDateLevel(benchmark::State& state) {
    const auto c = context();
    for (auto _ : state) benchmark::DoNotOptimize(FolderTemplate::resolve("{DATE}_{CAM}", c));
}
BENCHMARK(ResolveDateLevel);

void NextRollAmongFolderNames(benchmark::State& state) {
    std::vector<std::string> names;
    for (int i = 0; i < state.range(0); ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "%c%03d_Zomercampagne_%d", "ABCS"[i % 4], i % 1000, i);
        names.push_back(name);
    }
    for (auto _ : state) benchmark::DoNotOptimize(RollNamer::nextRoll("A", names, 3));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(NextRollAmongFolderNames)->Arg(100)->Arg(10000);

}  // namespace

BENCHMARK_MAIN();
