// Inspecting a whole card after a transfer: a card of many camera clips (copies of clips made
// here with the ffmpeg command), inspected as the report rewrite does it. Prints the time per
// clip, the peak memory of the process while inspecting, and how many bytes were read
// against the size of the card (a clip must never be read whole to find one frame).
//
//   bench_MediaInspectBench [clips=200] [seconds per clip=20] [picture=1920x1080]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Platform/MediaInspector.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

// A field of /proc/self/status or /proc/self/io, as a number.
long long procField(const char* file, const std::string& key) {
    std::ifstream in(file);
    std::string name;
    long long value = 0;
    while (in >> name) {
        if (name == key) {
            in >> value;
            return value;
        }
        in.ignore(1 << 12, '\n');
    }
    return -1;
}

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

}  // namespace

int main(int argc, char* argv[]) {
    const int clipCount = argc > 1 ? std::atoi(argv[1]) : 200;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    const std::string picture = argc > 3 ? argv[3] : "1920x1080";
    const fs::path card = fs::temp_directory_path() / ("quillane-inspectbench-" + std::to_string(::getpid()));
    fs::create_directories(card / "sources");

    // Two kinds of camera clip: long-GOP H.264 with sound in MP4, and intra-frame ProRes in MOV.
    const std::string duration = std::to_string(seconds);
    const std::string source = "-f lavfi -i testsrc2=s=" + picture + ":r=25:d=" + duration;
    const fs::path h264 = card / "sources/h264.mp4", prores = card / "sources/prores.mov";
    std::printf("making %d s clips of %s with ffmpeg…\n", seconds, picture.c_str());
    if (!run("ffmpeg -nostdin -y " + source + " -f lavfi -i sine=d=" + duration + " -t " + duration +
             " -c:v libx264 -preset ultrafast -g 50 -pix_fmt yuv420p -c:a aac '" + h264.string() + "'") ||
        !run("ffmpeg -nostdin -y " + source + " -c:v prores_ks -profile:v 0 '" + prores.string() + "'")) {
        std::fprintf(stderr, "ffmpeg could not make the clips\n");
        return 1;
    }
    std::vector<ScannedFile> files;
    long long cardBytes = 0;
    for (int i = 0; i < clipCount; ++i) {
        ScannedFile file;
        const bool isProRes = i % 4 == 3;
        file.relativePath = "CLIPS/C" + std::to_string(1000 + i) + (isProRes ? ".MOV" : ".MP4");
        fs::create_directories((card / file.relativePath).parent_path());
        fs::create_hard_link(isProRes ? prores : h264, card / file.relativePath);  // own names, shared bytes
        file.size = static_cast<std::int64_t>(fs::file_size(card / file.relativePath));
        cardBytes += file.size;
        files.push_back(file);
    }

    const long long rssBefore = procField("/proc/self/status", "VmRSS:");
    { std::ofstream("/proc/self/clear_refs") << "5"; }  // restart the peak from here
    const long long readBefore = procField("/proc/self/io", "rchar:");
    const auto start = std::chrono::steady_clock::now();
    const auto clips = MediaInspector::inspect(files, card);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long long readBytes = procField("/proc/self/io", "rchar:") - readBefore;
    const long long peak = procField("/proc/self/status", "VmHWM:");

    long long thumbnailBytes = 0;
    int thumbnails = 0;
    for (const auto& [path, info] : clips)
        if (info.thumbnailJPEG) ++thumbnails, thumbnailBytes += static_cast<long long>(info.thumbnailJPEG->size());

    std::printf("clips            %d inspected, %zu with facts, %d thumbnails (%.1f KB each)\n", clipCount,
                clips.size(), thumbnails, thumbnails ? thumbnailBytes / 1000.0 / thumbnails : 0.0);
    std::printf("time             %.2f s, %.1f ms per clip (%d at once)\n", elapsed, 1000 * elapsed / clipCount,
                MediaInspector::maxConcurrent);
    std::printf("memory           %.1f MB resident before, peak %.1f MB while inspecting\n", rssBefore / 1024.0,
                peak / 1024.0);
    std::printf("read             %.1f MB of a %.1f MB card (%.1f %%)\n", readBytes / 1e6, cardBytes / 1e6,
                100.0 * readBytes / cardBytes);
    std::error_code ignored;
    fs::remove_all(card, ignored);
    return clips.size() == static_cast<std::size_t>(clipCount) ? 0 : 1;
}
