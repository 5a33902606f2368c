#include "App/SelfTest.h"

#include <QDir>
#include <QSaveFile>
#include <QTimer>
#include <algorithm>

#include "App/SelfTestLog.h"
#include "App/SnapshotCapture.h"
#include "App/SnapshotImage.h"
#include "App/SnapshotWaits.h"
#include "Model/AppModel.h"
#include "Template/RollNamer.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"

namespace quillane {

using namespace std::chrono_literals;

namespace {
// The last lines of a run that went as it should; every other ending is a failure.
const std::string successLine = "done, state=succeeded";
const std::string pauseSuccessLine = "pause test done";

std::optional<std::string> pathText(const std::optional<std::filesystem::path>& path) {
    if (!path) return std::nullopt;
    return path->string();
}
}  // namespace

SelfTest::SelfTest(AppModel& model, const Snapshot::Options& options, Snapshot::Camera& camera, QObject* parent)
    : QObject(parent), model_(model), options_(options), camera_(camera), waits_(new SnapshotWaits(250ms, this)),
      navigation_(new WindowNavigation(this)) {
    if (options_.demo) {
        expected_ = {"SHOOT_SSD", "BACKUP_SSD"};
        firstName_ = "FX6_CARD";
        secondName_ = "ARRI_CARD";
    } else {
        expected_ = {"SSD_1", "SSD_2"};
        firstName_ = "FX3_CARD";
        secondName_ = "A003";
    }
}

void SelfTest::start() {
    // The folder exists before anything is written into it (paused.png comes early).
    Snapshot::makeFolder(camera_.folder());
    if (options_.demo) model_.startDemo();
    else model_.setProject(projectName);
    for (const DriveState& drive : model_.destinations())
        if (std::find(expected_.begin(), expected_.end(), drive.info.name) == expected_.end())
            model_.toggleDestination(drive);
    const auto sources = model_.sources();
    auto idOf = [&](const std::string& name) -> std::optional<std::string> {
        for (const DriveState& drive : sources)
            if (drive.info.name == name) return drive.info.id;
        return std::nullopt;
    };
    // A name on two cards could pick the wrong one: the test cards are found by name only.
    std::vector<std::string> doubled;
    for (const std::string& name : {firstName_, secondName_})
        if (std::count_if(sources.begin(), sources.end(), [&](const DriveState& d) { return d.info.name == name; }) > 1)
            doubled.push_back(name);
    if (!doubled.empty()) return finish("unsafe sources: " + SelfTestLog::listDescription(doubled));
    const auto first = idOf(firstName_), second = idOf(secondName_);
    if (!first || !second) return finish("test cards not mounted");
    firstID_ = *first;
    secondID_ = *second;
    model_.selectSource(firstID_);
    waits_->waitFor([this] { return model_.scanState().is(ScanState::Kind::ready); }, 30s,
                    [this] {
                        // Each expected SSD exactly once: two volumes with one name would both be written.
                        auto planned = plannedNames();
                        auto expected = expected_;
                        std::sort(planned.begin(), planned.end());
                        std::sort(expected.begin(), expected.end());
                        if (planned != expected)
                            return finish("unsafe destinations: " + SelfTestLog::listDescription(planned));
                        if (options_.pauseTest) pauseCheck();
                        else queueCheck();
                    },
                    [this] { timeout(); });
}

std::vector<std::string> SelfTest::plannedNames() const {
    std::vector<std::string> names;
    for (const DestinationPlan& plan : model_.plans()) names.push_back(plan.driveName);
    return names;
}

void SelfTest::queueCheck() {
    log_.push_back(SelfTestLog::startLine(model_.rollName(), firstName_, model_.scan() ? model_.scan()->totalBytes : 0,
                                          plannedNames(), model_.targetPath()));
    historyBefore_ = model_.history().size();
    model_.requestFolders(true, true);
    // A small card can be copied and verified between two looks: begun is enough.
    waits_->waitFor([this] { return model_.transferState() != TransferState::idle; }, 10s,
                    [this] {
                        model_.selectSource(secondID_);
                        waits_->waitFor(
                            [this] {
                                return model_.scanState().is(ScanState::Kind::ready) &&
                                       (model_.canEnqueue() || model_.transferState() != TransferState::running);
                            },
                            30s, [this] { queueSecond(); }, [this] { timeout(); });
                    },
                    [this] { timeout(); });
}

void SelfTest::queueSecond() {
    const std::vector<std::string> path = model_.targetPath();
    if (model_.canEnqueue()) {
        model_.enqueueSelected();
        // The second card's own item: a sound card that goes along may stand before it.
        std::optional<std::string> roll;
        for (const QueueItem& item : model_.queue())
            if (item.sourceID == secondID_) {
                roll = item.roll;
                break;
            }
        log_.push_back(SelfTestLog::queuedLine(secondName_, roll, path));
    } else {
        // The first card was done before the second could wait behind it: it goes on its own, into
        // a free roll when an earlier run on these SSDs holds its planned one.
        if (model_.plannedRollTaken()) {
            const auto roll = RollNamer::parse(model_.rollName());
            model_.pickCameraLetter(roll ? roll->letter : model_.cameraLetter());
        }
        log_.push_back(SelfTestLog::startedAfterLine(secondName_, model_.rollName(), model_.targetPath()));
        model_.requestFolders(true, true);
    }
    waits_->waitFor(
        [this] {
            return model_.transferState() != TransferState::running && model_.queue().empty() &&
                   !model_.runningJob() && secondRecorded();
        },
        300s, [this] { QTimer::singleShot(resultDelayMs, this, &SelfTest::afterQueue); }, [this] { timeout(); });
}

bool SelfTest::secondRecorded() const {
    // Records come in newest first; those of this run stand before the ones it found.
    const auto& history = model_.history();
    const std::size_t added = history.size() > historyBefore_ ? history.size() - historyBefore_ : 0;
    return std::any_of(history.begin(), history.begin() + static_cast<std::ptrdiff_t>(added),
                       [this](const TransferRecord& record) { return record.sourceName == secondName_; });
}

void SelfTest::afterQueue() {
    resultLines();
    finish("done, state=" + TransferStates::id(model_.transferState()));
}

void SelfTest::resultLines() {
    for (const TransferRecord& record : model_.history()) log_.push_back(SelfTestLog::historyLine(record));
    for (const ClipHit& hit : model_.catalog().search("C0004", model_.history(), 200)) {
        std::vector<std::pair<std::string, bool>> locations;
        for (const AppModel::ClipLocation& location : model_.locations(hit))
            locations.emplace_back(location.name, location.online);
        log_.push_back(SelfTestLog::searchLine(hit.record.roll, hit.file.path, locations));
    }
    if (model_.lastResult())
        for (const DestinationResult& destination : model_.lastResult()->destinations)
            log_.push_back(SelfTestLog::reportLine(pathText(destination.reportURL), pathText(destination.mhlURL)));
    for (const DriveState& drive : model_.destinations())
        log_.push_back(SelfTestLog::freeLine(drive.info.name, drive.info.availableCapacity));
}

void SelfTest::pauseCheck() {
    model_.requestFolders(true, true);
    waits_->waitFor([this] { return model_.progress() && model_.progress()->fraction > 0.25; }, 30s,
                    [this] {
                        log_.push_back("pausing at " + std::to_string(SelfTestLog::percent(
                                                           model_.progress() ? std::optional(model_.progress()->fraction)
                                                                             : std::nullopt)) +
                                       "%");
                        model_.pauseTransfer();
                        waits_->waitFor([this] { return model_.transferState() == TransferState::paused; }, 10s,
                                        [this] { afterPause(); }, [this] { timeout(); });
                    },
                    [this] { timeout(); });
}

void SelfTest::afterPause() {
    pausedRoll_ = model_.pausedTransfer() ? model_.pausedTransfer()->job.roll : "-";
    log_.push_back("state paused, job kept: " + pausedRoll_ +
                   ", drives connected: " + (model_.pausedDriesConnected() ? "true" : "false"));
    camera_.capture([this] { return new MainView(model_, *navigation_); }, QSize(1300, 800), [this](QImage image) {
        Snapshot::write(image, std::nullopt, camera_.folder(), QStringLiteral("paused.png"));
        if (finishing_) return;
        model_.resumeTransfer();
        waits_->waitFor([this] { return model_.transferState() == TransferState::running && model_.progress(); }, 10s,
                        [this] {
                            log_.push_back("resumed at " +
                                           std::to_string(SelfTestLog::percent(model_.progress()->fraction)) + "%");
                        },
                        [this] { timeout(); });
        waits_->waitFor([this] { return model_.transferState() == TransferState::succeeded; }, 120s,
                        [this] {
                            // The paused job's own record: a sound card may have finished after it.
                            const auto& history = model_.history();
                            auto record = std::find_if(history.begin(), history.end(),
                                                       [this](const TransferRecord& r) { return r.roll == pausedRoll_; });
                            if (record == history.end()) record = history.begin();
                            if (record == history.end()) log_.push_back("resumed and finished: -");
                            else
                                log_.push_back("resumed and finished: " + record->roll +
                                               " ok=" + (record->succeeded ? "true" : "false"));
                            finish(pauseSuccessLine);
                        },
                        [this] { timeout(); });
    });
}

void SelfTest::timeout() { finish("TIMEOUT"); }

void SelfTest::finish(const std::string& last) {
    // Once only: every wait stops here, and the last capture's event loop can't finish again.
    if (finishing_) return;
    finishing_ = true;
    succeeded_ = last == successLine || last == pauseSuccessLine;
    waits_->stopAll();
    log_.push_back(last);
    Snapshot::makeFolder(camera_.folder());
    camera_.capture([this] { return new MainView(model_, *navigation_); }, QSize(1300, 800), [this](QImage image) {
        Snapshot::write(image, std::nullopt, camera_.folder(), QStringLiteral("simulated.png"));
        QSaveFile file(QDir(camera_.folder()).filePath(QStringLiteral("simulation.txt")));
        if (file.open(QIODevice::WriteOnly)) {
            const std::string text = SelfTestLog::joined(log_);
            file.write(text.data(), static_cast<qint64>(text.size()));
            file.commit();
        }
        emit finished();
    });
}

}  // namespace quillane
