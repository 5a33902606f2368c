#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <signal.h>
#include <sys/statvfs.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "Platform/VolumeMonitor.h"
#include "support/LoopVolume.h"
#include "support/TempDir.h"
#include "support/TmpfsMount.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::LoopVolume;
using testing::TempDir;

constexpr auto generous = 5s;  // deliveries come within a second; a loaded CI machine gets leeway
constexpr auto quiet = 800ms;  // long enough for a stray second delivery to show

std::vector<std::string> names(const std::vector<DriveInfo>& volumes) {
    std::vector<std::string> out;
    for (const DriveInfo& v : volumes) out.push_back(v.name);
    return out;
}

// The owner's thread: runs posted tasks in order, like an event loop.
class OwnerThread {
public:
    OwnerThread() : thread_([this] { run(); }) {}
    ~OwnerThread() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void post(std::function<void()> task) {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        wake_.notify_all();
    }
    std::thread::id id() const { return thread_.get_id(); }

private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return done_ || !tasks_.empty(); });
            if (tasks_.empty()) return;
            auto task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool done_ = false;
    std::thread thread_;
};

// Every onChange call: the list and the thread it ran on.
class Deliveries {
public:
    VolumeMonitor::Callback callback() {
        return [this](const std::vector<DriveInfo>& volumes) {
            {
                std::lock_guard lock(mutex_);
                calls_.push_back({volumes, std::this_thread::get_id()});
            }
            arrived_.notify_all();
        };
    }
    // The next call not yet taken, waiting up to `patience`.
    std::optional<std::pair<std::vector<DriveInfo>, std::thread::id>> next(std::chrono::milliseconds patience) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, patience, [&] { return taken_ < calls_.size(); })) return std::nullopt;
        return calls_[taken_++];
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::pair<std::vector<DriveInfo>, std::thread::id>> calls_;
    std::size_t taken_ = 0;
};

// A started monitor whose deliveries run on an owner thread of its own.
struct OwnedMonitor {
    explicit OwnedMonitor(VolumeMonitor::Options options) : monitor(onOwner(std::move(options))) {
        monitor.onChange = deliveries.callback();
        monitor.start();
    }
    OwnerThread owner;
    Deliveries deliveries;
    VolumeMonitor monitor;

private:
    VolumeMonitor::Options onOwner(VolumeMonitor::Options options) {
        options.executor = [this](std::function<void()> task) { owner.post(std::move(task)); };
        return options;
    }
};

class VolumeMonitorOnLoopMounts : public ::testing::Test {
protected:
    void SetUp() override {
        if (auto reason = LoopVolume::unavailable(LoopVolume::Kind::ext4)) GTEST_SKIP() << *reason;
        if (auto reason = LoopVolume::unavailable(LoopVolume::Kind::exfat)) GTEST_SKIP() << *reason;
        fs::create_directories(volumes());
    }
    fs::path volumes() const { return dir / "volumes"; }
    fs::path image(const std::string& name) const { return dir / name; }

    VolumeMonitor::Options options(VolumeMonitor::Executor executor = {}) const {
        VolumeMonitor::Options o;
        o.sources.places.folders = {volumes()};
        o.executor = std::move(executor);
        return o;
    }
    LoopVolume ssd(const std::string& folder = "SHOOT_SSD") {
        return LoopVolume(image(folder + ".img"), volumes() / folder,
                          {LoopVolume::Kind::ext4, "SHOOT_SSD", "5a2e3c1d-7b4f-4e10-9d2c-00000000a001"});
    }
    LoopVolume card() {
        LoopVolume volume(image("card.img"), volumes() / "A001_CARD", {LoopVolume::Kind::exfat, "A001_CARD", "1234ABCD"});
        testing::writeFile(volume.mountPoint() / "PRIVATE" / "M4ROOT" / "CLIP" / "C0001.MP4", std::string(1 << 20, 'v'));
        return volume;
    }

    TempDir dir{"quillane-volumes"};  // destroyed last, after every mount inside it is gone
};

TEST_F(VolumeMonitorOnLoopMounts, DescribesAnSsdACardAndAReadOnlyVolumeButNoPseudoMount) {
    LoopVolume shootSsd = ssd();
    LoopVolume a001 = card();
    LoopVolume archive(image("archive.img"), volumes() / "archive", {LoopVolume::Kind::ext4, "", "", 48ull << 20, true});
    testing::TmpfsMount ram(volumes() / "ram", 1 << 20);
    ASSERT_TRUE(ram.mounted()) << ram.reason();

    const std::vector<DriveInfo> listed = VolumeMonitor(options()).currentVolumes();
    ASSERT_EQ(names(listed), (std::vector<std::string>{"A001_CARD", "SHOOT_SSD", "Untitled"}));

    const DriveInfo& card = listed[0];
    EXPECT_EQ(card.url, volumes() / "A001_CARD");
    EXPECT_EQ(card.uuid, "1234-ABCD");
    EXPECT_EQ(card.id, "1234-ABCD");
    EXPECT_EQ(card.fileSystem, "exfat") << "through exfat-fuse the mount table only says fuseblk";
    EXPECT_EQ(card.fileSystemLabel(), "exFAT");
    EXPECT_GT(card.totalCapacity, 40'000'000);
    EXPECT_LE(card.totalCapacity, 48ll << 20);
    EXPECT_LT(card.availableCapacity, card.totalCapacity - (1 << 20)) << "the clip takes space";
    EXPECT_GT(card.availableCapacity, 0);
    EXPECT_FALSE(card.isReadOnly);
    EXPECT_EQ(card.deviceProtocol, "Disk Image");
    EXPECT_TRUE(card.isDiskImage());
    EXPECT_FALSE(card.isInternal);
    EXPECT_TRUE(card.isEjectable);
    EXPECT_FALSE(card.isRootVolume);

    const DriveInfo& unnamed = listed[2];
    EXPECT_TRUE(unnamed.isReadOnly);
    EXPECT_TRUE(unnamed.uuid.has_value()) << "mkfs gave it a random UUID";
    EXPECT_EQ(unnamed.id, *unnamed.uuid);

    const DriveInfo& shoot = listed[1];
    EXPECT_EQ(shoot.uuid, "5a2e3c1d-7b4f-4e10-9d2c-00000000a001");
    EXPECT_EQ(shoot.fileSystem, "ext4");
    EXPECT_EQ(shoot.fileSystemLabel(), "EXT4");
    EXPECT_FALSE(shoot.isReadOnly);
    EXPECT_GT(shoot.totalCapacity, 30'000'000);
    EXPECT_LE(shoot.availableCapacity, shoot.totalCapacity);

    a001.unmount();
    EXPECT_EQ(names(VolumeMonitor(options()).currentVolumes()), (std::vector<std::string>{"SHOOT_SSD", "Untitled"}));
}

TEST_F(VolumeMonitorOnLoopMounts, ListsASecondMountOnceAndAClonedImageWithItsOwnId) {
    LoopVolume original = ssd();
    original.mountAlsoAt(volumes() / "Z_second_mount");
    std::vector<DriveInfo> listed = VolumeMonitor(options()).currentVolumes();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].url, volumes() / "SHOOT_SSD") << "the first mount, not the second";

    LoopVolume copy = LoopVolume::cloneOf(original, image("copy.img"), volumes() / "SHOOT_SSD_copy");
    listed = VolumeMonitor(options()).currentVolumes();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].uuid, listed[1].uuid) << "a byte copy keeps the UUID";
    EXPECT_EQ(listed[0].name, listed[1].name);
    EXPECT_NE(listed[0].id, listed[1].id);
    EXPECT_EQ(listed[0].id, *listed[0].uuid);
    EXPECT_EQ(listed[1].id, listed[1].url.string());
}

TEST_F(VolumeMonitorOnLoopMounts, ACardWhoseFuseDaemonDiedIsLeftOut) {
    LoopVolume shootSsd = ssd();
    LoopVolume a001 = card();
    ASSERT_EQ(VolumeMonitor(options()).currentVolumes().size(), 2u);

    // The mount stays in the table, but nothing answers for it: no destination to offer.
    const std::optional<int> daemon = a001.fuseDaemon();
    ASSERT_TRUE(daemon.has_value());
    ASSERT_EQ(::kill(*daemon, SIGKILL), 0);
    struct statvfs stats {};
    for (int i = 0; i < 200 && ::statvfs(a001.mountPoint().c_str(), &stats) == 0; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(names(VolumeMonitor(options()).currentVolumes()), (std::vector<std::string>{"SHOOT_SSD"}));
}

TEST_F(VolumeMonitorOnLoopMounts, DeliversEachMountUnmountAndRemountOnceOnTheOwnersThread) {
    LoopVolume shootSsd = ssd();
    OwnedMonitor watched(options());
    auto& [owner, deliveries, monitor] = watched;

    auto initial = deliveries.next(0ms);
    ASSERT_TRUE(initial.has_value()) << "start() reports at once";
    EXPECT_EQ(initial->second, std::this_thread::get_id());
    EXPECT_EQ(names(initial->first), (std::vector<std::string>{"SHOOT_SSD"}));

    LoopVolume a001 = card();
    auto mounted = deliveries.next(generous);
    ASSERT_TRUE(mounted.has_value());
    EXPECT_EQ(mounted->second, owner.id());
    EXPECT_EQ(names(mounted->first), (std::vector<std::string>{"A001_CARD", "SHOOT_SSD"})) << "the whole list";
    EXPECT_FALSE(deliveries.next(quiet).has_value()) << "one delivery per change";

    {
        testing::TmpfsMount ram(volumes() / "ram", 1 << 20);
        ASSERT_TRUE(ram.mounted()) << ram.reason();
        EXPECT_FALSE(deliveries.next(quiet).has_value()) << "a pseudo mount changes no list";
    }

    a001.unmount();
    auto unmounted = deliveries.next(generous);
    ASSERT_TRUE(unmounted.has_value());
    EXPECT_EQ(names(unmounted->first), (std::vector<std::string>{"SHOOT_SSD"}));

    a001.mount();
    auto remounted = deliveries.next(generous);
    ASSERT_TRUE(remounted.has_value());
    EXPECT_EQ(names(remounted->first), (std::vector<std::string>{"A001_CARD", "SHOOT_SSD"}));
    EXPECT_EQ(remounted->second, owner.id());
    EXPECT_FALSE(deliveries.next(quiet).has_value());

    monitor.stop();
    a001.unmount();
    EXPECT_FALSE(deliveries.next(quiet).has_value()) << "nothing after stop()";
}

TEST_F(VolumeMonitorOnLoopMounts, HostileLabelsAreShownWithoutControlCharacters) {
    LoopVolume shootSsd = ssd();
    // Sixteen bytes of label: an escape sequence, a line break and a byte that is no UTF-8.
    ASSERT_EQ(testing::runCommand({"e2label", shootSsd.device(), "\x1b[7mA\nB\xff"}), 0);
    std::vector<DriveInfo> listed = VolumeMonitor(options()).currentVolumes();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "[7mA B\xEF\xBF\xBD");

    // A label of blanks is no label: "Untitled", not the mount folder's name (often a serial).
    ASSERT_EQ(testing::runCommand({"e2label", shootSsd.device(), "   "}), 0);
    listed = VolumeMonitor(options()).currentVolumes();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "Untitled");
}

TEST_F(VolumeMonitorOnLoopMounts, ARenameWithoutMountEventShowsOnRefresh) {
    LoopVolume shootSsd = ssd();
    OwnedMonitor watched(options());
    auto& [owner, deliveries, monitor] = watched;
    ASSERT_TRUE(deliveries.next(0ms).has_value());

    ASSERT_EQ(testing::runCommand({"e2label", shootSsd.device(), "B_ROLL_SSD"}), 0);
    monitor.refresh();  // where udevd runs its change event may deliver first; either way exactly once
    auto renamed = deliveries.next(generous);
    ASSERT_TRUE(renamed.has_value());
    EXPECT_EQ(names(renamed->first), (std::vector<std::string>{"B_ROLL_SSD"}));
    monitor.refresh();
    EXPECT_FALSE(deliveries.next(quiet).has_value()) << "an unchanged list is not delivered again";
}

TEST_F(VolumeMonitorOnLoopMounts, DefaultDeliveryRunsOnTheQtThreadThatStartedIt) {
    int argc = 1;
    char name[] = "volume-tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    std::vector<std::vector<DriveInfo>> calls;
    bool onMainThread = true;
    VolumeMonitor monitor(options());
    monitor.onChange = [&](const std::vector<DriveInfo>& volumes) {
        calls.push_back(volumes);
        onMainThread = onMainThread && QThread::currentThread() == app.thread();
    };
    monitor.start();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(calls[0].empty());

    LoopVolume shootSsd = ssd();
    QElapsedTimer timer;
    timer.start();
    while (calls.size() < 2 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(names(calls[1]), (std::vector<std::string>{"SHOOT_SSD"}));
}

TEST_F(VolumeMonitorOnLoopMounts, ADeliveryStillQueuedWhenTheMonitorGoesIsDropped) {
    std::mutex mutex;
    std::vector<std::function<void()>> held;  // an owner that is busy and runs nothing yet
    bool called = false;
    {
        VolumeMonitor monitor(options([&](std::function<void()> task) {
            std::lock_guard lock(mutex);
            held.push_back(std::move(task));
        }));
        monitor.onChange = [&](const std::vector<DriveInfo>&) { called = true; };
        monitor.start();
        called = false;  // the initial report

        LoopVolume shootSsd = ssd();
        for (int i = 0; i < 500; ++i) {
            {
                std::lock_guard lock(mutex);
                if (!held.empty()) break;
            }
            std::this_thread::sleep_for(10ms);
        }
        std::lock_guard lock(mutex);
        ASSERT_EQ(held.size(), 1u);
    }
    for (auto& task : held) task();
    EXPECT_FALSE(called);
}

TEST(VolumeMonitor, ReportsNoVolumesWhereNothingIsMountedAndOnAnUnreadableTable) {
    TempDir empty;
    VolumeMonitor::Options options;
    options.sources.places.folders = {empty.path()};
    EXPECT_TRUE(VolumeMonitor(options).currentVolumes().empty());
    options.sources.mountInfo = empty / "no-such-mountinfo";
    options.sources.places.folders.clear();
    EXPECT_TRUE(VolumeMonitor(options).currentVolumes().empty());
}

}  // namespace
}  // namespace quillane
