#include "Transfer/MHLWriter.h"

#include <ctime>

#include "Product/Product.h"
#include "Support/Lang.h"
#include "Support/AtomicFile.h"
#include "Support/Dates.h"
#include "Support/HostInfo.h"
#include "Support/Markup.h"
#include "Template/FolderTemplate.h"

namespace quillane::MHLWriter {
namespace {

// toolName spelt out: the product's name, a blank and its version.
constexpr bool isNameAndVersion(const char* text) {
    auto skip = [&text](const char* part) {
        for (; *part != '\0'; ++part, ++text)
            if (*text != *part) return false;
        return true;
    };
    return skip(Product::name) && skip(" ") && skip(Product::version) && *text == '\0';
}
static_assert(isNameAndVersion(toolName), "the tool name must follow the product's name and version");

// "yyyy-MM-dd_HHmmss" in the machine's current time zone.
std::string localStamp(std::chrono::system_clock::time_point time) {
    ::tzset();  // follow a zone changed since the last call
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::floor<std::chrono::seconds>(time));
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        const auto c = Dates::utc(time);
        local.tm_year = c.year - 1900;
        local.tm_mon = c.month - 1;
        local.tm_mday = c.day;
        local.tm_hour = c.hour;
        local.tm_min = c.minute;
        local.tm_sec = c.second;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d_%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

// The roll folder's own "ascmhl" folder, copied from a card that held an earlier offload:
// the ASC MHL manifest written next goes on with that chain and so changes the copied chain
// file, which would then fail every later check of this manifest.
bool insideRollManifestFolder(std::string_view relativePath) { return relativePath.starts_with("ascmhl/"); }

}  // namespace

std::string comment(std::string_view project, std::string_view roll, std::string_view sourceName) {
    return std::string(project) + " \u00B7 " + std::string(roll) + " \u00B7 " + L("bron", "source") + ": " +
           std::string(sourceName);
}

std::filesystem::path write(const std::filesystem::path& folder, std::string_view baseName,
                            const std::vector<ScannedFile>& files,
                            const std::vector<std::optional<std::string>>& hashes, ChecksumAlgorithm algorithm,
                            std::chrono::system_clock::time_point startedAt,
                            std::chrono::system_clock::time_point finishedAt, std::string_view comment,
                            bool ascManifestToo) {
    const std::string finish = Dates::iso8601(finishedAt);
    const std::string element = ChecksumAlgorithms::mhlElement(algorithm);

    std::string text;
    text.reserve(1024 + files.size() * 256);
    text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text += "<hashlist version=\"1.1\">\n";
    text += "  <creatorinfo>\n";
    text += "    <name>" + Markup::escape(HostInfo::fullUserName()) + "</name>\n";
    text += "    <username>" + Markup::escape(HostInfo::shortUserName()) + "</username>\n";
    text += "    <hostname>" + Markup::escape(HostInfo::hostName()) + "</hostname>\n";
    text += std::string("    <tool>") + toolName + "</tool>\n";
    text += "    <startdate>" + Dates::iso8601(startedAt) + "</startdate>\n";
    text += "    <finishdate>" + finish + "</finishdate>\n";
    text += "    <log>" + Markup::escape(comment) + "</log>\n";
    text += "  </creatorinfo>\n";
    const std::size_t count = std::min(files.size(), hashes.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!hashes[i] || (ascManifestToo && insideRollManifestFolder(files[i].relativePath))) continue;
        const ScannedFile& file = files[i];
        text += "  <hash>\n";
        text += "    <file>" + Markup::escape(file.relativePath) + "</file>\n";
        text += "    <size>" + std::to_string(file.size) + "</size>\n";
        if (file.modificationDate)
            text += "    <lastmodificationdate>" + Dates::iso8601(*file.modificationDate) + "</lastmodificationdate>\n";
        text += "    <" + element + ">" + *hashes[i] + "</" + element + ">\n";
        text += "    <hashdate>" + finish + "</hashdate>\n";
        text += "  </hash>\n";
    }
    text += "</hashlist>\n";

    const std::filesystem::path path =
        folder / (FolderTemplate::sanitize(baseName) + "_" + localStamp(finishedAt) + ".mhl");
    AtomicFile::write(path, text);
    return path;
}

}  // namespace quillane::MHLWriter
