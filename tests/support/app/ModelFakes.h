#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Model/ModelServices.h"

// Test implementations of the model's services: each records what the model asked of it and
// answers as the test sets it up. Shared by the model tests and every view test.
namespace quillane::testing {

// Volumes the test mounts and unmounts by hand: push() reports a new list, like the monitor.
class FakeVolumeSource final : public VolumeSource {
public:
    void start(Callback onChange) override;
    void push(std::vector<DriveInfo> volumes);
    const std::vector<DriveInfo>& current() const { return current_; }
    int starts() const { return starts_; }

private:
    Callback onChange_;
    std::vector<DriveInfo> current_;
    int starts_ = 0;
};

// A volume for the fake source: a folder standing in for a mounted drive.
struct FakeVolume {
    // A card reader slot: removable, exFAT, USB. id = uuid when given, else the path.
    static DriveInfo card(const std::filesystem::path& folder, const std::string& name,
                          std::optional<std::string> uuid = std::nullopt);
    // An external SSD: not removable, APFS-like large capacity, Thunderbolt.
    static DriveInfo ssd(const std::filesystem::path& folder, const std::string& name,
                         std::optional<std::string> uuid = std::nullopt,
                         std::int64_t capacity = 2'000'000'000'000, std::int64_t available = 1'500'000'000'000);
};

class FakePowerEvents final : public PowerEvents {
public:
    void start(std::function<void()> willSleep, std::function<void()> didWake) override;
    std::unique_ptr<PowerHold> holdAwake(const std::string& reason) override;
    // What the system does: announces sleep (returns when the handler did) and waking.
    void sleep();
    void wake();
    int starts() const { return starts_; }
    // Holds that exist now, and the most that ever existed at once.
    int holds() const { return *holds_; }
    int mostHolds() const { return *mostHolds_; }
    std::vector<std::string> reasons;

private:
    std::function<void()> willSleep_, didWake_;
    int starts_ = 0;
    std::shared_ptr<int> holds_ = std::make_shared<int>(0);
    std::shared_ptr<int> mostHolds_ = std::make_shared<int>(0);
};

class RecordingNotifications final : public NotificationCenter {
public:
    struct Post {
        std::string title, body;
        NotificationKind kind;
    };
    void setSwitches(bool enabled, std::optional<std::string> phoneTopic) override;
    void requestPermission() override { ++permissionRequests; }
    void post(const std::string& title, const std::string& body, NotificationKind kind) override;
    bool enabled = false;
    std::optional<std::string> phoneTopic;
    int switchChanges = 0;
    int permissionRequests = 0;
    std::vector<Post> posts;
};

class RecordingFeedback final : public Feedback {
public:
    void setProgress(std::optional<double> fraction) override { progress.push_back(fraction); }
    void requestAttention() override { ++attentionRequests; }
    void playSound(FeedbackSound sound) override { sounds.push_back(sound); }
    std::vector<std::optional<double>> progress;
    int attentionRequests = 0;
    std::vector<FeedbackSound> sounds;
};

class RecordingDesktop final : public Desktop {
public:
    void openFolder(const std::filesystem::path& folder, NotShown) override { opened.push_back(folder); }
    void reveal(const std::filesystem::path& item, NotShown) override { revealed.push_back(item); }
    void openWebPage(const std::string& url) override { pages.push_back(url); }
    bool openFile(const std::filesystem::path& file) override {
        files.push_back(file);
        return opensFiles;
    }
    std::vector<std::filesystem::path> opened, revealed, files;
    bool opensFiles = true;
    std::vector<std::string> pages;
};

// Answers with `refusal` (no value: the eject worked) at once, or holds the answer when `hold`.
class FakeEjector final : public Ejector {
public:
    void eject(const std::filesystem::path& mountPoint, Done done) override;
    void answerHeld();
    std::vector<std::filesystem::path> ejected;
    std::optional<std::string> refusal;
    bool hold = false;

private:
    std::vector<Done> held_;
};

// Holds each request until the test answers it.
class FakeFolderPicker final : public FolderPicker {
public:
    void pick(const FolderPickRequest& request, Done done) override;
    // Answers the oldest open request; false when none is open.
    bool answer(std::optional<std::filesystem::path> folder);
    std::vector<FolderPickRequest> requests;

private:
    std::vector<Done> open_;
};

// Free space by volume: a set value for a path below a given root, else what statvfs says.
class FakeSpaceProbe final : public SpaceProbe {
public:
    std::optional<std::int64_t> availableBytes(const std::filesystem::path& path) const override;
    void set(const std::filesystem::path& root, std::optional<std::int64_t> bytes) { values_[root] = bytes; }
    mutable int reads = 0;

private:
    std::map<std::filesystem::path, std::optional<std::int64_t>> values_;
};

// The real engines (or the simulated one), counted: how many exist now and at most at once.
struct CountingEngineGate;

class CountingEngineFactory final : public EngineFactory {
public:
    std::unique_ptr<TransferTask> make(TransferJob job, const Options& options) override;
    // With gated set, each engine's run waits until openGates() (or until it is paused or
    // cancelled, which it then passes on before any file is copied).
    bool gated = false;
    void openGates();
    int alive() const { return alive_->load(); }
    int mostAlive() const { return mostAlive_->load(); }
    // Runs whose run() has returned, and those of them that ended neither paused nor stopped.
    int ended() const { return ended_->load(); }
    int finishedRuns() const { return finished_->load(); }
    // How often the model asked a run to pause or to stop.
    int stops() const { return stops_->load(); }
    std::vector<TransferJob> jobs;
    std::vector<Options> options;

private:
    std::shared_ptr<std::atomic<int>> alive_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> mostAlive_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> ended_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> finished_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> stops_ = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<struct CountingEngineGate> gate_;
};

}  // namespace quillane::testing
