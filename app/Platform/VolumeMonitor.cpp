#include "Platform/VolumeMonitor.h"

#include <QMetaObject>
#include <QObject>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "Platform/UdevDevices.h"

namespace quillane {
namespace {

using Clock = std::chrono::steady_clock;

// However busy the mount table stays, a list goes out this long after the first change.
constexpr std::chrono::milliseconds longestWait{600};

}  // namespace

// What a posted delivery may touch: it checks `alive` on the owner's thread before calling back.
struct VolumeMonitor::Shared {
    VolumeMonitor* monitor = nullptr;
    bool alive = true;  // read and written on the owner's thread only
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> refreshRequested{false};
    int mountFd = -1;
};

VolumeMonitor::VolumeMonitor() : VolumeMonitor(Options{}) {}

VolumeMonitor::VolumeMonitor(Options options) : options_(std::move(options)), shared_(std::make_shared<Shared>()) {
    shared_->monitor = this;
}

VolumeMonitor::~VolumeMonitor() { stop(); }

std::vector<DriveInfo> VolumeMonitor::currentVolumes() const {
    return VolumeList::arrange(VolumeDescriber::describeAll(options_.sources), demoDressing);
}

void VolumeMonitor::start() {
    if (started_) return;
    started_ = true;
    if (!options_.executor) context_ = std::make_unique<QObject>();
    // Opened before the first list is built, so that a change in between is seen by the watcher.
    shared_->mountFd = ::open(options_.sources.mountInfo.c_str(), O_RDONLY | O_CLOEXEC);
    wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    delivered_ = currentVolumes();
    const std::vector<DriveInfo> initial = delivered_;
    watcher_ = std::thread(&VolumeMonitor::watch, this);
    if (onChange) onChange(initial);
}

void VolumeMonitor::stop() {
    if (watcher_.joinable()) {
        shared_->stopRequested = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
        watcher_.join();
    }
    shared_->alive = false;
    context_.reset();  // Qt drops the deliveries still queued for it
    if (wakeFd_ >= 0) ::close(wakeFd_);
    if (shared_->mountFd >= 0) ::close(shared_->mountFd);
    wakeFd_ = shared_->mountFd = -1;
}

void VolumeMonitor::refresh() {
    if (!watcher_.joinable()) return;
    shared_->refreshRequested = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void VolumeMonitor::deliver(std::vector<DriveInfo> volumes) {
    auto task = [weak = std::weak_ptr<Shared>(shared_), volumes = std::move(volumes)] {
        const std::shared_ptr<Shared> shared = weak.lock();
        if (!shared || !shared->alive || !shared->monitor->onChange) return;
        shared->monitor->onChange(volumes);
    };
    if (options_.executor)
        options_.executor(std::move(task));
    else
        QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

void VolumeMonitor::watch() {
    UdevBlockEvents udevEvents;
    pollfd fds[3] = {{wakeFd_, POLLIN, 0}, {shared_->mountFd, POLLPRI, 0}, {udevEvents.fd(), POLLIN, 0}};
    const nfds_t count = udevEvents.fd() >= 0 ? 3 : 2;

    bool pending = false;
    Clock::time_point firstChange, lastChange;
    const auto noteChange = [&](Clock::time_point now) {
        if (!pending) firstChange = now;
        pending = true;
        lastChange = now;
    };

    // Without the wake-up descriptor (out of descriptors at start) a stop is noticed by polling.
    const int idle = wakeFd_ >= 0 ? -1 : 200;
    while (!shared_->stopRequested) {
        int timeout = idle;
        if (pending) {
            const Clock::time_point due = std::min(lastChange + options_.settle, firstChange + longestWait);
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
            timeout = static_cast<int>(std::max<std::int64_t>(0, left));
            if (idle >= 0) timeout = std::min(timeout, idle);
        }
        const int ready = ::poll(fds, count, timeout);
        if (ready < 0 && errno != EINTR) {
            // Should never happen; look again in a while rather than spin.
            ::poll(nullptr, 0, 500);
            noteChange(Clock::now());
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (ready > 0) {
            if (fds[0].revents & POLLIN) {
                std::uint64_t counter = 0;
                [[maybe_unused]] const ssize_t got = ::read(wakeFd_, &counter, sizeof counter);
            }
            if (fds[1].revents & (POLLPRI | POLLERR)) noteChange(now);
            if (count > 2 && (fds[2].revents & POLLIN) && udevEvents.drain()) noteChange(now);
        }
        if (shared_->stopRequested) return;
        if (shared_->refreshRequested.exchange(false)) {
            noteChange(now);
            firstChange = now - longestWait;  // no settling: build at once
        }
        if (!pending || Clock::now() < std::min(lastChange + options_.settle, firstChange + longestWait)) continue;

        pending = false;
        std::vector<DriveInfo> volumes = currentVolumes();
        if (shared_->stopRequested) return;
        if (volumes == delivered_) continue;
        delivered_ = volumes;
        deliver(std::move(volumes));
    }
}

}  // namespace quillane
