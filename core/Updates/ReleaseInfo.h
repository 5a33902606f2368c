#pragma once
#include <optional>
#include <string>
#include <utility>

namespace quillane {

// The newest release as the version feed describes it.
struct ReleaseInfo {
    ReleaseInfo() = default;
    ReleaseInfo(std::string version, std::string url, std::optional<std::string> notes = std::nullopt,
                std::optional<std::string> notesNL = std::nullopt,
                std::optional<std::string> minimumSystem = std::nullopt)
        : version(std::move(version)), url(std::move(url)), notes(std::move(notes)), notesNL(std::move(notesNL)),
          minimumSystem(std::move(minimumSystem)) {}

    std::string version;  // dotted numbers, "1.0.1"
    std::string url;      // the web page where the release can be downloaded (http or https)
    std::optional<std::string> notes;    // English
    std::optional<std::string> notesNL;  // Dutch
    std::optional<std::string> minimumSystem;  // lowest system version it runs on, dotted

    // The notes in the current language, else the other language's; none when empty.
    std::optional<std::string> localizedNotes() const;

    friend bool operator==(const ReleaseInfo&, const ReleaseInfo&) = default;
};

}  // namespace quillane
