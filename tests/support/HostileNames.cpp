#include "support/HostileNames.h"

#include <gtest/gtest.h>

#include <limits>

#include "Support/Text.h"
#include "Template/TemplatePreset.h"

namespace quillane::testing {

namespace fs = std::filesystem;
using Levels = std::vector<std::string>;

namespace {

const std::vector<std::string> hostilePieces{
    "/", "..", ".", "\\", std::string(1, '\0'), "\x01", "\x1f", "\x7f", "\t", "\n", "\r", "\xc2\x85", "\xe2\x80\xa8",
    "\xe2\x80\x8b", "\xef\xbb\xbf", "\xe2\x80\xae", "\xff", "\xc0\xaf", "\xe0\x80\xae", "\xed\xa0\x80", "\xf4\x90\x80\x80",
    "\xe2\x88\x95", " ", "\xc2\xa0", "{ROLL}", "{PROJECT}", "{DAY}", "{", "}", "~", "$HOME", "*", "?", ":", "|", "\"",
    "A", "\xc3\xa9", "\xe6\x97\xa5\xe6\x9c\xac", "\xf0\x9f\x8e\xac", "con", ".hidden", "../../etc", "-"};

}  // namespace

std::string hostileName(std::mt19937& rng) {
    std::string name;
    if (rng() % 8 == 0) {
        // A long run: 300 characters of one or two bytes each, dots and slashes among them.
        const std::string alphabet[] = {"a", "\xc3\xa9", ".", "/", " "};
        for (int i = 0; i < 300; ++i) name += alphabet[rng() % 5];
        return name;
    }
    for (int n = static_cast<int>(rng() % 10); n > 0; --n) name += hostilePieces[rng() % hostilePieces.size()];
    return name;
}

std::int64_t hostileNumber(std::mt19937& rng) {
    const std::int64_t edges[] = {std::numeric_limits<std::int64_t>::min(), -1, 0, 1, 2, 5,
                                  std::numeric_limits<std::int64_t>::max()};
    return rng() % 2 ? edges[rng() % 7] : static_cast<std::int64_t>(rng()) - (1 << 30);
}

TemplateContext hostileContext(std::mt19937& rng) {
    TemplateContext c;
    c.project = hostileName(rng);
    c.roll = hostileName(rng);
    c.cameraLetter = hostileName(rng);
    c.camera = hostileName(rng);
    c.card = hostileName(rng);
    c.day = hostileNumber(rng);
    c.date = std::chrono::system_clock::time_point(std::chrono::seconds(static_cast<std::int64_t>(rng()) - (1ll << 31)));
    c.dateFormat = rng() % 2 ? "yyyy/MM/dd" : hostileName(rng);
    return c;
}

FolderTemplate hostileTemplate(std::mt19937& rng) {
    switch (rng() % 5) {
        case 0: return TemplatePreset::all()[0].folderTemplate;
        case 1: return TemplatePreset::all()[1].folderTemplate;
        case 2: return TemplatePreset::customStarter();
        default: break;
    }
    const std::string tags[] = {"{PROJECT}", "{ROLL}", "{DAY}", "{DATE}", "{CAM}", "{CAMERA}", "{CARD}"};
    auto pattern = [&] {
        std::string text;
        for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n)
            text += (rng() % 2 ? tags[rng() % 7] : hostileName(rng)) + "/";
        return text;
    };
    FolderTemplate t{pattern(), {}, std::nullopt};
    if (rng() % 2) t.soundPattern = pattern();
    for (int n = static_cast<int>(rng() % 4); n > 0; --n) t.extraFolders.push_back({hostileNumber(rng), pattern()});
    return t;
}

bool landsInside(const fs::path& base, const Levels& levels, bool create) {
    fs::path folder = base;
    for (const auto& level : levels) {
        EXPECT_FALSE(level.empty());
        EXPECT_NE(level, ".");
        EXPECT_NE(level, "..");
        EXPECT_TRUE(Text::isValidUtf8(level)) << level;
        for (unsigned char byte : level) EXPECT_TRUE(byte >= 0x20 && byte != 0x7f && byte != '/') << level;
        folder /= level;
    }
    const auto normal = folder.lexically_normal();
    const auto relative = normal.lexically_relative(base);
    EXPECT_TRUE(relative == "." || (*relative.begin() != ".." && normal.string().rfind(base.string() + "/", 0) == 0))
        << folder;
    EXPECT_EQ(std::distance(relative.begin(), relative.end()), levels.empty() ? 1 : std::ptrdiff_t(levels.size()));

    if (!create) return true;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        // Names longer than the file system allows are kept whole; making them is an error, never an escape.
        EXPECT_EQ(error, std::errc::filename_too_long) << error.message() << " " << folder;
        return false;
    }
    const auto real = fs::canonical(folder);
    EXPECT_EQ(real.string().rfind(fs::canonical(base).string(), 0), 0u) << real;
    return true;
}

}  // namespace quillane::testing
