#pragma once
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Template/ExtraFolder.h"
#include "Template/TemplateContext.h"
#include "Template/TemplatePart.h"
#include "Template/TemplateToken.h"

namespace quillane {

// A destination folder structure: the path pattern of camera cards ("/"-separated levels with
// tags such as {PROJECT} and {ROLL}), the extra fixed folders, and an optional pattern for
// sound-recorder cards (sound cards use the camera pattern when it is absent).
struct FolderTemplate {
    std::string pattern;
    std::vector<ExtraFolder> extraFolders;
    std::optional<std::string> soundPattern;

    bool operator==(const FolderTemplate&) const = default;

    // "{PROJECT}/FOOTAGE/{ROLL}", no extra folders, no sound pattern.
    static const FolderTemplate& defaultTemplate();
    // From edited lists: the levels joined with "/"; a sound pattern only when a list is given
    // (an empty list gives an empty sound pattern). Nothing is trimmed, checked or sanitized.
    static FolderTemplate fromLevels(const std::vector<std::string>& levels,
                                     std::vector<ExtraFolder> extraFolders = {},
                                     const std::optional<std::vector<std::string>>& soundLevels = std::nullopt);

    // --- tags and levels --------------------------------------------------------
    // The seven tags, labels in the current language, built anew at every call.
    static std::vector<TemplateToken> tokens();
    static std::optional<TemplateToken> token(std::string_view key);
    static bool isKnownKey(std::string_view key);
    // The levels of a pattern: split at "/", trimmed of horizontal white space, empty ones dropped.
    static std::vector<std::string> segments(std::string_view pattern);
    // The literal and tag parts of one level.
    static std::vector<TemplatePart> parts(std::string_view level);
    // Joins parts into a level; a "/" in literal text becomes "-".
    static std::string segment(const std::vector<TemplatePart>& parts);
    // One level as a folder name: tag values sanitized, unknown tags kept as "{KEY}", the whole
    // sanitized once more. Never empty, never "." or "..", never holds "/".
    static std::string resolve(std::string_view segment, const TemplateContext& context);

    // Any text as a safe file or folder name, never empty: path separators, characters other
    // systems forbid, and control and format characters become "-"; white space is trimmed at
    // both ends, trailing dots are removed; nothing left gives "_". There is no length limit.
    static std::string sanitize(std::string_view text);

    // --- members ------------------------------------------------------------------
    std::vector<std::string> levels() const;
    std::vector<std::string> soundLevels() const;
    bool containsRoll() const;
    std::optional<std::size_t> rollSegmentIndex() const;
    // True when "{key}" occurs in the pattern, the sound pattern or an extra folder's name.
    bool uses(std::string_view key) const;
    // The upper-cased levels without any tag: folder names that are the same for every card.
    std::set<std::string> fixedFolderNames() const;
    // Validation messages in the current language; empty for a usable template.
    std::vector<std::string> problems() const;

    // The card (roll) folder path below a destination's base folder, level by level.
    std::vector<std::string> resolve(const TemplateContext& context) const;
    std::vector<std::string> resolveSound(const TemplateContext& context) const;
    // One full path per extra folder with at least one level.
    std::vector<std::vector<std::string>> resolveExtras(const TemplateContext& context) const;

    // --- stored form ----------------------------------------------------------------
    // {"pattern", "extraFolders", and "soundPattern" only when set}.
    nlohmann::json toJSON() const;
    // Lenient: only a missing or non-string "pattern" fails (no value); a bad sound pattern or
    // unreadable extra folders are lost alone. Extra folders stored as plain strings (an older
    // form) become folders below the project level. Never throws.
    static std::optional<FolderTemplate> decode(const nlohmann::json& json);
    // The same, throwing nlohmann::json::exception where decode gives no value.
    static FolderTemplate fromJSON(const nlohmann::json& json);
};

void to_json(nlohmann::json& json, const FolderTemplate& folderTemplate);
void from_json(const nlohmann::json& json, FolderTemplate& folderTemplate);

}  // namespace quillane
