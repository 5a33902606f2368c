#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "Detection/DriveInfo.h"
#include "Platform/VolumeDescriber.h"

class QObject;

namespace quillane {

// The system's only source of mounted volumes. Lists the volumes that could be a card or an SSD,
// describes each as a DriveInfo, and hands the whole sorted list to its owner whenever a volume
// is mounted, unmounted or renamed.
//
// A watcher thread waits on the mount table (and on udev's block events where udevd runs), lets
// a burst of changes settle, builds the list there (blkid may block on a slow card) and posts it
// to the owner's thread. A list equal to the one delivered last is not delivered again. A label
// written without a mount change is seen through udev where it runs, else at the next change or
// on refresh().
class VolumeMonitor {
public:
    using Callback = std::function<void(const std::vector<DriveInfo>&)>;
    using Dressing = VolumeList::Dressing;
    // Runs a task on the owner's thread, later. Must not run it after the monitor is gone,
    // or the monitor must outlive the executor's queue (the monitor guards against both).
    using Executor = std::function<void(std::function<void()>)>;

    struct Options {
        VolumeSources sources;
        // How long the mount table must stay quiet before the list is built.
        std::chrono::milliseconds settle{150};
        // Where onChange runs. Empty: the Qt event loop of the thread that calls start().
        Executor executor;
    };

    VolumeMonitor();
    explicit VolumeMonitor(Options options);
    ~VolumeMonitor();  // stops
    VolumeMonitor(const VolumeMonitor&) = delete;
    VolumeMonitor& operator=(const VolumeMonitor&) = delete;

    // Called with the full current list, on the owner's thread. Set it before start().
    Callback onChange;

    // Process-wide: when set, every described volume passes through it, and may come back
    // changed or not at all (hidden). Set once before any monitor starts.
    static inline Dressing demoDressing;

    // Starts watching and, when onChange is set, calls it once at once (on this thread) with the
    // current list. Call once.
    void start();
    // Stops watching and joins the watcher thread; nothing is delivered afterwards. Idempotent.
    void stop();
    // Asks the watcher to look again now (a rename that no event announced).
    void refresh();

    // The current list, built synchronously on the calling thread; usable without start().
    std::vector<DriveInfo> currentVolumes() const;

private:
    struct Shared;
    void watch();
    void deliver(std::vector<DriveInfo> volumes);

    Options options_;
    std::shared_ptr<Shared> shared_;
    std::unique_ptr<QObject> context_;  // anchors the default executor to the owner's thread
    int wakeFd_ = -1;                   // eventfd: refresh and stop requests
    std::vector<DriveInfo> delivered_;  // the watcher's own after start()
    std::thread watcher_;
    bool started_ = false;
};

}  // namespace quillane
