#include "support/app/ModelFakes.h"

#include <algorithm>

#include "Model/CoreEngineFactory.h"
#include "Model/SystemSpaceProbe.h"

namespace quillane::testing {

void FakeVolumeSource::start(Callback onChange) {
    ++starts_;
    onChange_ = std::move(onChange);
    onChange_(current_);
}

void FakeVolumeSource::push(std::vector<DriveInfo> volumes) {
    current_ = std::move(volumes);
    if (onChange_) onChange_(current_);
}

namespace {
DriveInfo volume(const std::filesystem::path& folder, const std::string& name, std::optional<std::string> uuid) {
    DriveInfo info;
    info.id = uuid ? *uuid : folder.string();
    info.url = folder;
    info.name = name;
    info.uuid = std::move(uuid);
    return info;
}
}  // namespace

DriveInfo FakeVolume::card(const std::filesystem::path& folder, const std::string& name,
                           std::optional<std::string> uuid) {
    DriveInfo info = volume(folder, name, std::move(uuid));
    info.totalCapacity = 256'000'000'000;
    info.availableCapacity = 100'000'000'000;
    info.fileSystem = "exfat";
    info.isRemovable = true;
    info.isEjectable = true;
    info.deviceVendor = "SanDisk";
    info.deviceModel = "CFexpress Reader";
    info.deviceProtocol = "USB";
    return info;
}

DriveInfo FakeVolume::ssd(const std::filesystem::path& folder, const std::string& name,
                          std::optional<std::string> uuid, std::int64_t capacity, std::int64_t available) {
    DriveInfo info = volume(folder, name, std::move(uuid));
    info.totalCapacity = capacity;
    info.availableCapacity = available;
    info.fileSystem = "exfat";
    info.isEjectable = true;
    info.deviceVendor = "Samsung";
    info.deviceModel = "Portable SSD T7";
    info.deviceProtocol = "USB";
    return info;
}

namespace {
struct CountedHold final : PowerHold {
    explicit CountedHold(std::shared_ptr<int> holds, std::shared_ptr<int> most) : holds_(std::move(holds)) {
        *most = std::max(*most, ++*holds_);
    }
    ~CountedHold() override { --*holds_; }
    std::shared_ptr<int> holds_;
};
}  // namespace

void FakePowerEvents::start(std::function<void()> willSleep, std::function<void()> didWake) {
    ++starts_;
    willSleep_ = std::move(willSleep);
    didWake_ = std::move(didWake);
}

std::unique_ptr<PowerHold> FakePowerEvents::holdAwake(const std::string& reason) {
    reasons.push_back(reason);
    return std::make_unique<CountedHold>(holds_, mostHolds_);
}

void FakePowerEvents::sleep() {
    if (willSleep_) willSleep_();
}

void FakePowerEvents::wake() {
    if (didWake_) didWake_();
}

void RecordingNotifications::setSwitches(bool on, std::optional<std::string> topic) {
    if (on != enabled || topic != phoneTopic) ++switchChanges;
    enabled = on;
    phoneTopic = std::move(topic);
}

void RecordingNotifications::post(const std::string& title, const std::string& body, NotificationKind kind) {
    posts.push_back({title, body, kind});
}

void FakeEjector::eject(const std::filesystem::path& mountPoint, Done done) {
    ejected.push_back(mountPoint);
    if (hold)
        held_.push_back(std::move(done));
    else if (done)
        done(refusal);
}

void FakeEjector::answerHeld() {
    std::vector<Done> answers = std::move(held_);
    held_.clear();
    for (Done& done : answers)
        if (done) done(refusal);
}

void FakeFolderPicker::pick(const FolderPickRequest& request, Done done) {
    requests.push_back(request);
    open_.push_back(std::move(done));
}

bool FakeFolderPicker::answer(std::optional<std::filesystem::path> folder) {
    if (open_.empty()) return false;
    Done done = std::move(open_.front());
    open_.erase(open_.begin());
    if (done) done(std::move(folder));
    return true;
}

std::optional<std::int64_t> FakeSpaceProbe::availableBytes(const std::filesystem::path& path) const {
    ++reads;
    const std::string text = path.lexically_normal().string();
    for (const auto& [root, bytes] : values_) {
        const std::string prefix = root.lexically_normal().string();
        if (text == prefix || text.starts_with(prefix + "/")) return bytes;
    }
    return SystemSpaceProbe().availableBytes(path);
}

struct CountingEngineGate {
    std::mutex lock;
    std::condition_variable changed;
    bool open = false;
    void release() {
        {
            std::lock_guard guard(lock);
            open = true;
        }
        changed.notify_all();
    }
};

void CountingEngineFactory::openGates() {
    if (gate_) gate_->release();
}

namespace {
// Passes everything to the real transfer and counts it while it lives.
class CountedEngine final : public TransferTask {
public:
    CountedEngine(std::unique_ptr<TransferTask> inner, std::shared_ptr<std::atomic<int>> alive,
                  const std::shared_ptr<std::atomic<int>>& most, std::shared_ptr<std::atomic<int>> ended,
                  std::shared_ptr<std::atomic<int>> finished, std::shared_ptr<std::atomic<int>> stops,
                  std::shared_ptr<CountingEngineGate> gate)
        : inner_(std::move(inner)), alive_(std::move(alive)), ended_(std::move(ended)), finished_(std::move(finished)),
          stops_(std::move(stops)), gate_(std::move(gate)) {
        const int now = ++*alive_;
        int seen = most->load();
        while (now > seen && !most->compare_exchange_weak(seen, now)) {
        }
    }
    ~CountedEngine() override { --*alive_; }
    TransferProgressTracker& tracker() override { return inner_->tracker(); }
    void cancel() override {
        inner_->cancel();
        ++*stops_;
        if (gate_) gate_->release();
    }
    void pause() override {
        inner_->pause();
        ++*stops_;
        if (gate_) gate_->release();
    }
    bool waitUntilFinished(double timeoutSeconds) override { return inner_->waitUntilFinished(timeoutSeconds); }
    TransferResult run() override {
        if (gate_) {
            std::unique_lock guard(gate_->lock);
            gate_->changed.wait(guard, [&] { return gate_->open; });
        }
        TransferResult result = inner_->run();
        if (!result.cancelled && !result.paused) ++*finished_;
        ++*ended_;
        return result;
    }

private:
    std::unique_ptr<TransferTask> inner_;
    std::shared_ptr<std::atomic<int>> alive_, ended_, finished_, stops_;
    std::shared_ptr<CountingEngineGate> gate_;
};
}  // namespace

std::unique_ptr<TransferTask> CountingEngineFactory::make(TransferJob job, const Options& chosen) {
    jobs.push_back(job);
    options.push_back(chosen);
    std::shared_ptr<CountingEngineGate> gate;
    if (gated) gate = gate_ = std::make_shared<CountingEngineGate>();
    return std::make_unique<CountedEngine>(CoreEngineFactory().make(std::move(job), chosen), alive_, mostAlive_, ended_,
                                           finished_, stops_, gate);
}

}  // namespace quillane::testing
