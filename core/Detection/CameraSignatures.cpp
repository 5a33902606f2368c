#include "Detection/CameraSignatures.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "Support/Lang.h"
#include "Support/Text.h"

namespace quillane {

namespace {

// A compiled expression, shared read-only by every thread after its one-time creation.
class Pattern {
public:
    Pattern(const char* expression, uint32_t flags) {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError{};
        pattern_.reset(icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(expression), flags, parseError, status));
        if (U_FAILURE(status) || !pattern_) throw std::logic_error(std::string("bad pattern ") + expression);
    }

    // The groups of the first match of the whole name (group 0 first); nothing when it does not
    // match or a wanted group took no part in the match.
    std::optional<std::vector<std::string>> match(std::string_view name, int groups = 0) const {
        const icu::UnicodeString input = icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> matcher(pattern_->matcher(input, status));
        if (U_FAILURE(status) || !matcher || !matcher->find(status) || U_FAILURE(status)) return std::nullopt;
        std::vector<std::string> out;
        for (int g = 0; g <= groups; ++g) {
            if (matcher->start(g, status) < 0 || U_FAILURE(status)) return std::nullopt;
            std::string text;
            matcher->group(g, status).toUTF8String(text);
            if (U_FAILURE(status)) return std::nullopt;
            out.push_back(std::move(text));
        }
        return out;
    }

    bool matches(std::string_view name) const { return match(name).has_value(); }

private:
    std::unique_ptr<icu::RegexPattern> pattern_;
};

const Pattern& arriClip() {
    static const Pattern p("^[A-Z]\\d{3}C\\d{3}_\\d{6}_[A-Z0-9]{4}", 0);
    return p;
}
const Pattern& arriReelFolder() {
    static const Pattern p("^([A-Z]\\d{3})R[A-Z0-9]{3}$", 0);
    return p;
}
const Pattern& redMag() {
    static const Pattern p("^([A-Z]\\d{3})_[A-Z0-9_]*\\.RDM$", UREGEX_CASE_INSENSITIVE);
    return p;
}
const Pattern& bmdClip() {
    static const Pattern p("^([A-Z]\\d{3})_\\d{8}_C\\d{3}", 0);
    return p;
}
const Pattern& reelVolume() {
    static const Pattern p("^([A-Z])(\\d{3})(?:$|[^0-9])", 0);
    return p;
}

template <typename Names, typename Predicate>
bool any(const Names& names, Predicate predicate) {
    for (const std::string& name : names)
        if (predicate(name)) return true;
    return false;
}

CameraMatch make(std::string brand, std::string format, std::string_view nl, std::string_view en, std::string token) {
    return CameraMatch{std::move(brand), std::move(format), L(nl, en), std::move(token)};
}

}  // namespace

std::optional<CameraMatch> CameraSignatures::detect(const ContentProbe& p) {
    const auto& roots = p.rootNames;
    const auto& samples = p.sampleVideoNames;

    if (any(roots, [](const std::string& n) { return Text::uppercased(n).ends_with(".RDM"); }) || p.count("r3d") > 0)
        return make("RED", "R3D", "RED magazine-structuur (.RDM/.R3D)", "RED magazine structure (.RDM/.R3D)", "RED");

    if (any(roots, [](const std::string& n) { return arriReelFolder().matches(n); }) ||
        any(samples, [](const std::string& n) { return arriClip().matches(n); }) || p.count("ari") > 0 ||
        p.count("arx") > 0)
        return make("ARRI", p.count("mov") > 0 ? "ProRes" : "ARRIRAW / MXF",
                    "ARRI reel-map en clipnamen (bv. A001C001_\u2026)",
                    "ARRI reel folder and clip names (e.g. A001C001_\u2026)", "ARRI");

    if (p.hasDirectory("XDROOT"))
        return make("Sony", "XDCAM / X-OCN", "Map XDROOT gevonden", "XDROOT folder found", "SONY");
    if (p.hasDirectory("PRIVATE/M4ROOT"))
        return make("Sony", "XAVC", "Map PRIVATE/M4ROOT gevonden", "PRIVATE/M4ROOT folder found", "SONY");
    if (p.count("crm") > 0)
        return make("Canon", "Cinema RAW Light", ".CRM clips gevonden", ".CRM clips found", "CANON");
    if (p.hasDirectory("CONTENTS/CLIPS001"))
        return make("Canon", "XF-AVC", "Map CONTENTS/CLIPS001 gevonden", "CONTENTS/CLIPS001 folder found", "CANON");
    if (p.hasDirectory("CONTENTS/VIDEO") || p.hasDirectory("CONTENTS/CLIP"))
        return make("Panasonic", "P2", "P2-structuur (CONTENTS/VIDEO)", "P2 structure (CONTENTS/VIDEO)", "PANASONIC");
    if (p.count("braw") > 0)
        return make("Blackmagic", "BRAW", ".braw clips gevonden", ".braw clips found", "BMD");

    if (p.hasDirectory("DCIM/100GOPRO") ||
        any(samples, [](const std::string& n) { return n.starts_with("GX") || n.starts_with("GOPR"); }))
        return make("GoPro", "MP4", "Map DCIM/100GOPRO gevonden", "DCIM/100GOPRO folder found", "GOPRO");

    if (any(samples, [](const std::string& n) { return Text::uppercased(n).starts_with("DJI_"); }) ||
        any(p.directoryPaths, [](const std::string& d) { return d.starts_with("DCIM/DJI_") || d == "DCIM/100MEDIA"; }))
        return make("DJI", "MP4 / MOV", "DJI-bestandsnamen in DCIM", "DJI file names in DCIM", "DJI");

    if (p.count("insv") > 0)
        return make("Insta360", "INSV", ".insv clips gevonden", ".insv clips found", "INSTA360");
    if (p.hasDirectory("PRIVATE/AVCHD"))
        return make("AVCHD", "MTS", "Map PRIVATE/AVCHD gevonden", "PRIVATE/AVCHD folder found", "AVCHD");
    if (p.hasDirectory("DCIM"))
        return make("Camera", "DCIM", "Map DCIM gevonden", "DCIM folder found", "CAM");
    if (p.videoFileCount() == 0 && p.audioFileCount > 0)
        return CameraMatch{L("Geluidsrecorder", "Sound recorder"), "WAV", L("Alleen audiobestanden", "Audio files only"),
                           "SOUND"};
    return std::nullopt;
}

std::optional<std::string> CameraSignatures::ownReelFolder(const ContentProbe& p) {
    const std::string* only = nullptr;
    for (const std::string& name : p.rootNames) {
        if (name.starts_with('.')) continue;
        if (only != nullptr) return std::nullopt;
        only = &name;
    }
    if (only == nullptr) return std::nullopt;
    if (arriReelFolder().matches(*only) || redMag().matches(*only)) return *only;
    return std::nullopt;
}

std::optional<std::string> CameraSignatures::reelFromVolumeName(std::string_view upperCasedName) {
    if (auto m = reelVolume().match(upperCasedName, 2)) return (*m)[1] + (*m)[2];
    return std::nullopt;
}

std::optional<std::string> CameraSignatures::reelName(std::string_view volumeName, const ContentProbe* p) {
    if (p != nullptr) {
        for (const std::string& name : p->rootNames) {
            if (auto m = arriReelFolder().match(name, 1)) return Text::uppercased((*m)[1]);
            if (auto m = redMag().match(name, 1)) return Text::uppercased((*m)[1]);
        }
        for (const std::string& name : p->sampleVideoNames) {
            if (auto m = bmdClip().match(name, 1)) return (*m)[1];
            if (auto m = arriClip().match(name)) {
                const std::u32string scalars = Text::decode((*m)[0]);
                return Text::encode(std::u32string_view(scalars).substr(0, 4));
            }
        }
    }
    return reelFromVolumeName(Text::uppercased(volumeName));
}

}  // namespace quillane
