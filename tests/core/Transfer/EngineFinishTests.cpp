#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "Support/Lang.h"
#include "Support/Markup.h"
#include "support/FaultyFileIO.h"
#include "support/Scopes.h"

namespace quillane {
namespace {

using namespace enginetest;
using testing::FaultyFileIO;
using testing::TempDir;
using testing::readFile;
using testing::writeFile;
using Call = FaultyFileIO::Call;

std::vector<fs::path> classicManifests(const fs::path& roll) {
    std::vector<fs::path> found;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(roll, ignored))
        if (entry.path().extension() == ".mhl") found.push_back(entry.path());
    return found;
}

class EngineFinish : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        writeFile(card / "CLIPS/A001C001.MOV", bytes(200'000, 1));
        writeFile(card / "CLIPS/A001C002.MOV", bytes(50'000, 2));
        writeFile(card / "A001.xml", "<roll/>");
    }
    TransferJob job(std::vector<fs::path> rolls) {
        TransferJob j = makeJob(card.path(), rolls);
        j.writeMHL = true;
        j.mhlFormat = MHLFormat::both;
        j.report = ReportWriter::Info{"Feature", "A001", 3, "CARD", "ARRI"};
        return j;
    }
};

TEST_F(EngineFinish, WhatEachDestinationGetsDependsOnHowItFared) {
    writeFile(disk / "clash/A001.xml", "another roll's file");
    // Names both manifests carry as they are on disk: é composed and decomposed, markup, an emoji.
    const std::vector<std::string> names{"CLIPS/caf\xc3\xa9.MOV", "CLIPS/cafe\xcc\x81.MOV", "R&D <1>/take \xf0\x9f\x8e\xac.MOV"};
    for (const std::string& name : names) writeFile(card / name, name);
    FaultyFileIO io;
    io.fail({.call = Call::open, .pathContains = at("changed", "CLIPS/A001C002.MOV"), .error = 0, .before = [&] {
                 writeFile(disk / "changed/CLIPS/A001C002.MOV", bytes(50'000, 7));
             }});
    const TransferResult result =
        TransferEngine(job({disk / "good", disk / "changed", disk / "clash", disk / "also"})).run();

    // Came through: both manifests (the ASC one is named), and the report.
    const DestinationResult& good = result.destinations[0];
    ASSERT_TRUE(good.succeeded()) << good.error.value_or("");
    ASSERT_TRUE(good.mhlURL);
    EXPECT_EQ(good.mhlURL->parent_path(), disk / "good/ascmhl");
    EXPECT_TRUE(fs::exists(*good.mhlURL));
    EXPECT_TRUE(fs::exists(disk / "good/ascmhl/ascmhl_chain.xml"));
    ASSERT_EQ(classicManifests(disk / "good").size(), 1u);
    const std::string asc = readFile(*good.mhlURL), classic = readFile(classicManifests(disk / "good")[0]);
    for (const std::string& name : names) {
        const std::string escaped = Markup::escape(name);
        EXPECT_NE(asc.find(std::string(">").append(escaped).append("</path>")), std::string::npos) << name;
        EXPECT_NE(classic.find(std::string("<file>").append(escaped).append("</file>")), std::string::npos) << name;
    }
    EXPECT_EQ(good.reportURL, disk / "good/A001_report.html");
    const std::string report = readFile(*good.reportURL);
    EXPECT_NE(report.find("A001C002.MOV"), std::string::npos);

    // All destinations of one run carry the same finishing date.
    ASSERT_EQ(classicManifests(disk / "also").size(), 1u);
    EXPECT_EQ(classicManifests(disk / "also")[0].filename(), classicManifests(disk / "good")[0].filename());

    // A failed read-back: the report says so, and no manifest vouches for the copy.
    const DestinationResult& changed = result.destinations[1];
    EXPECT_EQ(changed.failedFiles, std::vector<std::string>{"CLIPS/A001C002.MOV"});
    EXPECT_FALSE(changed.mhlURL);
    EXPECT_FALSE(fs::exists(disk / "changed/ascmhl"));
    EXPECT_TRUE(classicManifests(disk / "changed").empty());
    EXPECT_TRUE(changed.reportURL && fs::exists(*changed.reportURL));

    // An error: neither.
    const DestinationResult& clash = result.destinations[2];
    EXPECT_EQ(clash.error, "Already exists with different content: A001.xml");
    EXPECT_FALSE(clash.mhlURL);
    EXPECT_FALSE(clash.reportURL);
    EXPECT_FALSE(fs::exists(disk / "clash/A001_report.html"));
}

TEST_F(EngineFinish, AManifestThatCannotBeWrittenFailsItsDestination) {
    FaultyFileIO io;
    io.fail({.call = Call::rename, .pathContains = at("classic", "A001_2")});  // the MHL 1.1 file
    io.fail({.call = Call::rename, .pathContains = at("asc", "ascmhl/")});
    const TransferResult result = TransferEngine(job({disk / "classic", disk / "asc"})).run();

    const DestinationResult& classic = result.destinations[0];
    ASSERT_TRUE(classic.error);
    EXPECT_TRUE(classic.error->starts_with("Can't write MHL: ")) << *classic.error;
    EXPECT_FALSE(classic.mhlURL);
    EXPECT_FALSE(fs::exists(disk / "classic/ascmhl"));  // not attempted after the MHL 1.1 failure
    EXPECT_FALSE(classic.reportURL);

    const DestinationResult& asc = result.destinations[1];
    ASSERT_TRUE(asc.error);
    EXPECT_TRUE(asc.error->starts_with("Can't write MHL: "));
    ASSERT_TRUE(asc.mhlURL);
    EXPECT_EQ(asc.mhlURL->extension(), ".mhl");
    EXPECT_FALSE(asc.reportURL);
    EXPECT_EQ(result.destinations[1].verifiedFiles, 3);

    // In Dutch the text is Dutch throughout; only the path and the system's text are not.
    testing::LanguageScope dutch(AppLanguage::nl);
    io.fail({.call = Call::rename, .pathContains = at("nl", "A001_2")});
    const auto nl = TransferEngine(job({disk / "nl"})).run().destinations[0].error;
    ASSERT_TRUE(nl);
    EXPECT_TRUE(nl->starts_with("Kan MHL niet schrijven: " + at("nl", "A001_2"))) << *nl;
    EXPECT_TRUE(nl->ends_with(".mhl: Input/output error")) << *nl;
}

// The result's marks describe one moment: the look at the stop request before the manifests. A
// stop after it finds every destination finished (read back, manifests on their way), and the
// run stays finished: manifests, reports, no cancel and no pause. A stop before it is a stop.
TEST_F(EngineFinish, StopsAndSourceErrorsDecideWhatIsWritten) {
    struct Case {
        const char* name;
        bool pause;
        Call call;
        const char* file;  // on the first destination
        bool finished;
    };
    const Case cases[] = {
        {"a cancel while manifests are written", false, Call::rename, "A001_2", true},
        {"a pause while manifests are written", true, Call::rename, "A001_2", true},
        {"a pause while the report is written", true, Call::rename, "A001_report.html", true},
        {"a pause during read-back", true, Call::open, "CLIPS/A001C002.MOV", false},
        {"a cancel during read-back", false, Call::open, "CLIPS/A001C002.MOV", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string one = std::string("one-") + std::to_string(&c - cases);
        TransferEngine engine(job({disk / one, disk / (one + "-two")}));
        FaultyFileIO io;
        io.fail({.call = c.call, .pathContains = at(one.c_str(), c.file), .error = 0, .once = true, .before = [&] {
                     if (c.pause) engine.pause();
                     else engine.cancel();
                 }});
        const TransferResult result = engine.run();
        EXPECT_EQ(result.cancelled, !c.finished);
        EXPECT_EQ(result.paused, c.pause && !c.finished);
        EXPECT_EQ(result.allSucceeded(), c.finished);
        for (const DestinationResult& d : result.destinations) {
            EXPECT_EQ(d.mhlURL.has_value(), c.finished);
            EXPECT_EQ(d.reportURL.has_value(), c.finished);
            if (c.finished) {
                EXPECT_EQ(d.verifiedFiles, 3);
            }
        }
    }
    {  // a source error: no read-back, no manifest, no report
        FaultyFileIO io;
        io.fail({.call = Call::open, .pathContains = (card / "CLIPS/A001C002.MOV").string(), .error = EIO});
        const TransferResult result = TransferEngine(job({disk / "three"})).run();
        ASSERT_TRUE(result.sourceError);
        EXPECT_FALSE(result.destinations[0].mhlURL);
        EXPECT_FALSE(result.destinations[0].reportURL);
        EXPECT_FALSE(fs::exists(disk / "three/ascmhl"));
        EXPECT_EQ(result.destinations[0].verifiedFiles, 0);
    }
}

}  // namespace
}  // namespace quillane
