#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Detection/ContentProbe.h"
#include "Detection/DriveInfo.h"
#include "Detection/MediaTypes.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// The fictional cards and SSDs of demo mode: a Sony FX6 card, an ARRI card, a Zoom sound card and
// two SSDs, with the probes and scans real volumes would give. Pure data: nothing touches the disk.
namespace DemoDrives {

// The folder the demo volumes live under. It never exists.
const std::filesystem::path& root();

// The five volumes, in a fixed order, without the ejected ones; every volume's free space is
// lowered by the bytes demo transfers used on it, never below zero.
std::vector<DriveInfo> infos(const std::map<std::string, std::int64_t>& usedBytes,
                             const std::set<std::string>& ejected);

// What a probe of the demo card would find; the empty probe for any other volume (only the id is read).
ContentProbe probe(const DriveInfo& info);

// The card's generated file list with its folders, groups, totals and fingerprint; clips are
// dated from 09:00 today. Empty for an SSD or an unknown id.
SourceScan scan(const std::filesystem::path& root, std::string_view driveID, CopyMode mode);

}  // namespace DemoDrives
}  // namespace quillane
