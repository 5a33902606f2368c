#pragma once
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "Transfer/ReportWriter.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// One run of the media inspector over a card's clips on a thread of its own, which the owner can
// stop and join: at quit the model stops it (no further clip is started) and joins it, so no
// worker outlives the model. `done` runs on the worker thread with the clips read, also after a
// stop; it is not called when the thread could not be started.
class MediaInspection {
public:
    using Done = std::function<void(ReportWriter::Clips clips, bool stopped)>;

    MediaInspection(std::vector<ScannedFile> files, std::filesystem::path folder, Done done);
    // Stops and joins.
    ~MediaInspection();
    MediaInspection(const MediaInspection&) = delete;
    MediaInspection& operator=(const MediaInspection&) = delete;

    // False when no thread could be started (nothing runs, done is never called).
    bool started() const { return worker_.joinable() || finished_.load(); }
    // Asks the worker to start no further clip; returns at once.
    void stop() { stop_.store(true); }
    // Waits for the worker's end; safe to call more than once.
    void join();
    bool finished() const { return finished_.load(); }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::thread worker_;
};

}  // namespace quillane
