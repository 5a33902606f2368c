#pragma once
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Transfer/ClipInfo.h"
#include "Transfer/ReportWriter.h"
#include "Transfer/SourceScan.h"

namespace quillane {

// Clip facts and a thumbnail for the report, read from the clips with FFmpeg. Stateless.
//
// Everything here blocks its calling thread while it reads media: call it from a background
// thread, never from the main thread. Clips are untrusted input: every read is bounded (probe
// size, analysis time, one seek and a bounded decode up to the frame wanted, a time limit per
// clip) and no failure leaves these functions.
namespace MediaInspector {

// Lower-cased extensions that are inspected, in this order (raw formats are not).
inline constexpr std::array<std::string_view, 7> videoExtensions{"mov", "mp4", "m4v", "mxf", "mts", "m2ts", "avi"};
// At most this many clips per call: the first ones in the order given.
inline constexpr std::size_t maxClips = 400;
// At most this many clips are open at the same time.
inline constexpr int maxConcurrent = 4;
// The thumbnail fits within this many pixels either way.
inline constexpr int thumbnailSize = 320;

// True when the last path component's extension, lower-cased, is one of videoExtensions.
bool isInspectable(std::string_view relativePath);

// The clips among files (the first maxClips inspectable ones, in order), read from folder
// joined with each relative path, keyed by that path; at most maxConcurrent at once, started
// in the order given. A clip without a readable video track has no entry.
// When stop becomes true, no further clip is started; the clips already read are returned.
ReportWriter::Clips inspect(const std::vector<ScannedFile>& files, const std::filesystem::path& folder,
                            const std::atomic<bool>* stop = nullptr);

// One clip; nothing when it cannot be opened or has no video track.
std::optional<ClipInfo> inspect(const std::filesystem::path& clip);

// A four-character code, most significant byte first, as a codec name: "avc1" gives "H.264",
// "apch" "ProRes 422 HQ"; an unknown code gives itself in upper case, trimmed ("dvh1" gives
// "DVH1"); a code that is not ASCII gives "?".
std::string codecName(std::uint32_t fourCharCode);

}  // namespace MediaInspector
}  // namespace quillane
