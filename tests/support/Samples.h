#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "Support/Dates.h"
#include "Transfer/SourceScan.h"

namespace quillane::testing {

// A card file as the scanner would list it, for tests that need no real file.
inline ScannedFile scannedFile(std::string relativePath, std::int64_t size,
                               std::optional<Dates::TimePoint> modified = std::nullopt) {
    ScannedFile f;
    f.relativePath = std::move(relativePath);
    f.size = size;
    f.modificationDate = modified;
    return f;
}

}  // namespace quillane::testing
