#include "Transfer/ReportWriter.h"

#include <algorithm>

#include <cmath>
#include <cstdio>

#include "Detection/ByteFormat.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Support/AtomicFile.h"
#include "Support/FileIO.h"
#include "Support/Base64.h"
#include "Support/Markup.h"
#include "Support/Text.h"
#include "Template/FolderTemplate.h"
#include "Transfer/ReportDates.h"
#include "Transfer/ReportStyle.h"

namespace quillane::ReportWriter {
namespace {

constexpr const char* dash = "\u2014";
constexpr const char* dot = " \u00B7 ";

std::string esc(std::string_view text) { return Markup::escape(text); }

std::string hms(long long seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", seconds / 3600, (seconds % 3600) / 60, seconds % 60);
    return buffer;
}

std::string durationText(double elapsed) {
    if (!(elapsed >= 1)) elapsed = 1;  // also a clock that went backwards
    const long long seconds = elapsed < 9e15 ? static_cast<long long>(elapsed) : 0;
    if (seconds < 60) return std::to_string(seconds) + " sec";
    return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " sec";
}

std::string fact(std::string_view label, std::string_view value) {
    return "<div class=fact><span>" + std::string(label) + "</span><b>" + esc(value) + "</b></div>";
}

std::string lastComponent(std::string_view relativePath) {
    const auto slash = relativePath.rfind('/');
    return std::string(slash == std::string_view::npos ? relativePath : relativePath.substr(slash + 1));
}

std::string figure(std::string_view relativePath, const ClipInfo& clip) {
    std::string html = "<figure>";
    if (clip.thumbnailJPEG)
        html += "<img src=\"data:image/jpeg;base64," + Base64::encode(*clip.thumbnailJPEG) + "\" alt=\"\">";
    else
        html += "<div class=noimg></div>";
    html += "<figcaption><b>" + esc(lastComponent(relativePath)) + "</b><span>" + esc(clip.summary()) +
            "</span></figcaption></figure>\n";
    return html;
}

// Picks the Dutch or English text by the language the page was started in.
struct Texts {
    bool english;
    std::string operator()(std::string_view nl, std::string_view en) const { return std::string(english ? en : nl); }
    AppLanguage language() const { return english ? AppLanguage::en : AppLanguage::nl; }
};

std::string destinationRow(const DestinationResult& destination, const TransferResult& result, int thisDestination,
                           const Texts& tr) {
    const bool me = destination.id == thisDestination;
    std::string html = std::string("<tr") + (me ? " class=me" : "") + "><td>" + esc(destination.name);
    if (me) html += " <span class=tag>" + tr("deze schijf", "this drive") + "</span>";
    html += "</td><td class=mono>" + esc(destination.rollURL.string()) + "</td>";
    std::string status, statusClass = "bad";
    if (destination.error) {
        status = "\u2717 " + esc(*destination.error);
    } else if (!destination.failedFiles.empty()) {
        status = "\u2717 " + countText(static_cast<std::int64_t>(destination.failedFiles.size()),
                                       Counted::filesNotMatching, tr.language());
    } else {
        status = result.verified ? tr("\u2713 Geverifieerd", "\u2713 Verified") : tr("\u2713 Gekopieerd", "\u2713 Copied");
        statusClass = "good";
    }
    return html + "<td class=" + statusClass + ">" + status + "</td></tr>\n";
}

std::string runtimeText(const Clips& clips) {
    double total = 0;
    for (const auto& [path, clip] : clips)
        if (clip.duration && std::isfinite(*clip.duration)) total += *clip.duration;
    if (!(total > 0) || total > 9e15) return dash;
    return hms(static_cast<long long>(total));
}

}  // namespace

std::string render(const Info& info, const std::vector<ScannedFile>& files,
                   const std::vector<std::optional<std::string>>& hashes, const TransferResult& result,
                   int thisDestination, const Clips& clips) {
    const AppLanguage language = Lang::current.load() == AppLanguage::en ? AppLanguage::en : AppLanguage::nl;
    const bool english = language == AppLanguage::en;
    const Texts tr{english};

    const double elapsed = std::chrono::duration<double>(result.finishedAt - result.startedAt).count();
    const std::string brandPhrase = tr("transferrapport", "offload report");

    const bool good = result.allSucceeded();
    std::string verdict;
    if (good)
        verdict = result.verified ? tr("Veilig overgezet en geverifieerd", "Safely transferred and verified")
                                  : tr("Gekopieerd (zonder verificatie)", "Copied (without verification)");
    else
        verdict = result.cancelled ? tr("Transfer gestopt", "Transfer stopped")
                                   : tr("Niet volledig gelukt", "Not fully successful");

    // A file whose copy here failed shows no checksum: the card's would read as if it were stored.
    static const std::vector<std::string> none;
    const std::vector<std::string>& failedHere =
        thisDestination >= 0 && static_cast<std::size_t>(thisDestination) < result.destinations.size()
            ? result.destinations[static_cast<std::size_t>(thisDestination)].failedFiles
            : none;
    auto failed = [&](const std::string& path) {
        return std::find(failedHere.begin(), failedHere.end(), path) != failedHere.end();
    };
    std::string fileRows, figures;
    const std::size_t count = std::min(files.size(), hashes.size());
    for (std::size_t i = 0; i < count; ++i) {
        const ScannedFile& file = files[i];
        const bool shown = hashes[i] && !failed(file.relativePath);
        fileRows += "<tr><td>" + esc(file.relativePath) + "</td><td class=num>" + ByteFormat::string(file.size) +
                    "</td><td class=mono>" + (shown ? esc(*hashes[i]) : std::string(dash)) + "</td></tr>\n";
        if (auto clip = clips.find(file.relativePath); clip != clips.end()) figures += figure(file.relativePath, clip->second);
    }

    std::string destinationRows;
    for (const auto& destination : result.destinations) destinationRows += destinationRow(destination, result, thisDestination, tr);

    char shootDay[16];
    if (info.shootDay) std::snprintf(shootDay, sizeof shootDay, "%02d", *info.shootDay);
    std::string facts;
    facts += fact("Project", info.project);
    facts += fact("Roll", info.roll);
    facts += fact(tr("Draaidag", "Shoot day"), info.shootDay ? shootDay : dash);
    facts += fact(tr("Kaart", "Card"), info.sourceName + (info.cameraLabel ? dot + *info.cameraLabel : ""));
    facts += fact(tr("Datum", "Date"), ReportDates::longDateShortTime(result.startedAt, language));
    facts += fact(tr("Duur", "Duration"), ReportDates::mediumTime(result.startedAt, language) + " \u2013 " +
                                             ReportDates::mediumTime(result.finishedAt, language) + " (" +
                                             durationText(elapsed) + ")");
    facts += fact(tr("Omvang", "Size"), countText(result.fileCount, Counted::files, language) + dot +
                                            ByteFormat::string(result.totalBytes));
    facts += fact(tr("Snelheid", "Speed"),
                  elapsed > 0 ? ByteFormat::rate(static_cast<double>(result.totalBytes) / elapsed) : dash);
    facts += fact(tr("Speelduur", "Runtime"), runtimeText(clips));
    facts += fact("Checksum", ChecksumAlgorithms::displayName(result.algorithm) +
                                  (result.verified ? tr(", elke kopie teruggelezen en vergeleken",
                                                        ", every copy read back and compared")
                                                   : ""));

    std::string page;
    page.reserve(8192 + fileRows.size() + figures.size() + destinationRows.size());
    page += "<!doctype html>\n<html lang=\"" + tr("nl", "en") + "\"><head><meta charset=\"utf-8\">\n";
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    page += "<title>" + esc(info.roll) + dot + brandPhrase + "</title>\n";
    page += "<style>\n" + ReportStyle::sheet(good ? "--good" : "--bad") + "</style></head><body><main>\n";
    page += "<div class=brand>Quillane" + std::string(dot) + brandPhrase + "</div>\n";
    page += "<h1>" + esc(info.project) + " \u2014 " + esc(info.roll) + "</h1>\n";
    page += "<div class=verdict>" + verdict + "</div>\n";
    page += "<div class=facts>" + facts + "</div>\n";
    if (!figures.empty())
        page += "<h2>Clips (" + std::to_string(clips.size()) + ")</h2><div class=clips>" + figures + "</div>\n";
    page += "<h2>" + tr("Bestemmingen", "Destinations") + "</h2>\n<table>" + destinationRows + "</table>\n";
    page += "<h2>" + tr("Bestanden", "Files") + " (" + std::to_string(result.fileCount) + ")</h2>\n<table>" + fileRows +
            "</table>\n";
    page += "<p class=note>" +
            tr("De checksums hierboven staan ook in het .mhl-bestand in deze map. Daarmee kan software zoals "
               "Silverstack, OffShoot of DaVinci Resolve later controleren of elke clip nog exact gelijk is aan de "
               "originele kaart.",
               "The checksums above are also stored in the .mhl file in this folder. Software such as Silverstack, "
               "OffShoot or DaVinci Resolve can use it later to check that every clip is still identical to the "
               "original card.") +
            "</p>\n</main></body></html>";
    return page;
}

namespace {
// The first of "<roll>_report.html", "<roll>-2_report.html", … that taken() does not refuse.
template <typename Taken>
std::string firstFreeName(const Info& info, Taken taken) {
    const std::string base = FolderTemplate::sanitize(info.roll);
    std::string name = base + "_report.html";
    for (std::size_t n = 2; taken(name); ++n) name = base + "-" + std::to_string(n) + "_report.html";
    return name;
}

// Destinations may compare names without case (exFAT), so a copied "A001_REPORT.HTML" counts.
bool copied(const std::vector<ScannedFile>& files, const std::string& name) {
    for (const auto& file : files)
        if (file.relativePath.find('/') == std::string::npos && Text::caseInsensitiveEqual(file.relativePath, name))
            return true;
    return false;
}
}  // namespace

std::string fileName(const Info& info, const std::vector<ScannedFile>& files) {
    return firstFreeName(info, [&](const std::string& name) { return copied(files, name); });
}

std::filesystem::path write(const std::filesystem::path& folder, const Info& info, const std::vector<ScannedFile>& files,
                            const std::vector<std::optional<std::string>>& hashes, const TransferResult& result,
                            int thisDestination, const Clips& clips) {
    // The report of a run that fell short never replaces one that stands: that may be the
    // record of an earlier, good run into this roll folder.
    const bool replaces = result.allSucceeded();
    const std::string name = firstFreeName(info, [&](const std::string& candidate) {
        return copied(files, candidate) || (!replaces && FileOps::exists(folder / candidate));
    });
    return rewrite(folder / name, info, files, hashes, result, thisDestination, clips);
}

std::filesystem::path rewrite(const std::filesystem::path& report, const Info& info,
                              const std::vector<ScannedFile>& files,
                              const std::vector<std::optional<std::string>>& hashes, const TransferResult& result,
                              int thisDestination, const Clips& clips) {
    AtomicFile::write(report, render(info, files, hashes, result, thisDestination, clips));
    return report;
}

}  // namespace quillane::ReportWriter
