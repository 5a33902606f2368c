#include "Detection/DriveClassifier.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "Detection/ByteFormat.h"
#include "Detection/CameraSignatures.h"
#include "Support/Counts.h"
#include "Support/Lang.h"
#include "Support/Text.h"

namespace quillane {

namespace {

constexpr std::array<std::string_view, 13> readerKeywords{
    "CARD", "READER", "SDXC", "SDHC", "CFEXPRESS", "CFAST", "XQD", "PROGRADE", "MRW-", "CODEX", "AXS", "RED MINI-MAG", "SXS"};

constexpr std::array<std::string_view, 19> ssdKeywords{
    "SSD", "PSSD", "T5", "T7", "T9", "PORTABLE", "LACIE", "RUGGED", "G-DRIVE", "G-RAID", "GLYPH", "OWC",
    "CRUCIAL X", "X9", "X10", "ENVOY", "THUNDERBLADE", "PROMISE", "NVME"};

constexpr std::array<std::string_view, 13> cardVolumeNames{
    "NO NAME", "UNTITLED", "EOS_DIGITAL", "CANON", "SONY", "LUMIX", "GOPRO", "DJI", "XDROOT", "NIKON", "FUJIFILM",
    "BMPCC", "BLACKMAGIC"};

constexpr double gigabyte = 1'000'000'000.0;

template <std::size_t N>
bool containsAny(std::string_view text, const std::array<std::string_view, N>& keywords) {
    return std::any_of(keywords.begin(), keywords.end(),
                       [text](std::string_view k) { return text.find(k) != std::string_view::npos; });
}

std::string typographicQuotes(std::string_view text) { return "\u201C" + std::string(text) + "\u201D"; }

DriveClassification decided(DriveRole role, double confidence, std::vector<std::string> reasons,
                            std::optional<CameraMatch> camera = std::nullopt) {
    return DriveClassification{role, confidence, std::move(camera), std::move(reasons), false};
}

}  // namespace

DriveClassification DriveClassifier::classify(const DriveInfo& info, const ContentProbe* probe,
                                              const ClassifierContext& context) {
    const std::optional<CameraMatch> camera = probe ? CameraSignatures::detect(*probe) : std::nullopt;

    if (info.uuid) {
        if (auto it = context.learnedRoles.find(*info.uuid); it != context.learnedRoles.end()) {
            const std::string role = Text::lowercased(DriveRoles::displayName(it->second));
            return DriveClassification{it->second, 1.0, camera,
                                       {L("Je hebt deze schijf eerder als " + role + " gemarkeerd",
                                          "You previously marked this drive as " + role)},
                                       true};
        }
    }
    if (info.isRootVolume)
        return decided(DriveRole::ignored, 1.0, {L("Opstartschijf van deze computer", "This computer's startup disk")});
    if (info.isInternal && !info.isRemovable)
        return decided(DriveRole::ignored, 1.0, {L("Interne schijf", "Internal drive")});

    double source = 0;
    double destination = 0;
    std::vector<std::string> reasons;

    std::string hardware;
    for (const auto* part : {&info.deviceVendor, &info.deviceModel, &info.mediaName, &info.deviceProtocol}) {
        if (!*part) continue;
        if (!hardware.empty()) hardware += ' ';
        hardware += Text::uppercased(**part);
    }
    const std::string upperName = Text::uppercased(info.name);
    const double capacity = static_cast<double>(info.totalCapacity) / gigabyte;

    // What is on it.
    if (camera && camera->isSound()) {
        source += 2.0;
        reasons.push_back(L("Geluidskaart: ", "Sound card: ") + Text::lowercased(camera->evidence));
    } else if (camera) {
        source += 4.0;
        reasons.push_back(L("Camerastructuur herkend \u2014 ", "Camera structure recognized \u2014 ") + camera->evidence);
    } else if (probe && probe->shallowVideoCount >= 1 && probe->deepVideoCount == 0 && probe->rootNames.size() <= 12) {
        source += 1.5;
        reasons.push_back(countText(probe->shallowVideoCount, Counted::clips) +
                          L(" direct op de kaart", " directly on the card"));
    }

    // What it is plugged into.
    if (info.deviceProtocol && *info.deviceProtocol == "Secure Digital") {
        source += 2.0;
        reasons.push_back(L("Zit in de SD-kaartsleuf", "In the SD card slot"));
    } else if (containsAny(hardware, readerKeywords)) {
        source += 1.5;
        reasons.push_back(L("Kaartlezer gedetecteerd (", "Card reader detected (") + info.hardwareDescription() + ")");
    }
    if (containsAny(hardware, ssdKeywords)) {
        destination += 1.5;
        reasons.push_back(L("Externe SSD (", "External SSD (") + info.hardwareDescription() + ")");
    }

    // How it is named, sized and formatted.
    const bool cardName = std::any_of(cardVolumeNames.begin(), cardVolumeNames.end(),
                                      [&upperName](std::string_view n) { return upperName.starts_with(n); }) ||
                          CameraSignatures::reelFromVolumeName(upperName).has_value();
    if (cardName) {
        source += 0.75;
        reasons.push_back(L("Typische kaartnaam ", "Typical card name ") + typographicQuotes(info.name));
    }
    if (capacity > 0 && capacity <= 520) {
        source += 0.5;
    } else if (capacity >= 900) {
        destination += 1.0;
        reasons.push_back(L("Grote opslag (", "Large drive (") + ByteFormat::string(info.totalCapacity) + ")");
    }
    if (info.fileSystem == "msdos") {
        source += 0.75;
    } else if (info.fileSystem == "apfs" || info.fileSystem == "hfs") {
        destination += 0.75;
        reasons.push_back(L("Mac-formaat (", "Mac format (") + info.fileSystemLabel() + ")");
    }

    // What the probe saw beyond the camera.
    if (probe) {
        bool projectFolder = false;
        if (context.projectName) {
            const std::string project = Text::uppercased(*context.projectName);
            projectFolder = !project.empty() && std::any_of(probe->rootNames.begin(), probe->rootNames.end(),
                                                            [&project](const std::string& n) {
                                                                return Text::uppercased(n) == project;
                                                            });
        }
        if (projectFolder) {
            destination += 3.0;
            reasons.push_back(L("Bevat al de projectmap ", "Already contains the project folder ") +
                              typographicQuotes(*context.projectName));
        } else if (!context.templateFolders.empty()) {
            bool found = false;
            for (const std::string& path : probe->directoryPaths) {
                std::size_t start = 0;
                int piece = 0;
                while (!found && start <= path.size()) {
                    std::size_t slash = path.find('/', start);
                    if (slash == std::string::npos) slash = path.size();
                    const std::string_view segment = std::string_view(path).substr(start, slash - start);
                    start = slash + 1;
                    if (segment.empty()) continue;
                    if (piece++ > 0 && context.templateFolders.count(std::string(segment)) != 0) found = true;
                }
                if (found) break;
            }
            if (found) {
                destination += 2.0;
                reasons.push_back(L("Bevat projectmappen volgens jouw structuur",
                                    "Contains project folders matching your structure"));
            }
        }
        if (probe->deepVideoCount >= 1 && !camera) {
            destination += 1.0;
            reasons.push_back(L("Bevat eerder overgezette footage", "Contains previously transferred footage"));
        }
        if (probe->accessDenied) {
            reasons.push_back(L("Geen leestoegang \u2014 controleer de toegangsrechten van deze schijf",
                                "No read access \u2014 check this drive's permissions"));
        } else if (probe->rootNames.empty() && (capacity <= 0 || capacity >= 260 || info.isDiskImage())) {
            destination += 1.0;
            reasons.push_back(L("Lege schijf, klaar voor gebruik", "Empty drive, ready to use"));
        } else if (probe->rootNames.empty()) {
            return decided(DriveRole::ignored, 0.6,
                           {L("Lege kaart of kleine schijf \u2014 niets om over te zetten",
                              "Empty card or small drive \u2014 nothing to transfer")});
        }
    }

    if (info.isReadOnly) {
        reasons.push_back(L("Alleen-lezen: kan geen bestemming zijn", "Read-only: can't be a destination"));
        if (source < 1.5) return decided(DriveRole::ignored, 0.9, std::move(reasons), camera);
        destination = -std::numeric_limits<double>::infinity();
    }
    if (source < 1.0 && destination < 1.0) {
        reasons.push_back(L("Te weinig aanwijzingen", "Not enough clues"));
        return decided(DriveRole::ignored, 0.55, std::move(reasons));
    }

    const double high = std::max(source, destination);
    const double low = std::max(std::min(source, destination), 0.0);
    const double confidence = std::clamp(high / (high + low + 0.5), 0.5, 0.99);
    if (destination < source) return decided(DriveRole::source, confidence, std::move(reasons), camera);
    return decided(DriveRole::destination, confidence, std::move(reasons));
}

}  // namespace quillane
