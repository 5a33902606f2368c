#include "Platform/MediaInspection.h"

#include <system_error>

#include "Platform/MediaInspector.h"

namespace quillane {

MediaInspection::MediaInspection(std::vector<ScannedFile> files, std::filesystem::path folder, Done done) {
    try {
        worker_ = std::thread([this, files = std::move(files), folder = std::move(folder), done = std::move(done)] {
            ReportWriter::Clips clips;
            try {
                clips = MediaInspector::inspect(files, folder, &stop_);
            } catch (...) {
                // No memory for the list: the report goes without clip facts.
            }
            if (done) done(std::move(clips), stop_.load());
            finished_.store(true);
        });
    } catch (const std::system_error&) {
        // No thread to be had: nothing runs.
    }
}

MediaInspection::~MediaInspection() {
    stop();
    join();
}

void MediaInspection::join() {
    if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
}

}  // namespace quillane
