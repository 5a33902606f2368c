#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// What a bounded walk over the top of a volume found. Files are "shallow" near the root (inside a
// camera tree such as PRIVATE/ or DCIM/, or at depth 1 to 3 elsewhere) and "deep" below that.
struct ContentProbe {
    // Upper-cased relative paths of the folders at depth 1 to 3 ("DCIM", "DCIM/100GOPRO").
    std::set<std::string> directoryPaths;
    // Entries directly in the root, in walk order, without skipped ones and hidden ones.
    std::vector<std::string> rootNames;
    // Shallow files per lower-cased extension; deep video files are not counted here.
    std::map<std::string, std::int64_t> extensionCounts;
    std::int64_t shallowVideoCount = 0;
    std::int64_t deepVideoCount = 0;
    std::int64_t audioFileCount = 0;  // shallow audio files only
    // Names of the first 24 shallow video files, as listed.
    std::vector<std::string> sampleVideoNames;
    bool truncated = false;     // the walk stopped at its entry limit
    bool accessDenied = false;  // the root could not be listed

    std::int64_t count(std::string_view extension) const;
    bool hasDirectory(std::string_view relativePath) const;
    std::int64_t videoFileCount() const { return shallowVideoCount + deepVideoCount; }
    bool isEmpty() const { return rootNames.empty(); }

    bool operator==(const ContentProbe&) const = default;
};

}  // namespace quillane
