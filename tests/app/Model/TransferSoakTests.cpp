// A seeded random walk through the model's public operations with the real engine behind it:
// drives come and go, cards are selected, transferred, paused, resumed, stopped and queued, the
// computer sleeps and wakes, language and folder template change. After every step the model
// must hold: one engine and one keep-awake hold at most, a state that agrees with the engine and
// the paused job, a history that grows only by finished runs, no recorded copy that is not whole,
// no file on an SSD ever replaced, no queued card started after it vanished.
// QUILLANE_SOAK_SEED=<n> replays one seed; QUILLANE_SOAK_STEPS=<n> sets the walk's length.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <map>
#include <random>

#include "support/app/ModelRig.h"

namespace quillane {
namespace {

using testing::ModelHarness;

struct Volume {
    DriveInfo info;
    fs::path folder;
    bool card;
};

struct SeenFile {
    ino_t inode;
    std::string content;
};

class Soak {
public:
    explicit Soak(unsigned seed) : random_(seed) {
        const auto cardFiles = [&](const fs::path& folder, const std::string& clip, int clips, char fill) {
            for (int i = 1; i <= clips; ++i)
                testing::writeFile(folder / "PRIVATE/M4ROOT/CLIP" / (clip + std::to_string(i) + ".MP4"),
                                   std::string(static_cast<std::size_t>(9'000 * i), static_cast<char>(fill + i)));
            testing::writeFile(folder / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<xml/>");
        };
        cardFiles(root_ / "A_CARD", "C000", 3, 'a');
        cardFiles(root_ / "B_CARD", "C100", 2, 'k');
        testing::writeFile(root_ / "ZOOM/240611/T001.WAV", std::string(7'000, 's'));
        fs::create_directories(root_ / "SSD_A");
        fs::create_directories(root_ / "SSD_B");
        volumes_ = {{testing::FakeVolume::card(root_ / "A_CARD", "A_CARD", "CARD-A"), root_ / "A_CARD", true},
                    {testing::FakeVolume::card(root_ / "B_CARD", "B_CARD", "CARD-B"), root_ / "B_CARD", true},
                    {testing::FakeVolume::card(root_ / "ZOOM", "ZOOM", "CARD-S"), root_ / "ZOOM", true},
                    {testing::FakeVolume::ssd(root_ / "SSD_A", "SSD_A", "SSD-A"), root_ / "SSD_A", false},
                    {testing::FakeVolume::ssd(root_ / "SSD_B", "SSD_B", "SSD-B"), root_ / "SSD_B", false}};
        plugged_.assign(volumes_.size(), true);
        h_.engines->gated = true;
        h_.timings.progressTick = std::chrono::milliseconds(5);
        h_.timings.wakeCheck = std::chrono::milliseconds(1);
        h_.timings.sleepWaitSeconds = 5.0;
        idleTimers_ = testing::runningTimers(testing::makeStartedModel(h_));
        push();
    }

    // One random operation, then the checks; false once a check failed.
    bool step(int index) {
        AppModel& m = h_.model();
        const std::optional<PausedTransfer> pausedBefore = m.pausedTransfer();
        const std::vector<fs::path> pausedRolls = m.transferRollURLs();
        const std::size_t jobsBefore = h_.engines->jobs.size();
        const std::size_t historyBefore = m.history().size();
        const std::string name = act(m);
        recent_.push_back(std::to_string(index) + " " + name + " -> " + describe(m));
        if (recent_.size() > 12) recent_.erase(recent_.begin());
        std::string trail;
        for (const std::string& line : recent_) trail += "\n  " + line;
        SCOPED_TRACE("steps, last one failing:" + trail);
        settleRuns();
        check(m, pausedBefore, pausedRolls, jobsBefore, historyBefore);
        return !::testing::Test::HasFailure();
    }

    // Ends the walk with one transfer that nothing interrupts: every drive plugged in, the engine
    // let run, each question answered yes. Whatever the walk's timing did, every seed finishes a
    // run this way; false when it did not, or a check failed.
    bool finishOneRun(int index) {
        AppModel& m = h_.model();
        h_.engines->gated = false;
        h_.engines->openGates();
        settleRuns();
        plugged_.assign(volumes_.size(), true);
        push();
        // A paused card is the one to finish: TRANSFER then resumes it.
        m.selectSource(m.pausedTransfer() ? m.pausedTransfer()->job.sourceID : volumes_[0].info.id);
        h_.drain();
        const int before = h_.engines->finishedRuns();
        for (int attempt = 0; attempt < 12 && h_.engines->finishedRuns() == before; ++attempt) {
            const std::optional<PausedTransfer> pausedBefore = m.pausedTransfer();
            const std::vector<fs::path> pausedRolls = m.transferRollURLs();
            const std::size_t jobsBefore = h_.engines->jobs.size();
            const std::size_t historyBefore = m.history().size();
            std::string name;
            if (m.alert()) {
                name = "final: alert " + m.alert()->title;
                m.closeAlert(m.alert()->id, true);
            } else if (m.folderRequest()) {
                name = "final: create folders";
                m.approveFolderRequest();
            } else {
                name = "final: transfer";
                m.requestTransfer();
            }
            h_.drain();
            h_.waitUntil([&] { return m.transferState() != TransferState::running; });
            recent_.push_back(std::to_string(index) + " " + name + " -> " + describe(m));
            std::string trail;
            for (const std::string& line : recent_) trail += "\n  " + line;
            SCOPED_TRACE("steps, last one failing:" + trail);
            settleRuns();
            check(m, pausedBefore, pausedRolls, jobsBefore, historyBefore);
            if (::testing::Test::HasFailure()) return false;
        }
        EXPECT_GT(h_.engines->finishedRuns(), before) << "the final transfer did not finish";
        return !::testing::Test::HasFailure();
    }

    ~Soak() {
        // Whatever is still gated runs out before the model goes.
        h_.engines->openGates();
        h_.destroy();
    }

    ModelHarness& harness() { return h_; }

private:
    static std::string describe(const AppModel& m) {
        static const char* states[] = {"idle", "running", "paused", "succeeded", "failed", "cancelled"};
        std::string text = states[static_cast<int>(m.transferState())];
        text += " selected=" + m.selectedSourceID().value_or("-") + " roll=" + m.rollName();
        if (m.pausedTransfer()) text += " paused=" + m.pausedTransfer()->job.sourceName + "/" + m.pausedTransfer()->job.roll;
        if (m.runningJob()) text += " running=" + m.runningJob()->sourceName + "/" + m.runningJob()->roll;
        text += " queue=" + std::to_string(m.queue().size());
        return text;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void push() {
        std::vector<DriveInfo> list;
        for (std::size_t i = 0; i < volumes_.size(); ++i)
            if (plugged_[i]) list.push_back(volumes_[i].info);
        h_.volumes->push(std::move(list));
        h_.drain();
    }

    // Runs every engine that was released to its end and lets the model take its result.
    void settleRuns() {
        h_.drain();
        const bool settled = h_.waitUntil([&] {
            const int destroyed = static_cast<int>(h_.engines->jobs.size()) - h_.engines->alive();
            return h_.engines->ended() == destroyed && h_.work->pending() == 0;
        });
        EXPECT_TRUE(settled) << "a run that ended was never finished";
    }

    std::string act(AppModel& m) {
        switch (pick(17)) {
            case 0:
            case 1: {
                const int v = pick(static_cast<int>(volumes_.size()));
                plugged_[v] = !plugged_[v];
                push();
                return (plugged_[v] ? "plug " : "pull ") + volumes_[v].info.name;
            }
            case 2: {
                const int v = pick(3);
                m.selectSource(volumes_[v].info.id);
                h_.drain();
                return "select " + volumes_[v].info.name;
            }
            case 3:
            case 4:
                m.requestTransfer();
                h_.drain();
                return "transfer";
            case 5:
                m.pauseTransfer();
                return "pause";
            case 6:
                m.resumeTransfer();
                h_.drain();
                return "resume";
            case 7:
                m.cancelTransfer();
                if (m.alert()) m.closeAlert(m.alert()->id, true);
                return "stop";
            case 8:
                m.enqueueSelected();
                return "enqueue";
            case 9:
                h_.power->sleep();
                return "will sleep";
            case 10:
                h_.power->wake();
                h_.waitUntil([] { return false; }, std::chrono::milliseconds(5));
                h_.drain();
                return "did wake";
            case 11:
            case 12:
                h_.engines->openGates();
                return "let the engine run";
            case 13:
                if (m.alert()) {
                    const bool action = pick(2) == 0;
                    m.closeAlert(m.alert()->id, action);
                    h_.drain();
                    return action ? "alert: act" : "alert: close";
                }
                if (m.folderRequest()) {
                    m.approveFolderRequest();
                    h_.drain();
                    return "folders: create";
                }
                m.dismissResult();
                return "dismiss result";
            case 14:
                if (pick(3) == 0) {
                    m.discardPausedTransfer();
                    return "discard pause";
                }
                if (!m.queue().empty()) {
                    m.removeFromQueue(m.queue().front().id);
                    return "unqueue";
                }
                return "nothing";
            case 15:
                m.changeSettings([](AppSettings& s) {
                    s.language = s.language == AppLanguage::en ? AppLanguage::nl : AppLanguage::en;
                });
                return "language";
            default:
                m.changeSettings([&](AppSettings& s) {
                    s.folderTemplate = s.folderTemplate == FolderTemplate::defaultTemplate()
                                           ? FolderTemplate::fromLevels({"{PROJECT}", "CARDS", "{ROLL}"})
                                           : FolderTemplate::defaultTemplate();
                    s.askBeforeCreatingFolders = pick(4) == 0;
                });
                return "template";
        }
    }

    const Volume* volumeNamed(const std::string& name) const {
        for (const Volume& volume : volumes_)
            if (volume.info.name == name) return &volume;
        return nullptr;
    }

    bool isPlugged(const std::string& name) const {
        for (std::size_t i = 0; i < volumes_.size(); ++i)
            if (volumes_[i].info.name == name) return plugged_[i];
        return false;
    }

    void check(AppModel& m, const std::optional<PausedTransfer>& pausedBefore, const std::vector<fs::path>& pausedRolls,
               std::size_t jobsBefore, std::size_t historyBefore) {
        testing::CountingEngineFactory& engines = *h_.engines;
        ASSERT_LE(engines.mostAlive(), 1) << "two engines at once";
        ASSERT_LE(h_.power->mostHolds(), 1) << "two keep-awake holds at once";
        ASSERT_LE(testing::runningTimers(m), idleTimers_ + 1) << "two progress timers at once";
        const bool running = m.transferState() == TransferState::running;
        ASSERT_EQ(running, engines.alive() == 1) << "the state disagrees with the engine";
        ASSERT_EQ(running, m.runningJob().has_value());
        ASSERT_EQ(h_.power->holds(), running ? 1 : 0);
        if (m.transferState() == TransferState::paused) {
            ASSERT_TRUE(m.pausedTransfer().has_value());
        }
        if (m.pausedTransfer()) {
            ASSERT_FALSE(running);
        }
        // A running engine's run can end on its thread a moment before the model takes the finish.
        const auto finished = static_cast<std::size_t>(engines.finishedRuns());
        if (running) {
            ASSERT_TRUE(m.history().size() == finished || m.history().size() + 1 == finished)
                << "the history grows by finished runs only";
        } else {
            ASSERT_EQ(m.history().size(), finished) << "the history grows by finished runs only";
        }

        for (std::size_t j = jobsBefore; j < engines.jobs.size(); ++j) {
            const TransferJob& job = engines.jobs[j];
            ASSERT_TRUE(isPlugged(job.sourceName)) << job.sourceName << " started while not connected";
            if (pausedBefore && job.sourceName == pausedBefore->job.sourceName && !m.pausedTransfer()) {
                // The paused card goes on in its own roll folders, whatever changed meanwhile.
                ASSERT_EQ(job.rollName, pausedBefore->job.roll);
                std::vector<fs::path> rolls;
                for (const TransferDestination& destination : job.destinations) rolls.push_back(destination.rollURL);
                ASSERT_EQ(rolls, pausedRolls);
            }
        }
        for (std::size_t r = 0; r + historyBefore < m.history().size(); ++r) checkWhole(m.history()[r]);
        checkNothingReplaced();
    }

    // Every copy a record calls good holds every file of its card, whole.
    void checkWhole(const TransferRecord& record) {
        const Volume* card = volumeNamed(record.sourceName);
        ASSERT_NE(card, nullptr);
        for (const TransferRecord::Destination& destination : record.destinations) {
            if (!destination.succeeded) continue;
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(card->folder)) {
                if (!entry.is_regular_file()) continue;
                const fs::path copy = fs::path(destination.path) / fs::relative(entry.path(), card->folder);
                ASSERT_TRUE(fs::exists(copy)) << copy << " recorded as copied";
                ASSERT_EQ(testing::readFile(copy), testing::readFile(entry.path())) << copy;
            }
        }
    }

    // Footage once in place on an SSD stays the same file with the same bytes.
    void checkNothingReplaced() {
        for (const char* ssd : {"SSD_A", "SSD_B"}) {
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_ / ssd)) {
                const std::string path = entry.path().string();
                if (!entry.is_regular_file() || path.find("/PRIVATE/") == std::string::npos ||
                    path.find(".quillane-partial") != std::string::npos)
                    continue;
                struct stat st {};
                ASSERT_EQ(::stat(path.c_str(), &st), 0);
                const auto found = seen_.find(path);
                if (found == seen_.end()) {
                    seen_.emplace(path, SeenFile{st.st_ino, testing::readFile(path)});
                    continue;
                }
                ASSERT_EQ(found->second.inode, st.st_ino) << path << " replaced";
                ASSERT_EQ(found->second.content, testing::readFile(path)) << path << " changed";
            }
        }
        for (const auto& [path, file] : seen_) ASSERT_TRUE(fs::exists(path)) << path << " vanished";
    }

    testing::TempDir root_{"quillane-soak"};
    ModelHarness h_;
    std::vector<Volume> volumes_;
    std::vector<bool> plugged_;
    std::mt19937 random_;
    std::map<std::string, SeenFile> seen_;
    std::vector<std::string> recent_;
    int idleTimers_ = 0;
};

int fromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text ? std::atoi(text) : fallback;
}

// Every seed ends with a transfer that nothing interrupts, so no check here depends on how the
// engine's timing met the walk's pauses and stops. A failure names its seed for a replay.
TEST(ModelSoak, RandomOperationsKeepEveryPromise) {
    testing::LanguageScope language(AppLanguage::en);
    std::vector<unsigned> seeds = {20261207, 17, 4242};
    if (const char* one = std::getenv("QUILLANE_SOAK_SEED")) seeds = {static_cast<unsigned>(std::strtoul(one, nullptr, 10))};
    const int steps = fromEnvironment("QUILLANE_SOAK_STEPS", 700);
    for (const unsigned seed : seeds) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " (replay: QUILLANE_SOAK_SEED=" + std::to_string(seed) + ")");
        Soak soak(seed);
        for (int i = 0; i < steps; ++i)
            if (!soak.step(i)) return;
        if (!soak.finishOneRun(steps)) return;
    }
}

}  // namespace
}  // namespace quillane
