// Names from cards, users and settings files are hostile input: whatever they hold, the folders a
// template resolves to must stay inside the destination's base folder.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "Support/Text.h"
#include "Template/FolderTemplate.h"
#include "Template/TemplatePreset.h"
#include "support/HostileNames.h"
#include "support/TempDir.h"

using namespace quillane;
namespace fs = std::filesystem;
using Levels = std::vector<std::string>;
using quillane::testing::hostileContext;
using quillane::testing::hostileTemplate;
using quillane::testing::landsInside;


TEST(HostileNames, EveryResolvedPathStaysInsideTheBaseFolder) {
    quillane::testing::TempDir root("quillane-hostile");
    const fs::path base = root / "SSD";
    fs::create_directory(base);
    std::mt19937 rng(20261207);
    int created = 0, tooLong = 0;
    for (int i = 0; i < 3000; ++i) {
        const auto t = hostileTemplate(rng);
        const auto context = hostileContext(rng);
        std::vector<Levels> paths{t.resolve(context), t.resolveSound(context)};
        for (auto& extra : t.resolveExtras(context)) paths.push_back(std::move(extra));
        // Every case is checked by its text; one in ten is also made on disk.
        const bool create = i % 10 == 0;
        for (const auto& path : paths)
            if (!landsInside(base, path, create)) ++tooLong;
            else if (create) ++created;
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "case " << i << " pattern " << t.pattern;
            break;
        }
    }
    // Both outcomes were exercised, and nothing appeared beside the base folder.
    EXPECT_GT(created, 400);
    EXPECT_GT(tooLong, 20);
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 1);
}

TEST(HostileNames, LongNamesAreKeptWholeAndFailToCreate) {
    quillane::testing::TempDir root("quillane-long");
    TemplateContext c;
    c.project = std::string(300, 'x');
    c.roll = "A001";
    const FolderTemplate t{"{PROJECT}/{ROLL}", {}, std::nullopt};
    const auto levels = t.resolve(c);
    EXPECT_EQ(levels, (Levels{std::string(300, 'x'), "A001"}));
    EXPECT_FALSE(landsInside(root.path(), levels));
    EXPECT_TRUE(fs::is_empty(root.path()));

    // Dots and separators in the long name cannot turn it into a parent reference either.
    c.project = std::string(150, '.') + "/" + std::string(150, '.');
    EXPECT_EQ(FolderTemplate::resolve("{PROJECT}", c), std::string(150, '.') + "-");
}
