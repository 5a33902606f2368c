#include "Transfer/ASCMHLWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "Support/AtomicFile.h"
#include "Support/Dates.h"
#include "Support/FileIO.h"
#include "Support/Folders.h"
#include "Support/HostInfo.h"
#include "Support/Markup.h"
#include "Template/FolderTemplate.h"
#include "Transfer/ASCMHLChain.h"

namespace quillane::ASCMHLWriter {
namespace {

// A file that sits inside (or is) an "ascmhl" entry came with an earlier offload on the card;
// the manifest's own ignore rules leave it out.
bool insideManifestFolder(std::string_view relativePath) {
    std::size_t start = 0;
    while (start <= relativePath.size()) {
        const std::size_t end = std::min(relativePath.find('/', start), relativePath.size());
        if (relativePath.substr(start, end - start) == folderName) return true;
        start = end + 1;
    }
    return false;
}

std::string manifestText(const std::vector<ScannedFile>& files, const std::vector<std::optional<std::string>>& hashes,
                         ChecksumAlgorithm algorithm, const std::string& date, std::string_view toolVersion) {
    const std::string element = algorithm == ChecksumAlgorithm::xxhash64 ? "xxh64" : "md5";
    std::string text;
    text.reserve(1024 + files.size() * 256);
    text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text += "<hashlist version=\"2.0\" xmlns=\"urn:ASC:MHL:v2.0\">\n";
    text += "  <creatorinfo>\n";
    text += "    <creationdate>" + date + "</creationdate>\n";
    text += "    <hostname>" + Markup::escape(HostInfo::hostName()) + "</hostname>\n";
    text += "    <tool version=\"" + std::string(toolVersion) + "\">Quillane</tool>\n";
    text += "    <author>" + Markup::escape(HostInfo::fullUserName()) + "</author>\n";
    text += "  </creatorinfo>\n";
    text += "  <processinfo>\n";
    text += "    <process>transfer</process>\n";
    text += "    <ignore>\n";
    for (const char* pattern : {".DS_Store", "ascmhl", "ascmhl/", "*.mhl", "*_report.html", "*_rapport.html"})
        text += std::string("      <pattern>") + pattern + "</pattern>\n";
    text += "    </ignore>\n";
    text += "  </processinfo>\n";
    text += "  <hashes>\n";
    const std::size_t count = std::min(files.size(), hashes.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!hashes[i] || insideManifestFolder(files[i].relativePath)) continue;
        const ScannedFile& file = files[i];
        text += "    <hash>\n";
        text += "      <path size=\"" + std::to_string(file.size) + "\"";
        if (file.modificationDate)
            text += " lastmodificationdate=\"" + Dates::iso8601(*file.modificationDate) + "\"";
        text.append(">").append(Markup::escape(file.relativePath)).append("</path>\n");
        text += "      <" + element + " action=\"original\" hashdate=\"" + date + "\">" + *hashes[i] + "</" +
                element + ">\n";
        text += "    </hash>\n";
    }
    text += "  </hashes>\n";
    text += "</hashlist>\n";
    return text;
}

}  // namespace

std::filesystem::path write(const std::filesystem::path& root, const std::vector<ScannedFile>& files,
                            const std::vector<std::optional<std::string>>& hashes, ChecksumAlgorithm algorithm,
                            std::chrono::system_clock::time_point finishedAt, std::string_view toolVersion) {
    const std::filesystem::path folder = root / folderName;
    if (!Folders::createAll(folder)) throw FileError(errno, folder, "cannot create folder");

    const std::filesystem::path chainFile = folder / chainFileName;
    const ASCMHLChain::Current chain = ASCMHLChain::read(chainFile);
    const long long number = nextSequenceNumber(folder, chain.text);

    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%04lld", number);
    // A roll folder given with a trailing separator is still named after its last component.
    const std::filesystem::path rollName = root.has_filename() ? root.filename() : root.parent_path().filename();
    const std::string name = std::string(prefix) + "_" + FolderTemplate::sanitize(rollName.string()) + "_" +
                             ASCMHLChain::utcStamp(finishedAt) + "Z.mhl";
    const std::string text = manifestText(files, hashes, algorithm, Dates::iso8601(finishedAt), toolVersion);
    const std::filesystem::path manifest = folder / name;
    AtomicFile::write(manifest, text);

    const std::string chainText = ASCMHLChain::withEntry(chain, number, name, c4ID(text));
    if (chain.damaged) ASCMHLChain::setAside(chainFile, finishedAt);
    AtomicFile::write(chainFile, chainText);
    return manifest;
}

}  // namespace quillane::ASCMHLWriter
