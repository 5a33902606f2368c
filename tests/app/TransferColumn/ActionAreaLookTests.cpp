#include <gtest/gtest.h>

#include <algorithm>

#include "support/Scopes.h"
#include "Views/TransferColumn/ActionAreaLook.h"

using namespace quillane;
using quillane::testing::LanguageScope;
using S = TransferState;
using B = ActionButton;
using Line = ActionAreaLook::Line;
using Detail = ActionAreaLook::Detail;

namespace {

TransferProgress snapshot(TransferPhase phase, int filesTotal = 1400) {
    TransferProgress progress;
    progress.phase = phase;
    progress.currentFile = "A001/CLIP<1>.mov";
    progress.filesDone = std::min(12, filesTotal);
    progress.filesTotal = filesTotal;
    return progress;
}

TransferResult withReports(std::vector<std::optional<std::filesystem::path>> reports) {
    TransferResult result;
    for (auto& report : reports) {
        DestinationResult destination;
        destination.reportURL = std::move(report);
        result.destinations.push_back(std::move(destination));
    }
    return result;
}

}  // namespace

TEST(ActionArea, ButtonsAndLinesFollowTheState) {
    const TransferProgress preparing = snapshot(TransferPhase::preparing);
    const TransferProgress copying = snapshot(TransferPhase::copying);
    const TransferProgress verifying = snapshot(TransferPhase::verifying);
    const TransferProgress oneFile = snapshot(TransferPhase::copying, 1);
    const TransferResult twoReports = withReports({std::nullopt, "/media/B/report.html", "/media/C/report.html"});
    const TransferResult noReports = withReports({std::nullopt, std::nullopt});

    struct Case {
        const char* name;
        ActionAreaInput input;
        AppLanguage language;
        ActionAreaLook expected;
    };
    const Case cases[] = {
        {"idle, ready", {.state = S::idle, .transferAvailable = true}, AppLanguage::en, {{B::transfer}, true, Line{"All set"}, {}, {}}},
        {"idle, folders to make", {.state = S::idle, .transferAvailable = true, .foldersMissing = true}, AppLanguage::nl,
         {{B::transfer}, true, Line{"Mappen worden eerst aangemaakt"}, {}, {}}},
        {"idle, blocked", {.state = S::idle, .blockReason = "Not enough space on SSD <A>", .foldersMissing = true}, AppLanguage::en,
         {{B::transfer}, false, Line{"Not enough space on SSD <A>", Tone::tertiary}, {}, {}}},
        {"running before a snapshot", {.state = S::running}, AppLanguage::en, {{B::pause, B::stop}, false, {}, {}, {}}},
        {"preparing reads back", {.state = S::running, .progress = &preparing}, AppLanguage::en,
         {{B::pause, B::stop}, false, {}, Detail{"A001/CLIP<1>.mov", "Every copy is read back and compared"}, {}}},
        {"copying counts files", {.state = S::running, .progress = &copying}, AppLanguage::nl,
         {{B::pause, B::stop}, false, {}, Detail{"A001/CLIP<1>.mov", "12 van 1400 bestanden"}, {}}},
        {"a card of one file", {.state = S::running, .progress = &oneFile}, AppLanguage::en,
         {{B::pause, B::stop}, false, {}, Detail{"A001/CLIP<1>.mov", "1 of 1 file"}, {}}},
        {"verifying", {.state = S::running, .progress = &verifying}, AppLanguage::nl,
         {{B::pause, B::stop}, false, {}, Detail{"A001/CLIP<1>.mov", "Elke kopie wordt teruggelezen en vergeleken"}, {}}},
        {"no read-back without verification", {.state = S::running, .progress = &verifying, .transferVerifies = false},
         AppLanguage::en, {{B::pause, B::stop}, false, {}, Detail{"A001/CLIP<1>.mov", "12 of 1400 files"}, {}}},
        {"paused", {.state = S::paused}, AppLanguage::en, {{B::resume, B::discard}, false, {}, {}, {}}},
        {"succeeded with card and reports", {.state = S::succeeded, .lastResult = &twoReports, .selectedSourceConnected = true}, AppLanguage::en,
         {{B::eject, B::report, B::nextCard}, false, {}, {}, "/media/B/report.html"}},
        {"succeeded, card gone, no reports", {.state = S::succeeded, .lastResult = &noReports}, AppLanguage::en,
         {{B::nextCard}, false, {}, {}, {}}},
        {"failed never ejects", {.state = S::failed, .lastResult = &twoReports, .selectedSourceConnected = true}, AppLanguage::en,
         {{B::report, B::close}, false, {}, {}, "/media/B/report.html"}},
        {"cancelled never ejects", {.state = S::cancelled, .selectedSourceConnected = true}, AppLanguage::en,
         {{B::close}, false, {}, {}, {}}},
    };
    for (const Case& c : cases) {
        LanguageScope language(c.language);
        const ActionAreaLook content = actionArea(c.input);
        EXPECT_EQ(content.buttons, c.expected.buttons) << c.name;
        EXPECT_EQ(content.transferEnabled, c.expected.transferEnabled) << c.name;
        EXPECT_EQ(content.status, c.expected.status) << c.name;
        EXPECT_EQ(content.detail, c.expected.detail) << c.name;
        EXPECT_EQ(content.report, c.expected.report) << c.name;
    }
}
