#include "Template/FolderTemplate.h"

#include <algorithm>
#include <array>

#include "Support/Lang.h"
#include "Support/Text.h"

namespace quillane {
namespace {

constexpr std::array<std::string_view, 7> knownKeys{"PROJECT", "ROLL", "DAY", "DATE", "CAM", "CAMERA", "CARD"};

bool contains(std::string_view text, std::string_view needle) { return text.find(needle) != std::string_view::npos; }

}  // namespace

std::string FolderTemplate::sanitize(std::string_view text) {
    std::u32string scalars = Text::decode(text);
    for (char32_t& c : scalars) {
        switch (c) {
            case U'/': case U'\\': case U':': case U'*': case U'?': case U'"': case U'<': case U'>': case U'|':
                c = U'-';
                break;
            default:
                if (Text::isControlOrFormat(c)) c = U'-';
        }
    }
    std::size_t begin = 0, end = scalars.size();
    while (begin < end && Text::isHorizontalSpace(scalars[begin])) ++begin;
    while (end > begin && Text::isHorizontalSpace(scalars[end - 1])) --end;
    while (end > begin && scalars[end - 1] == U'.') --end;
    if (begin == end) return "_";
    return Text::encode(std::u32string_view(scalars).substr(begin, end - begin));
}

const FolderTemplate& FolderTemplate::defaultTemplate() {
    static const FolderTemplate value{"{PROJECT}/FOOTAGE/{ROLL}", {}, std::nullopt};
    return value;
}

FolderTemplate FolderTemplate::fromLevels(const std::vector<std::string>& levels, std::vector<ExtraFolder> extraFolders,
                                          const std::optional<std::vector<std::string>>& soundLevels) {
    FolderTemplate made{Text::joined(levels, "/"), std::move(extraFolders), std::nullopt};
    if (soundLevels) made.soundPattern = Text::joined(*soundLevels, "/");
    return made;
}

// --- tags and levels ---------------------------------------------------------------

std::vector<TemplateToken> FolderTemplate::tokens() {
    return {
        {"PROJECT", L("Project", "Project"), "Zomercampagne", "film"},
        {"ROLL", L("Roll", "Roll"), "A001", "sdcard"},
        {"DAY", L("Draaidag", "Shoot day"), "01", "calendar.day.timeline.left"},
        {"DATE", L("Datum", "Date"), "2026-10-09", "calendar"},
        {"CAM", L("Camera-letter", "Camera letter"), "A", "video"},
        {"CAMERA", L("Cameramerk", "Camera brand"), "SONY", "camera"},
        {"CARD", L("Kaartnaam", "Card name"), "FX3_CARD", "tag"},
    };
}

std::optional<TemplateToken> FolderTemplate::token(std::string_view key) {
    for (auto& token : tokens())
        if (token.key == key) return token;
    return std::nullopt;
}

bool FolderTemplate::isKnownKey(std::string_view key) {
    return std::find(knownKeys.begin(), knownKeys.end(), key) != knownKeys.end();
}

std::vector<std::string> FolderTemplate::segments(std::string_view pattern) {
    std::vector<std::string> levels;
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t slash = pattern.find('/', start);
        if (slash == std::string_view::npos) slash = pattern.size();
        std::string level = Text::trimHorizontalSpace(pattern.substr(start, slash - start));
        if (!level.empty()) levels.push_back(std::move(level));
        start = slash + 1;
    }
    return levels;
}

std::vector<TemplatePart> FolderTemplate::parts(std::string_view level) {
    std::vector<TemplatePart> out;
    std::size_t at = 0;
    while (at < level.size()) {
        const std::size_t open = level.find('{', at);
        if (open == std::string_view::npos) {
            out.push_back(TemplatePart::text(std::string(level.substr(at))));
            break;
        }
        const std::size_t close = level.find('}', open + 1);
        if (close == std::string_view::npos) {
            out.push_back(TemplatePart::text(std::string(level.substr(at))));
            break;
        }
        if (open > at) out.push_back(TemplatePart::text(std::string(level.substr(at, open - at))));
        out.push_back(TemplatePart::token(std::string(level.substr(open + 1, close - open - 1))));
        at = close + 1;
    }
    return out;
}

std::string FolderTemplate::segment(const std::vector<TemplatePart>& parts) {
    std::string out;
    for (const auto& part : parts) {
        if (part.isToken()) {
            out += '{';
            out += part.value;
            out += '}';
        } else {
            std::string literal = part.value;
            std::replace(literal.begin(), literal.end(), '/', '-');
            out += literal;
        }
    }
    return out;
}

std::string FolderTemplate::resolve(std::string_view segment, const TemplateContext& context) {
    std::string out;
    for (const auto& part : parts(segment)) {
        if (!part.isToken()) {
            out += part.value;
        } else if (auto value = context.value(part.value)) {
            out += sanitize(*value);
        } else {
            out += '{';
            out += part.value;
            out += '}';
        }
    }
    return sanitize(out);
}

// --- members -------------------------------------------------------------------------

std::vector<std::string> FolderTemplate::levels() const { return segments(pattern); }

std::vector<std::string> FolderTemplate::soundLevels() const { return segments(soundPattern ? *soundPattern : pattern); }

bool FolderTemplate::containsRoll() const { return contains(pattern, "{ROLL}"); }

std::optional<std::size_t> FolderTemplate::rollSegmentIndex() const {
    const auto all = levels();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (contains(all[i], "{ROLL}")) return i;
    return std::nullopt;
}

bool FolderTemplate::uses(std::string_view key) const {
    const std::string placeholder = std::string("{").append(key).append("}");
    if (contains(pattern, placeholder)) return true;
    if (soundPattern && contains(*soundPattern, placeholder)) return true;
    return std::any_of(extraFolders.begin(), extraFolders.end(),
                       [&](const ExtraFolder& folder) { return contains(folder.name, placeholder); });
}

std::set<std::string> FolderTemplate::fixedFolderNames() const {
    std::vector<std::string> all = levels();
    for (auto& level : soundLevels()) all.push_back(std::move(level));
    for (const auto& folder : extraFolders)
        for (auto& level : segments(folder.name)) all.push_back(std::move(level));
    std::set<std::string> names;
    for (const auto& level : all)
        if (level.find('{') == std::string::npos) names.insert(Text::uppercased(level));
    return names;
}

std::vector<std::string> FolderTemplate::problems() const {
    std::vector<std::string> messages;
    const auto cardLevels = levels();
    if (cardLevels.empty())
        messages.push_back(L("Er is nog geen map.", "There's no folder yet."));
    else if (!containsRoll())
        messages.push_back(L("Voeg een Roll toe — anders komen alle kaarten in dezelfde map.",
                             "Add a Roll — otherwise all cards end up in the same folder."));
    auto reportUnknown = [&](std::string_view text) {
        for (const auto& part : parts(text))
            if (part.isToken() && !isKnownKey(part.value))
                messages.push_back(L("Onbekende tag {" + part.value + "}.", "Unknown tag {" + part.value + "}."));
    };
    for (const auto& level : cardLevels) reportUnknown(level);
    for (const auto& folder : extraFolders) reportUnknown(folder.name);
    return messages;
}

std::vector<std::string> FolderTemplate::resolve(const TemplateContext& context) const {
    std::vector<std::string> path;
    for (const auto& level : levels()) path.push_back(resolve(level, context));
    return path;
}

std::vector<std::string> FolderTemplate::resolveSound(const TemplateContext& context) const {
    std::vector<std::string> path;
    for (const auto& level : soundLevels()) path.push_back(resolve(level, context));
    return path;
}

std::vector<std::vector<std::string>> FolderTemplate::resolveExtras(const TemplateContext& context) const {
    const auto cardPath = resolve(context);
    std::vector<std::vector<std::string>> paths;
    for (const auto& folder : extraFolders) {
        const auto own = segments(folder.name);
        if (own.empty()) continue;
        std::vector<std::string> path;
        if (folder.parentLevel >= 0) {
            // parentLevel + 1 without overflow: a non-negative int64 plus one always fits uint64.
            const auto wanted = static_cast<std::uint64_t>(folder.parentLevel) + 1;
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, cardPath.size()));
            path.assign(cardPath.begin(), cardPath.begin() + static_cast<std::ptrdiff_t>(count));
        }
        for (const auto& level : own) path.push_back(resolve(level, context));
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace quillane
