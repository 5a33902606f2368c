#pragma once
#include <filesystem>
#include <functional>
#include <vector>

#include "Transfer/ReportWriter.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// Reads the facts of copied clips (length, picture size, rate, codec, a still) for the report, off
// the model's thread. The model hands it the files of each finished transfer and rewrites the
// reports with what comes back.
class ClipInspector {
public:
    // Runs on a worker thread with the clips read, also after a stop (then `stopped` is true); it is
    // not called when no worker could be started.
    using Done = std::function<void(ReportWriter::Clips clips, bool stopped)>;

    virtual ~ClipInspector() = default;
    // Starts reading `files`, which lie below `folder`; returns at once.
    virtual void inspect(std::vector<ScannedFile> files, std::filesystem::path folder, Done done) = 0;
    // Starts no further clip and waits until every inspection has ended (the model's destructor
    // calls it, so no worker outlives the model).
    virtual void stopAll() = 0;
};

}  // namespace quillane
