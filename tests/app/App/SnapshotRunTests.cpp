#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <system_error>

#include "support/LoopVolume.h"
#include "support/PrivateMounts.h"
#include "support/TempDir.h"

// Runs the application in snapshot mode as its own process, each run in a fresh folder with a time
// limit, on the offscreen platform with a 1440 × 960 screen, and checks what it leaves behind.
namespace {

struct AppRun {
    int exitCode = -1;
    bool finished = false;
    QString errors;
};

QString screenConfig(const QTemporaryDir& dir, double dpr) {
    const QString path = dir.filePath(QStringLiteral("screen-%1.json").arg(dpr));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QStringLiteral(R"({"screens":[{"name":"shots","x":0,"y":0,"width":1440,"height":960,"dpr":%1,)"
                                  R"("logicalDpi":96,"logicalBaseDpi":96}]})")
                       .arg(dpr)
                       .toUtf8());
    return path;
}

// One run of the application, started at once; several may run side by side. Its output goes to
// files in the run's folder, so a run that says much never blocks on a full pipe.
class AppProcess {
public:
    AppProcess(const QTemporaryDir& dir, const QStringList& arguments, double dpr = 1) : dir_(dir) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + screenConfig(dir, dpr));
        environment.insert("LC_ALL", "C.UTF-8");
        environment.insert("TZ", "UTC");
        environment.insert("XDG_DATA_HOME", dir.filePath("xdg-data"));
        environment.insert("XDG_CACHE_HOME", dir.filePath("xdg-cache"));
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
        process_.setProcessEnvironment(environment);
        process_.setStandardOutputFile(dir.filePath("stdout.txt"));
        process_.setStandardErrorFile(dir.filePath("stderr.txt"));
        process_.start(QStringLiteral(QUILLANE_BINARY), arguments);
    }

    AppRun wait(int seconds) {
        AppRun run;
        run.finished = process_.waitForFinished(seconds * 1000);
        if (!run.finished) {
            process_.kill();
            process_.waitForFinished(5000);
        }
        run.exitCode = process_.exitCode();
        QFile errors(dir_.filePath("stderr.txt"));
        if (errors.open(QIODevice::ReadOnly)) run.errors = QString::fromUtf8(errors.readAll());
        return run;
    }

private:
    const QTemporaryDir& dir_;
    QProcess process_;
};

AppRun runApp(const QTemporaryDir& dir, const QStringList& arguments, int seconds, double dpr = 1) {
    return AppProcess(dir, arguments, dpr).wait(seconds);
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSize pngSize(const QString& path) {
    QImageReader reader(path);
    return reader.format() == "png" ? reader.size() : QSize();
}

}  // namespace

TEST(SnapshotRun, StandardShotsAtBothPixelRatios) {
    for (double dpr : {1.0, 2.0}) {
        QTemporaryDir dir;
        const QString out = dir.filePath("shots");
        const AppRun run = runApp(dir, {"--snapshot", out}, 60, dpr);
        ASSERT_TRUE(run.finished) << run.errors.toStdString();
        EXPECT_EQ(run.exitCode, 0);
        const int scale = static_cast<int>(dpr);
        EXPECT_EQ(pngSize(out + "/main.png"), QSize(1300, 800) * scale);
        for (const char* tab : {"structure", "transfer", "recognition"})
            EXPECT_EQ(pngSize(out + "/settings-" + tab + ".png"), QSize(1240, 900) * scale) << tab;
    }
}

TEST(SnapshotRun, FakeUpdateRendersOnlyTheUpdateShots) {
    for (int scale : {1, 2}) {
        QTemporaryDir dir;
        const QString out = dir.filePath("shots");
        const AppRun run = runApp(dir, {"--snapshot", out, "--fake-update", "--demo", "--features"}, 60, scale);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(pngSize(out + "/update-pill.png"), QSize(1300, 800) * scale);
        EXPECT_EQ(pngSize(out + "/update-details.png"), QSize(340, 260) * scale);
        EXPECT_FALSE(QFile::exists(out + "/main.png"));
    }
}

TEST(SnapshotRun, DutchIsStoredAndAnOutputFolderThatCantBeMadeEndsCleanly) {
    QTemporaryDir dir;
    const QString out = dir.filePath("shots");
    ASSERT_TRUE(runApp(dir, {"--snapshot", out, "--lang", "nl"}, 60).finished);
    QFile settings(out + "/store/settings.json");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().contains("\"nl\""));

    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const AppRun blocked = runApp(dir, {"--snapshot", dir.filePath("file/shots"), "--unknown", "--lang"}, 60);
    ASSERT_TRUE(blocked.finished);
    EXPECT_EQ(blocked.exitCode, 0);
    EXPECT_TRUE(blocked.errors.contains("snapshot folder")) << blocked.errors.toStdString();
}

TEST(SnapshotRun, DemoSelfTestQueuesAndPausesInTheApplication) {
    struct Case {
        QStringList extra;
        QString last;
        bool pauseShot;
    };
    const std::vector<Case> cases = {
        {{}, "done, state=succeeded", false},
        {{"--pause-test"}, "pause test done", true},
    };
    // Side by side: each run waits on its simulated transfers.
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    std::vector<std::unique_ptr<AppProcess>> runs;
    for (const Case& c : cases) {
        dirs.push_back(std::make_unique<QTemporaryDir>());
        runs.push_back(std::make_unique<AppProcess>(
            *dirs.back(), QStringList{"--snapshot", dirs.back()->filePath("out"), "--demo", "--simulate"} + c.extra));
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const AppRun run = runs[i]->wait(300);
        ASSERT_TRUE(run.finished) << run.errors.toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QString out = dirs[i]->filePath("out");
        const QString text = readText(out + "/simulation.txt");
        // The last line ends the file: no line feed after it.
        EXPECT_TRUE(text.endsWith(c.last)) << text.toStdString();
        const QStringList lines = text.split('\n');
        EXPECT_EQ(pngSize(out + "/simulated.png"), QSize(1300, 800));
        EXPECT_EQ(pngSize(out + "/paused.png"), c.pauseShot ? QSize(1300, 800) : QSize()) << text.toStdString();
        if (c.pauseShot) {
            EXPECT_TRUE(text.contains(QRegularExpression("\nstate paused, job kept: A\\d+, drives connected: true\n")))
                << text.toStdString();
            EXPECT_TRUE(text.contains(QRegularExpression("\nresumed and finished: A\\d+ ok=true\n")))
                << text.toStdString();
            continue;
        }
        // One line per card that went, the sound card that went along included; every copy online.
        const QStringList history = lines.filter(QRegularExpression("^history: "));
        EXPECT_GE(history.size(), 2) << text.toStdString();
        for (const QString& line : history) EXPECT_TRUE(line.contains(" ok=true ")) << line.toStdString();
        const QStringList search = lines.filter(QRegularExpression("^search C0004: "));
        EXPECT_FALSE(search.isEmpty()) << text.toStdString();
        for (const QString& line : search)
            EXPECT_TRUE(line.endsWith("[\"SHOOT_SSD:true\", \"BACKUP_SSD:true\"]")) << line.toStdString();
        // Demo copies have no report or manifest: one line per SSD of the last card.
        EXPECT_EQ(lines.filter(QRegularExpression("^report: ")), QStringList({"report: -  mhl: -", "report: -  mhl: -"}));
        EXPECT_EQ(lines.filter(QRegularExpression("^free: ")).size(), 2) << text.toStdString();
    }
}

TEST(SnapshotRun, FeatureSeriesAtBothPixelRatios) {
    const std::vector<std::pair<QString, QSize>> shots = {
        {"feature-recognition.png", {1600, 1000}}, {"feature-rolls.png", {1600, 1000}},
        {"feature-folders.png", {1600, 1000}},     {"main.png", {1300, 800}},
        {"feature-verified.png", {1600, 1000}},    {"feature-duplicate.png", {1600, 1000}},
        {"feature-search.png", {1600, 1000}},      {"overview.png", {760, 640}},
        {"feature-overview.png", {1600, 1000}},
    };
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    std::vector<std::unique_ptr<AppProcess>> runs;
    for (double dpr : {1.0, 2.0}) {
        dirs.push_back(std::make_unique<QTemporaryDir>());
        runs.push_back(std::make_unique<AppProcess>(
            *dirs.back(), QStringList{"--snapshot", dirs.back()->filePath("out"), "--demo", "--features"}, dpr));
    }
    for (int scale : {1, 2}) {
        const AppRun run = runs[scale - 1]->wait(300);
        ASSERT_TRUE(run.finished) << run.errors.toStdString();
        const QString out = dirs[scale - 1]->filePath("out");
        for (const auto& [name, size] : shots) {
            // A "feature-" shot is 1600 pixels wide whatever the screen; the others keep the capture's pixels.
            const QSize expected = name.startsWith("feature-") ? size : size * scale;
            EXPECT_EQ(pngSize(out + "/" + name), expected) << name.toStdString() << " at " << scale;
        }
    }
}

namespace {
namespace fs = std::filesystem;

// A camera tree on a card: four Sony clips of distinct bytes with old modification times.
void writeCameraTree(const fs::path& root, char seed) {
    for (int i = 1; i <= 4; ++i) {
        const fs::path clip = root / "PRIVATE/M4ROOT/CLIP" / ("C000" + std::to_string(i) + ".MP4");
        std::string bytes(700'000 + i * 1000, '\0');
        for (std::size_t b = 0; b < bytes.size(); ++b) bytes[b] = static_cast<char>((b * 31 + i * 7 + seed) & 0xff);
        quillane::testing::writeFile(clip, bytes);
        fs::last_write_time(clip, fs::file_time_type::clock::now() - std::chrono::hours(24 * i));
    }
    quillane::testing::writeFile(root / "PRIVATE/M4ROOT/MEDIAPRO.XML", "<MediaProfile/>");
}

// Every folder below root that holds the card's clips.
std::vector<fs::path> rollFolders(const fs::path& root) {
    std::vector<fs::path> found;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
        if (it->path().filename() == "C0001.MP4") found.push_back(it->path().parent_path().parent_path().parent_path().parent_path());
    return found;
}

using quillane::testing::LoopVolume;

// Why the self-test's real drives can't be made here, or nothing. The application finds its cards
// and SSDs by name among the volumes it sees: in this test program's own mount namespace those are
// only the ones mounted here, never the machine's.
std::optional<std::string> selfTestDrivesUnavailable() {
    if (::geteuid() != 0) return "loop devices need root";
    for (auto kind : {LoopVolume::Kind::ext4, LoopVolume::Kind::exfat})
        if (auto why = LoopVolume::unavailable(kind)) return why;
    return quillane::testing::privateMountNamespaceUnavailable();
}

// The drives the self-test looks for: two exFAT camera cards and two ext4 SSDs on loop devices under
// /media/<name>, gone with the rig (the volumes first, then their mount folder).
struct SelfTestDrives {
    struct Cleanup {
        fs::path path;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    };

    explicit SelfTestDrives(const std::string& name)
        : cleanup{fs::path("/media") / name},
          images(name),
          fx3(images / "fx3.img", cleanup.path / "FX3_CARD", {LoopVolume::Kind::exfat, "FX3_CARD", "", 48ull << 20}),
          a003(images / "a003.img", cleanup.path / "A003", {LoopVolume::Kind::exfat, "A003", "", 48ull << 20}),
          ssd1(images / "ssd1.img", cleanup.path / "SSD_1", {LoopVolume::Kind::ext4, "SSD_1", "", 96ull << 20}),
          ssd2(images / "ssd2.img", cleanup.path / "SSD_2", {LoopVolume::Kind::ext4, "SSD_2", "", 96ull << 20}) {
        writeCameraTree(fx3.mountPoint(), 1);
        writeCameraTree(a003.mountPoint(), 2);
    }

    Cleanup cleanup;
    quillane::testing::TempDir images;
    LoopVolume fx3, a003, ssd1, ssd2;
};
}  // namespace

// The whole product as a crew runs it: two exFAT cards and two ext4 SSDs on loop devices, the real
// engine, and what lands on the SSDs afterwards. Run again on the same drives, the self-test finds
// the first run's rolls there and copies both cards into new ones.
TEST(SnapshotRun, SelfTestCopiesRealCardsToRealSSDs) {
    if (auto why = selfTestDrivesUnavailable()) GTEST_SKIP() << *why;
    SelfTestDrives drives("quillane-selftest");
    const LoopVolume &fx3 = drives.fx3, &a003 = drives.a003, &ssd1 = drives.ssd1, &ssd2 = drives.ssd2;
    for (const std::size_t rollsAfter : {2u, 4u}) {
        SCOPED_TRACE(rollsAfter);
        QTemporaryDir dir;
        const QString out = dir.filePath("selftest");
        const AppRun run = runApp(dir, {"--snapshot", out, "--simulate"}, 300);
        ASSERT_TRUE(run.finished) << run.errors.toStdString();
        EXPECT_EQ(run.exitCode, 0);
        QFile log(out + "/simulation.txt");
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        EXPECT_TRUE(text.endsWith("done, state=succeeded")) << text.toStdString();
        EXPECT_TRUE(QFile::exists(out + "/simulated.png"));

        for (const LoopVolume* ssd : {&ssd1, &ssd2}) {
            const auto rolls = rollFolders(ssd->mountPoint());
            ASSERT_EQ(rolls.size(), rollsAfter) << ssd->mountPoint();
            for (const fs::path& roll : rolls) {
                const LoopVolume& card = quillane::testing::readFile(roll / "PRIVATE/M4ROOT/CLIP/C0001.MP4") ==
                                                 quillane::testing::readFile(fx3.mountPoint() / "PRIVATE/M4ROOT/CLIP/C0001.MP4")
                                             ? fx3
                                             : a003;
                for (int i = 1; i <= 4; ++i) {
                    const fs::path relative = "PRIVATE/M4ROOT/CLIP/C000" + std::to_string(i) + ".MP4";
                    EXPECT_EQ(quillane::testing::readFile(roll / relative), quillane::testing::readFile(card.mountPoint() / relative));
                    EXPECT_EQ(fs::last_write_time(roll / relative), fs::last_write_time(card.mountPoint() / relative));
                }
                EXPECT_TRUE(fs::exists(roll / "ascmhl" / "ascmhl_chain.xml")) << roll;
                bool report = false;
                for (const auto& entry : fs::directory_iterator(roll)) report = report || entry.path().extension() == ".html";
                EXPECT_TRUE(report) << roll;
            }
        }
    }
}

namespace {
// A mounted file system that takes no write until it is thawed (FIFREEZE): an SSD whose writes
// stall. Thawed at the latest when it goes, so a failing test never leaves a stalled mount.
class FrozenVolume {
public:
    explicit FrozenVolume(const fs::path& mountPoint) : fd_(::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY)) {
        if (fd_ >= 0 && ::ioctl(fd_, FIFREEZE, 0) == 0) return;
        const int error = errno;
        if (fd_ >= 0) ::close(fd_);
        throw std::system_error(error, std::generic_category(), "can't freeze " + mountPoint.string());
    }
    ~FrozenVolume() { thaw(); }
    FrozenVolume(const FrozenVolume&) = delete;
    FrozenVolume& operator=(const FrozenVolume&) = delete;
    void thaw() {
        if (fd_ < 0) return;
        ::ioctl(fd_, FITHAW, 0);
        ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// Looks until the condition holds; false when it did not within the limit.
bool eventually(const std::function<bool()>& condition, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QThread::msleep(100);
    }
    return true;
}
}  // namespace

// The self-test times out while its copy hangs on a stalled SSD: the run ends with its failure
// and the process exits with it, without a quit question that nobody is there to answer.
TEST(SnapshotRun, SelfTestTimingOutDuringACopyExitsWithItsFailure) {
    if (auto why = selfTestDrivesUnavailable()) GTEST_SKIP() << *why;
    SelfTestDrives drives("quillane-selftest-stall");
    const LoopVolume& ssd2 = drives.ssd2;
    // The roll folder is there already, so nothing but the copy itself writes to SSD_2: the copy
    // starts, then hangs on its first file there.
    fs::create_directories(ssd2.mountPoint() / "Quillane self-test" / "FOOTAGE" / "A001");

    QTemporaryDir dir;
    const QString out = dir.filePath("selftest");
    std::optional<AppProcess> app;  // goes after the thaw, so it never waits on a stalled write
    FrozenVolume stalled(ssd2.mountPoint());
    // The pause check waits for a quarter of the copy, which never comes.
    app.emplace(dir, QStringList{"--snapshot", out, "--simulate", "--pause-test", "--preset", "simple"});
    const QString log = out + "/simulation.txt";
    ASSERT_TRUE(eventually([&] { return readText(log).endsWith("TIMEOUT"); }, std::chrono::seconds(240)))
        << readText(log).toStdString() << readText(dir.filePath("stderr.txt")).toStdString();
    EXPECT_FALSE(readText(log).contains("pausing at")) << readText(log).toStdString();
    EXPECT_TRUE(QFile::exists(out + "/simulated.png"));
    // The application goes on to close while the SSD still stalls, asking nothing: the copy it
    // stops is kept as a stopped roll as it closes.
    EXPECT_TRUE(eventually([&] { return readText(out + "/store/stopped-rolls.json").contains("FX3_CARD"); },
                           std::chrono::seconds(120)))
        << "the application did not close after its failure";
    // SSD_2 takes writes again; the process has exited, or does now, with the failure.
    stalled.thaw();
    const AppRun run = app->wait(120);
    ASSERT_TRUE(run.finished) << run.errors.toStdString();
    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
}
