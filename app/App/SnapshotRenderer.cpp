#include "App/SnapshotRenderer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "App/SelfTest.h"
#include "App/SnapshotCapture.h"
#include "App/SnapshotStaging.h"
#include "App/SnapshotWaits.h"
#include "Model/AppModel.h"
#include "Platform/VolumeMonitor.h"
#include "Template/TemplatePreset.h"
#include "Views/Kit/Theme.h"
#include "Views/Main/MainAlert.h"
#include "Views/Main/MainView.h"
#include "Views/Main/WindowNavigation.h"
#include "App/RecognitionShot.h"
#include "Views/Main/UpdateDetails.h"

#include "Views/History/HistoryView.h"
#include "Views/Settings/SettingsView.h"

namespace quillane {

using namespace std::chrono_literals;
using Snapshot::Shot;

namespace {
const QSize mainSize(1300, 800);
const QRectF transferAndDestinations(330, 52, 970, 606);

// The settings window's size on this screen: at most 1240 × 900.
QSize settingsSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return {1240, 840};
    const QRect frame = screen->availableGeometry();
    return {std::min(frame.width() - 80, 1240), std::min(frame.height() - 60, 900)};
}

QWidget* settingsOn(AppModel& model, SettingsTab tab) {
    auto* settings = new SettingsView(model);
    settings->selectTab(tab);
    return settings;
}

QWidget* history(AppModel& model, const QString& query) {
    return new HistoryView(model, query);
}

// A view on the card colour, filling the shot.
QWidget* onCard(QWidget* content) {
    auto* ground = new QWidget();
    ground->setAutoFillBackground(true);
    QPalette palette = ground->palette();
    palette.setColor(QPalette::Window, Theme::card());
    ground->setPalette(palette);
    auto* layout = new QVBoxLayout(ground);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content, 0, Qt::AlignTop | Qt::AlignLeft);
    layout->addStretch(1);
    return ground;
}

QString tabName(SettingsTab tab) {
    switch (tab) {
        case SettingsTab::structure: return QStringLiteral("structure");
        case SettingsTab::transfer: return QStringLiteral("transfer");
        case SettingsTab::recognition: return QStringLiteral("recognition");
    }
    return {};
}

ReleaseInfo fakeRelease() {
    return {"1.0.2", "https://quillane.app/download",
            "Faster verification on Thunderbolt drives and a clearer project overview.",
            "Snellere verificatie op Thunderbolt-schijven en een duidelijker projectoverzicht.", std::nullopt};
}
}  // namespace

SnapshotRenderer::SnapshotRenderer(AppModel& model, Snapshot::Options options, QObject* parent)
    : QObject(parent), model_(model), options_(std::move(options)),
      camera_(new Snapshot::Camera(QString::fromStdString(options_.directory), this)),
      waits_(new SnapshotWaits(250ms, this)), navigation_(new WindowNavigation(this)) {}

SnapshotRenderer::~SnapshotRenderer() = default;

void SnapshotRenderer::run() {
    if (ran_) return;
    ran_ = true;
    model_.setShowProjectSheet(false);
    if (options_.dutch) model_.changeSettings([](AppSettings& s) { s.language = AppLanguage::nl; });
    if (Snapshot::script(options_) == Snapshot::Script::fakeUpdate) {
        model_.setAvailableUpdate(fakeRelease());
        QTimer::singleShot(fakeUpdateDelayMs, this, &SnapshotRenderer::fakeUpdateShots);
        model_.start();
        return;
    }
    if (options_.preset) {
        for (const TemplatePreset& preset : TemplatePreset::all()) {
            if (preset.id != *options_.preset) continue;
            model_.changeSettings([&](AppSettings& s) { s.folderTemplate = preset.folderTemplate; });
            if (preset.dateFormat) model_.changeSettings([&](AppSettings& s) { s.dateFormat = *preset.dateFormat; });
            break;
        }
    }
    if (options_.demo) VolumeMonitor::demoDressing = &Snapshot::demoDrive;
    model_.start();
    if (options_.demo && !options_.simulate) {
        model_.startDemo();
        navigation_->setStagedForScreenshot(true);
    }
    if (options_.project) model_.setProject(*options_.project);
    QTimer::singleShot(scriptDelayMs, this, [this] {
        switch (Snapshot::script(options_)) {
            case Snapshot::Script::features: return features();
            case Snapshot::Script::selfTest:
                selfTest_ = new SelfTest(model_, options_, *camera_, this);
                connect(selfTest_, &SelfTest::finished, this, &SnapshotRenderer::terminate);
                return selfTest_->start();
            default: return standardShots();
        }
    });
}

void SnapshotRenderer::standardShots() {
    if (!Snapshot::makeFolder(camera_->folder()))
        std::fprintf(stderr, "Quillane: can't create the snapshot folder %s\n", options_.directory.c_str());
    std::vector<Shot> shots{{[this] { return new MainView(model_, *navigation_); }, mainSize, std::nullopt, "main.png"}};
    for (SettingsTab tab : {SettingsTab::structure, SettingsTab::transfer, SettingsTab::recognition})
        shots.push_back({[this, tab] { return settingsOn(model_, tab); }, settingsSize(), std::nullopt,
                         QStringLiteral("settings-%1.png").arg(tabName(tab))});
    camera_->take(std::move(shots), [this] { terminate(); });
}

void SnapshotRenderer::fakeUpdateShots() {
    Snapshot::makeFolder(camera_->folder());
    camera_->take({{[this] { return new MainView(model_, *navigation_); }, mainSize, std::nullopt, "update-pill.png"},
                   {[this] { return onCard(new UpdateDetails(model_, fakeRelease())); }, QSize(340, 260),
                    std::nullopt, "update-details.png"}},
                  [this] { terminate(); });
}

void SnapshotRenderer::features() {
    Snapshot::makeFolder(camera_->folder());
    const auto sources = model_.sources();
    const auto card = std::find_if(sources.begin(), sources.end(),
                                   [](const DriveState& d) { return d.info.name == "FX6_CARD"; });
    if (card == sources.end()) return terminate();
    featureCard_ = card->info.id;
    model_.selectSource(featureCard_);
    waits_->waitFor([this] { return model_.scanState().is(ScanState::Kind::ready); }, 120s,
                    [this] { featuresAfterScan(); }, [this] { terminate(); });
}

void SnapshotRenderer::featuresAfterScan() {
    model_.stepShootDay(1);
    model_.stepRoll(3);
    camera_->take(
        {{[this] { return new RecognitionShot(model_); }, QSize(760, 475), std::nullopt, "feature-recognition.png"},
         {[this] { return new MainView(model_, *navigation_); }, mainSize, transferAndDestinations, "feature-rolls.png"},
         {[this] { return settingsOn(model_, SettingsTab::structure); }, QSize(1240, 840), QRectF(290, 170, 880, 550),
          "feature-folders.png"}},
        [this] {
            model_.changeSettings([](AppSettings& s) { s.soundAlongWithCamera = false; });
            model_.requestFolders(true, true);
            waits_->waitFor([this] { return model_.progress() && model_.progress()->fraction > 0.42; }, 120s,
                            [this] { featuresMidTransfer(); }, [this] { terminate(); });
        });
}

void SnapshotRenderer::featuresMidTransfer() {
    camera_->take({{[this] { return new MainView(model_, *navigation_); }, mainSize, std::nullopt, "main.png"}}, [this] {
        waits_->waitFor(
            [this] { return model_.transferState() == TransferState::succeeded && model_.queue().empty(); }, 120s,
            [this] { featuresVerified(); }, [this] { terminate(); });
    });
}

void SnapshotRenderer::featuresVerified() {
    camera_->take({{[this] { return new MainView(model_, *navigation_); }, mainSize, transferAndDestinations, "feature-verified.png"}},
                  [this] {
                      model_.selectSource(featureCard_);
                      waits_->waitFor(
                          [this] {
                              return model_.scanState().is(ScanState::Kind::ready) && model_.previousTransfer().has_value();
                          },
                          120s, [this] { featuresDuplicate(); }, [this] { terminate(); });
                  });
}

void SnapshotRenderer::featuresDuplicate() {
    camera_->take({{[this] { return new MainView(model_, *navigation_); }, mainSize, QRectF(0, 52, 930, 581), "feature-duplicate.png"}},
                  [this] {
                      for (const DriveState& drive : model_.destinations()) {
                          if (drive.info.name != "BACKUP_SSD") continue;
                          model_.eject(drive);
                          break;
                      }
                      QTimer::singleShot(1000, this, &SnapshotRenderer::featuresHistory);
                  });
}

void SnapshotRenderer::featuresHistory() {
    camera_->take({{[this] { return history(model_, QStringLiteral("C0042")); }, QSize(760, 640), QRectF(0, 0, 760, 475),
                    "feature-search.png"}},
                  [this] {
                      model_.addDemoHistory(Snapshot::demoHistory(model_.projectName()));
                      camera_->take({{[this] { return history(model_, {}); }, QSize(760, 640), std::nullopt, "overview.png"},
                                     {[this] { return history(model_, {}); }, QSize(760, 640), QRectF(0, 116, 760, 475),
                                      "feature-overview.png"}},
                                    [this] { terminate(); });
                  });
}

void SnapshotRenderer::terminate() {
    waits_->stopAll();
    // The script that ran the self-test reads its outcome from the exit status too.
    QCoreApplication::exit(selfTest_ && !selfTest_->succeeded() ? 1 : 0);
}

}  // namespace quillane
