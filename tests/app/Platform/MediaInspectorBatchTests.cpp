// Inspecting the clips of a whole card: which files, how many, how many at once, and damaged media.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "Platform/MediaInspection.h"
#include "Platform/MediaInspector.h"
#include "support/TempDir.h"
#include "support/TestClips.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;

class MediaInspectorBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::haveFFmpeg()) GTEST_SKIP() << "the ffmpeg command is not installed";
        ASSERT_TRUE(testing::makeClip(dir / "source/tiny.mov",
                                      "-f lavfi -i testsrc2=s=64x36:r=25 -t 0.2 -c:v libx264 -pix_fmt yuv420p"));
    }
    // The card's files as the scanner lists them.
    static std::vector<ScannedFile> files(const std::vector<std::string>& paths) {
        std::vector<ScannedFile> scanned;
        for (const auto& path : paths) {
            ScannedFile file;
            file.relativePath = path;
            scanned.push_back(file);
        }
        return scanned;
    }
    void link(const std::string& relativePath) {
        fs::create_directories((dir / "card" / relativePath).parent_path());
        fs::create_symlink(dir / "source/tiny.mov", dir / "card" / relativePath);
    }
    testing::TempDir dir{"quillane-inspect"};
};

TEST_F(MediaInspectorBatchTest, InspectsTheFirst400VideoFilesAndNothingElse) {
    std::vector<std::string> paths;
    for (int i = 0; i < 1000; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "CLIPS/A%03d/C%04d.MOV", i / 100, i);
        paths.push_back(name);
        link(name);
        if (i % 50 == 0) {  // raw and sound files between the clips are never inspected
            for (const char* ext : {".braw", ".R3D", ".wav"}) {
                paths.push_back(std::string(name) + ext);
                link(paths.back());
            }
        }
    }
    const auto clips = MediaInspector::inspect(files(paths), dir / "card");
    ASSERT_EQ(clips.size(), 400u);
    for (int i = 0; i < 400; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "CLIPS/A%03d/C%04d.MOV", i / 100, i);
        ASSERT_TRUE(clips.count(name)) << name;
        EXPECT_EQ(clips.at(name).width, 64);
    }
}

TEST_F(MediaInspectorBatchTest, LeavesOutWhatCannotBeReadAndNeverLeavesTheFolder) {
    link("A001/good.mp4");
    link("A001/other.m4v");
    testing::writeFile(dir / "card/A001/fake.mxf", std::string(4096, 'x'));
    fs::create_symlink(dir / "source/tiny.mov", dir / "outside.mov");  // beside the card, not on it
    const auto clips = MediaInspector::inspect(
        files({"A001/good.mp4", "A001/fake.mxf", "A001/gone.mov", "../outside.mov", "A001/../../outside.mov",
               "/etc/passwd.mov", "A001/other.m4v"}),
        dir / "card");
    EXPECT_EQ(clips.size(), 2u);
    EXPECT_TRUE(clips.count("A001/good.mp4"));
    EXPECT_TRUE(clips.count("A001/other.m4v"));

    EXPECT_TRUE(MediaInspector::inspect(files({}), dir / "card").empty());
    EXPECT_TRUE(MediaInspector::inspect(files({"A001/good.mp4"}), dir / "no such folder").empty());

    // Stopped: no clip is started. On a worker of its own: joinable, and done hears the outcome.
    const std::atomic<bool> stop{true};
    EXPECT_TRUE(MediaInspector::inspect(files({"A001/good.mp4"}), dir / "card", &stop).empty());
    std::size_t got = 0;
    bool stopped = true;
    {
        MediaInspection inspection(files({"A001/good.mp4", "A001/other.m4v"}), dir / "card",
                                   [&](ReportWriter::Clips clips, bool wasStopped) {
                                       got = clips.size();
                                       stopped = wasStopped;
                                   });
        ASSERT_TRUE(inspection.started());
        inspection.join();
        EXPECT_TRUE(inspection.finished());
    }
    EXPECT_EQ(got, 2u);
    EXPECT_FALSE(stopped);
    {
        MediaInspection inspection(files({"A001/good.mp4", "A001/other.m4v"}), dir / "card",
                                   [&](ReportWriter::Clips, bool wasStopped) { stopped = wasStopped; });
        inspection.stop();
    }  // the owner going away stops and joins the worker
    EXPECT_TRUE(stopped);
}

TEST_F(MediaInspectorBatchTest, OpensAtMostFourClipsAtOnce) {
    ASSERT_TRUE(testing::makeClip(dir / "source/clip.mp4",
                                  "-f lavfi -i testsrc2=s=640x360:r=25 -t 2 -c:v libx264 -pix_fmt yuv420p"));
    std::vector<std::string> paths;
    fs::create_directories(dir / "card");
    for (int i = 0; i < 16; ++i) {
        paths.push_back(std::string("C").append(std::to_string(100 + i)).append(".mp4"));
        fs::copy_file(dir / "source/clip.mp4", dir / "card" / paths.back());
    }
    const int watcher = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(inotify_add_watch(watcher, (dir / "card").c_str(), IN_OPEN | IN_CLOSE), 0);

    const auto clips = MediaInspector::inspect(files(paths), dir / "card");
    EXPECT_EQ(clips.size(), paths.size());

    int open = 0, mostOpen = 0;
    std::set<std::string> opened;
    alignas(inotify_event) char buffer[64 * 1024];
    for (ssize_t n; (n = ::read(watcher, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            if (event->mask & IN_OPEN) {
                mostOpen = std::max(mostOpen, ++open);
                opened.insert(event->name);
            }
            if (event->mask & IN_CLOSE) --open;
            p += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watcher);
    EXPECT_EQ(opened.size(), paths.size());
    EXPECT_LE(mostOpen, MediaInspector::maxConcurrent);
    EXPECT_EQ(open, 0);  // every clip closed again
}

// Card files are untrusted: damaged clips of every container must yield facts or nothing, never
// a crash, a hang or (in the sanitizer build) a memory error.
TEST_F(MediaInspectorBatchTest, SurvivesDamagedClips) {
    const std::map<std::string, std::string> sources{
        {"h264.mov", "-f lavfi -i testsrc2=s=160x90:r=25 -t 1 -c:v libx264 -pix_fmt yuv420p"},
        {"prores.mov", "-f lavfi -i testsrc2=s=160x90:r=25 -t 0.4 -c:v prores_ks"},
        {"mpeg2.mxf", "-f lavfi -i testsrc2=s=160x90:r=25 -t 1 -c:v mpeg2video"},
        {"h264.mts", "-f lavfi -i testsrc2=s=160x90:r=25 -t 1 -c:v libx264 -pix_fmt yuv420p -f mpegts"},
        {"mpeg4.avi", "-f lavfi -i testsrc2=s=160x90:r=25 -t 1 -c:v mpeg4"},
    };
    std::mt19937 random(20261207);
    std::vector<std::string> paths;
    for (const auto& [name, arguments] : sources) {
        ASSERT_TRUE(testing::makeClip(dir / "source" / name, arguments)) << name;
        const std::string whole = testing::readFile(dir / "source" / name);
        for (int variant = 0; variant < 12; ++variant) {
            std::string bytes = whole;
            if (variant % 3 == 0) {
                bytes.resize(random() % bytes.size());  // cut short anywhere
            } else {
                const int flips = variant % 3 == 1 ? 8 : 200;  // a few or many damaged bytes
                for (int i = 0; i < flips; ++i) bytes[random() % bytes.size()] = static_cast<char>(random());
            }
            paths.push_back(std::to_string(variant) + "_" + name);
            testing::writeFile(dir / "card" / paths.back(), bytes);
        }
    }
    const auto clips = MediaInspector::inspect(files(paths), dir / "card");
    for (const auto& [path, info] : clips) {
        if (info.width) {
            EXPECT_GT(*info.width, 0) << path;
        }
        if (info.thumbnailJPEG) {
            EXPECT_EQ(info.thumbnailJPEG->substr(0, 2), "\xFF\xD8") << path;
        }
    }
}

}  // namespace
}  // namespace quillane
