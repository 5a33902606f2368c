#include "Platform/MediaInspector.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <system_error>
#include <thread>

#include "Support/Text.h"

namespace quillane::MediaInspector {

namespace {

// Names by four-character code, as cameras and editors write them into the sample description.
const std::map<std::string, std::string, std::less<>>& codecTable() {
    static const std::map<std::string, std::string, std::less<>> table{
        {"avc1", "H.264"},        {"hvc1", "HEVC"},          {"hev1", "HEVC"},
        {"apcn", "ProRes 422"},   {"apch", "ProRes 422 HQ"}, {"apcs", "ProRes 422 LT"},
        {"apco", "ProRes 422 Proxy"}, {"ap4h", "ProRes 4444"}, {"ap4x", "ProRes 4444 XQ"},
        {"aprn", "ProRes RAW"},   {"aprh", "ProRes RAW HQ"}, {"xavc", "XAVC"},
        {"mp4v", "MPEG-4"},
    };
    return table;
}

// A relative path that stays inside its folder: not absolute, no "..", no empty name.
bool staysInside(std::string_view relativePath) {
    if (relativePath.empty() || relativePath.front() == '/') return false;
    std::size_t start = 0;
    while (start <= relativePath.size()) {
        std::size_t end = relativePath.find('/', start);
        if (end == std::string_view::npos) end = relativePath.size();
        if (relativePath.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool isInspectable(std::string_view relativePath) {
    std::size_t slash = relativePath.rfind('/');
    std::string_view name = slash == std::string_view::npos ? relativePath : relativePath.substr(slash + 1);
    const std::string ext = Text::lowercased(Text::extension(name));
    return std::find(videoExtensions.begin(), videoExtensions.end(), ext) != videoExtensions.end();
}

std::string codecName(std::uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto byte = static_cast<unsigned char>((code >> shift) & 0xFF);
        if (byte >= 128) return "?";
        text.push_back(static_cast<char>(byte));
    }
    const auto first = text.find_first_not_of(" \t");
    text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    const auto& table = codecTable();
    if (auto it = table.find(text); it != table.end()) return it->second;
    return Text::asciiUppercased(text);
}

ReportWriter::Clips inspect(const std::vector<ScannedFile>& files, const std::filesystem::path& folder,
                            const std::atomic<bool>* stop) {
    std::vector<const std::string*> kept;
    for (const auto& file : files) {
        if (kept.size() == maxClips) break;
        if (isInspectable(file.relativePath)) kept.push_back(&file.relativePath);
    }
    if (kept.empty()) return {};

    // Workers take the next clip in order, so inspections start in file order and at most
    // maxConcurrent run at once; each result has its own slot, so no lock is needed.
    std::vector<std::optional<ClipInfo>> results(kept.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < kept.size();) {
            if (stop && stop->load(std::memory_order_relaxed)) return;
            if (!staysInside(*kept[i])) continue;
            try {
                results[i] = inspect(folder / *kept[i]);
            } catch (...) {
                // Out of memory inside one clip: that clip gets no entry.
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t helperCount = std::min<std::size_t>(maxConcurrent, kept.size()) - 1;
    for (std::size_t n = 0; n < helperCount; ++n) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer threads: the calling thread still gets through the list
        }
    }
    work();
    for (auto& helper : helpers) helper.join();

    ReportWriter::Clips clips;
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (results[i]) clips.insert_or_assign(*kept[i], std::move(*results[i]));
    return clips;
}

}  // namespace quillane::MediaInspector
