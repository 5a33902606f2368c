#pragma once
// Card trees made on disk and probed, for the recognition tests.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "Detection/ContentProber.h"
#include "Detection/MediaTypes.h"
#include "support/TempDir.h"

namespace quillane::detectiontest {

// The default video extensions, as the prober is given them.
inline std::set<std::string> videoExtensions() {
    const auto& v = MediaTypes::defaultVideoExtensions();
    return {v.begin(), v.end()};
}

// Makes the relative paths in a fresh folder (a trailing "/" makes an empty folder, anything
// else a file) and probes it.
inline ContentProbe probeOf(const std::vector<std::string>& paths) {
    testing::TempDir dir("quillane-card");
    for (const std::string& path : paths) {
        if (path.ends_with('/')) std::filesystem::create_directories(dir / path);
        else testing::writeFile(dir / path, "x");
    }
    return ContentProber::probe(dir.path(), videoExtensions(), 5000);
}

}  // namespace quillane::detectiontest
