// The volume monitor's costs: parsing and selecting a large mount table (a container host has
// thousands of mounts), and the time from a mount to the delivery of the new list (root only).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>

#include "Platform/BlockDeviceFacts.h"
#include "Platform/MountInfo.h"
#include "Platform/MountSelection.h"
#include "Platform/VolumeMonitor.h"

using namespace quillane;
namespace fs = std::filesystem;

namespace {

std::string bigTable(int mounts) {
    std::string table = "28 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n";
    for (int i = 0; i < mounts; ++i) {
        const std::string id = std::to_string(100 + i);
        if (i % 4 == 0)
            table += id + " 28 8:" + std::to_string(i) + " / /media/crew/CARD\\040" + std::to_string(i) +
                     " rw,nosuid,nodev,relatime shared:" + id + " - exfat /dev/sd" + std::to_string(i) + " rw,uid=1000\n";
        else
            table += id + " 28 0:" + std::to_string(60 + i) + " / /var/lib/docker/overlay2/" + std::to_string(i) +
                     "/merged rw,relatime - overlay overlay rw,lowerdir=/a:/b,upperdir=/c,workdir=/d\n";
    }
    return table;
}

std::optional<BlockDeviceNumber> byMajor(const MountEntry& entry) {
    if (entry.major == 0) return std::nullopt;
    return BlockDeviceNumber{entry.major, entry.minor};
}

void ParseMountTable(benchmark::State& state) {
    const std::string table = bigTable(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(MountInfo::parse(table));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ParseMountTable)->Arg(50)->Arg(5000);

void SelectVolumes(benchmark::State& state) {
    const std::vector<MountEntry> entries = MountInfo::parse(bigTable(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(MountSelection::volumes(entries, {}, byMajor));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SelectVolumes)->Arg(50)->Arg(5000);

// This machine's real table, described (sysfs, blkid, statvfs for every volume found).
void CurrentVolumesOfThisMachine(benchmark::State& state) {
    VolumeMonitor monitor;
    for (auto _ : state) benchmark::DoNotOptimize(monitor.currentVolumes());
}
BENCHMARK(CurrentVolumesOfThisMachine);

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// From the end of `mount` to onChange with the new list, through the watcher thread.
void MountToDelivery(benchmark::State& state) {
    if (::geteuid() != 0) {
        state.SkipWithError("needs root for loop mounts");
        return;
    }
    char pattern[] = "/tmp/quillane-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return;
    const fs::path dir = pattern;
    const fs::path image = dir / "ssd.img", point = dir / "volumes" / "SSD";
    fs::create_directories(point);
    std::string device;
    if (!run("truncate -s 32M " + image.string()) || !run("mkfs.ext4 -q -L BENCH_SSD " + image.string())) {
        state.SkipWithError("mkfs.ext4 failed");
        fs::remove_all(dir);
        return;
    }
    if (FILE* pipe = ::popen(("losetup --find --show " + image.string()).c_str(), "r")) {
        char line[64] = {};
        if (std::fgets(line, sizeof line, pipe) != nullptr) device = line;
        ::pclose(pipe);
    }
    while (!device.empty() && device.back() == '\n') device.pop_back();
    if (device.empty()) {
        state.SkipWithError("no loop device");
        fs::remove_all(dir);
        return;
    }

    std::mutex mutex;
    std::condition_variable arrived;
    std::size_t delivered = 0;
    VolumeMonitor::Options options;
    options.sources.places.folders = {dir / "volumes"};
    options.executor = [](std::function<void()> task) { task(); };  // on the watcher thread: no event loop here
    VolumeMonitor monitor(options);
    monitor.onChange = [&](const std::vector<DriveInfo>&) {
        std::lock_guard lock(mutex);
        ++delivered;
        arrived.notify_all();
    };
    monitor.start();
    for (auto _ : state) {
        std::size_t before;
        {
            std::lock_guard lock(mutex);
            before = delivered;
        }
        const bool mounted = run("mount " + device + " " + point.string());
        const auto start = std::chrono::steady_clock::now();
        std::unique_lock lock(mutex);
        arrived.wait_for(lock, std::chrono::seconds(5), [&] { return delivered > before; });
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        lock.unlock();
        if (mounted) run("umount " + point.string());
        std::unique_lock again(mutex);
        arrived.wait_for(again, std::chrono::seconds(5), [&] { return delivered > before + 1; });
    }
    monitor.stop();
    run("losetup -d " + device);
    fs::remove_all(dir);
}
BENCHMARK(MountToDelivery)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
