#include <gtest/gtest.h>

#include <sys/mount.h>

#include "Model/DemoDrives.h"
#include "Model/PathRules.h"
#include "support/Scopes.h"
#include "support/TmpfsMount.h"
#include "support/app/ModelRig.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;
using testing::FakeVolume;
using testing::LanguageScope;
using testing::ModelRig;
using testing::writeFile;

const DriveState& drive(const AppModel& model, const std::string& id) {
    for (const DriveState& d : model.drives())
        if (d.info.id == id) return d;
    throw std::runtime_error("no drive " + id);
}

bool hasText(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Files below the project folder Alpha on the rig's SSDs, by drive folder name.
using ProjectFiles = std::vector<std::pair<std::string, std::string>>;

void writeProjectFiles(ModelRig& rig, const ProjectFiles& files) {
    for (const auto& [ssd, file] : files) writeFile(rig.root / ssd / "Alpha" / file, "x");
}

TEST(ModelRolls, CountedRollsSkipRollFoldersWithAVisibleItemOnAnActiveDestination) {
    LanguageScope language;
    struct Case {
        ProjectFiles files;
        bool soundCard;
        bool switchOffB;
        std::string expected;
    };
    const std::vector<Case> cases{
        {{}, false, false, "A001"},
        {{{"SSD_A", "FOOTAGE/A001/x.mp4"}, {"SSD_B", "FOOTAGE/A002/y.mp4"}}, false, false, "A003"},
        {{{"SSD_A", "FOOTAGE/A007/.DS_Store"}}, false, false, "A001"},
        {{{"SSD_A", "FOOTAGE/A007/.DS_Store"}, {"SSD_B", "FOOTAGE/A007/clip.mov"}}, false, false, "A008"},
        {{{"SSD_B", "FOOTAGE/A004/clip.mov"}}, false, true, "A001"},
        // Sound rolls go to the template's sound folder and are counted there, apart.
        {{{"SSD_A", "FOOTAGE/A003/clip.mov"}, {"SSD_A", "FOOTAGE/S004/clip.mov"}}, true, false, "S001"},
        {{{"SSD_A", "FOOTAGE/A003/clip.mov"}, {"SSD_B", "SOUND/S001/take.wav"}}, true, false, "S002"},
    };
    for (const Case& c : cases) {
        ModelRig rig;
        rig.model().changeSettings([](AppSettings& settings) { settings.useCardReelName = false; });
        writeProjectFiles(rig, c.files);
        const fs::path sound = rig.root / "ZOOM";
        writeFile(sound / "TAKE_01.WAV", std::string(4000, 's'));
        std::vector<DriveInfo> volumes = rig.all();
        if (c.soundCard) volumes[0] = ModelRig::cardInfo(sound, "ZOOM", "ZOOM-1");
        rig.mount(volumes);
        if (c.switchOffB) rig.model().toggleDestination(drive(rig.model(), "SSD-B"));
        EXPECT_EQ(rig.model().rollName(), c.expected) << c.expected;
        EXPECT_EQ(rig.model().rollOrigin(), RollOrigin::counted);
    }
}

TEST(ModelRolls, TheCardsReelNameWhenAskedAndAnOverrideAboveIt) {
    LanguageScope language;
    for (const bool reelSetting : {true, false}) {
        ModelRig rig;
        rig.model().changeSettings([&](AppSettings& settings) { settings.useCardReelName = reelSetting; });
        rig.mount({ModelRig::cardInfo(rig.card, "B003_SONY", "CARD-1"), rig.all()[1]});
        AppModel& model = rig.model();
        EXPECT_EQ(model.rollName(), reelSetting ? "B003" : "A001");
        EXPECT_EQ(model.rollOrigin(), reelSetting ? RollOrigin::card : RollOrigin::counted);
        model.stepRoll(2);
        EXPECT_EQ(model.rollName(), reelSetting ? "B005" : "A003");
        EXPECT_EQ(model.rollOrigin(), RollOrigin::manual);
        model.clearRollOverride();
        EXPECT_EQ(model.rollName(), reelSetting ? "B003" : "A001");
    }
}

TEST(ModelRolls, StepsPicksAndShootDays) {
    LanguageScope language;
    ModelRig rig;
    rig.model().changeSettings([](AppSettings& settings) { settings.useCardReelName = false; });
    rig.mountAll();
    AppModel& model = rig.model();
    model.stepRoll(-1);
    EXPECT_EQ(model.rollName(), "A001") << "never below 1";
    for (const std::string roll : {"C001", "C002", "C003"}) writeFile(rig.ssdA / "Alpha/FOOTAGE" / roll / "f", "x");
    model.pickCameraLetter("C");
    EXPECT_EQ(model.rollName(), "C004");
    EXPECT_EQ(model.rollOrigin(), RollOrigin::manual);
    EXPECT_EQ(model.shootDay(), 1);
    model.stepShootDay(-5);
    EXPECT_EQ(model.shootDay(), 1);
    model.stepShootDay(2);
    EXPECT_EQ(model.shootDay(), 3);
    EXPECT_EQ(model.plans()[0].nodes.back().url, rig.ssdA / "Alpha/FOOTAGE/C004");
}

TEST(ModelPlans, PlanShowsTheTreeTheMissingFoldersAndNeverReplacesAFileInTheWay) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.model().changeSettings([](AppSettings& settings) { settings.useCardReelName = false; });
    writeFile(rig.ssdB / "Alpha/FOOTAGE", "a file where a folder should be");
    rig.mountAll();
    AppModel& model = rig.model();
    ASSERT_EQ(model.plans().size(), 2u);
    const DestinationPlan& a = model.plans()[0];
    ASSERT_EQ(a.nodes.size(), 3u);
    EXPECT_EQ(a.nodes[2].name, "A001");
    EXPECT_TRUE(a.nodes[2].isTarget);
    EXPECT_EQ(a.rollURL, rig.ssdA / "Alpha/FOOTAGE/A001");
    EXPECT_EQ(a.missing,
              (std::vector<fs::path>{rig.ssdA / "Alpha", rig.ssdA / "Alpha/FOOTAGE", rig.ssdA / "Alpha/FOOTAGE/A001"}));
    const DestinationPlan& b = model.plans()[1];
    EXPECT_TRUE(b.nodes[0].exists);
    EXPECT_FALSE(b.nodes[1].exists) << "a file named like the folder is no folder";
    EXPECT_EQ(b.missing.size(), 2u);

    model.requestFolders(true, true);
    rig.harness.settle();
    ASSERT_TRUE(model.alert().has_value());
    EXPECT_EQ(model.alert()->title, "Creating folders failed");
    EXPECT_TRUE(hasText(model.alert()->message, (rig.ssdB / "Alpha/FOOTAGE").string()));
    EXPECT_EQ(testing::readFile(rig.ssdB / "Alpha/FOOTAGE"), "a file where a folder should be");
    EXPECT_TRUE(rig.harness.engines->jobs.empty());
}

// The reason is worded in the language of the moment it is read.
TEST(ModelPlans, TheSpaceMarginIsExactOnBothSides) {
    for (const std::int64_t extra : {std::int64_t{0}, std::int64_t{1}}) {
        LanguageScope language(AppLanguage::en);
        ModelRig rig;
        const std::int64_t required = 500'006;  // the rig card's three files
        rig.harness.space->set(rig.ssdB, required + AppModel::spaceMargin + extra);
        rig.mountAll();
        Lang::current = AppLanguage::nl;
        ASSERT_EQ(rig.model().plans()[1].requiredBytes, required);
        EXPECT_EQ(rig.model().blockReason(),
                  extra == 0 ? std::optional<std::string>("Te weinig ruimte op SSD_B") : std::nullopt);
    }
}

TEST(ModelPlans, AStoredBaseFolderIsKeptAcrossRestartsAndNeverLeadsOffTheVolume) {
    LanguageScope language;
    struct Case {
        std::string stored;  // empty: chosen with the folder picker
        std::string expected;
    };
    const std::vector<Case> cases{
        {"", "Projects/2024"}, {"../SSD_B", ""}, {"/etc", ""}, {"Projects/../../SSD_B", ""}, {"link-out", ""}};
    for (const Case& c : cases) {
        ModelRig rig;
        fs::create_directories(rig.ssdA / "Projects/2024");
        fs::create_directory_symlink(rig.root.path(), rig.ssdA / "link-out");
        rig.mountAll();
        if (c.stored.empty()) {
            rig.model().chooseDestinationBase(drive(rig.model(), "SSD-A"));
            ASSERT_TRUE(rig.harness.folderPicker->answer(rig.ssdA / "Projects/2024"));
        } else {
            rig.model().changeSettings([&](AppSettings& settings) { settings.destinationBaseFolders["SSD-A"] = c.stored; });
        }
        rig.harness.make().start();
        rig.model().setProject("Alpha");
        rig.mountAll();
        const DestinationPlan& plan = rig.model().plans()[0];
        const fs::path base = c.expected.empty() ? rig.ssdA : rig.ssdA / c.expected;
        EXPECT_EQ(plan.baseURL, base) << c.stored;
        EXPECT_EQ(plan.rollURL.parent_path().parent_path().parent_path(), base) << c.stored;
    }
}

TEST(ModelPlans, DemoPlansTouchNoDisk) {
    LanguageScope language;
    testing::ModelHarness harness;
    AppModel& model = harness.make();
    model.start();
    model.startDemo();
    harness.drain();
    ASSERT_FALSE(model.plans().empty());
    ASSERT_FALSE(model.missingFolders().empty());
    model.requestFolders(false, false);
    model.approveFolderRequest();
    harness.settle();
    EXPECT_TRUE(model.missingFolders().empty()) << "remembered as made";
    for (const DestinationPlan& plan : model.plans())
        for (const FolderNode& node : plan.nodes) EXPECT_TRUE(node.exists) << node.url;
    EXPECT_FALSE(fs::exists(DemoDrives::root()));
}

TEST(ModelStart, BlockReasonsInOrder) {
    struct Case {
        std::function<void(ModelRig&)> setup;
        std::string reason;
    };
    const std::vector<Case> cases{
        {[](ModelRig& rig) { rig.harness.stage().project(""); }, "Choose a project first"},
        {[](ModelRig&) {}, "Connect a card"},
        {[](ModelRig& rig) { rig.mount({rig.all()[0]}); }, "Connect at least one SSD"},
        {[](ModelRig& rig) { rig.harness.volumes->push(rig.all()); }, "Scanning card…"},
        {[](ModelRig& rig) {
             fs::remove_all(rig.card / "PRIVATE");
             fs::create_directories(rig.card / "DCIM");
             rig.mountAll();
         },
         "No files to transfer"},
    };
    for (const Case& c : cases) {
        LanguageScope language(AppLanguage::en);
        ModelRig rig;
        c.setup(rig);
        EXPECT_EQ(rig.model().blockReason(), c.reason);
    }
}

TEST(ModelStart, AnAlreadyTransferredCardIsAskedAboutAndTheAnswerStartsOnlyTheSameCard) {
    LanguageScope language(AppLanguage::en);
    for (const bool cardChanged : {false, true}) {
        ModelRig rig;
        rig.model().changeSettings([](AppSettings& settings) { settings.useCardReelName = false; });
        rig.mountAll();
        AppModel& model = rig.model();
        ASSERT_TRUE(rig.transferAndWait());
        ASSERT_EQ(model.transferState(), TransferState::succeeded);
        model.requestTransfer();
        rig.harness.settle();
        ASSERT_TRUE(model.alert().has_value());
        EXPECT_EQ(model.alert()->title, "This card was already transferred");
        EXPECT_TRUE(hasText(model.alert()->message, " as A001 (Alpha), verified. Transfer again anyway as A002?"));
        if (cardChanged) {
            writeFile(rig.card / "PRIVATE/M4ROOT/CLIP/C0003.MP4", "new");
            model.rescanSource();
            rig.harness.drain();
        }
        model.closeAlert(model.alert()->id, true);
        ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() != TransferState::running; }));
        ASSERT_EQ(rig.harness.engines->jobs.size(), cardChanged ? 1u : 2u);
        EXPECT_EQ(rig.harness.engines->jobs.back().rollName, cardChanged ? "A001" : "A002");
    }
}

TEST(ModelStart, TheNeverOverwriteAlertListsOnlyConflictingSSDsAndProposesTheNextFreeRoll) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    rig.model().changeSettings([](AppSettings& settings) { settings.useCardReelName = false; });
    writeFile(rig.ssdB / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", "other bytes");
    writeFile(rig.ssdA / "Alpha/FOOTAGE/A004/clip.mov", "x");
    rig.mountAll();
    AppModel& model = rig.model();
    EXPECT_EQ(model.rollName(), "A005");
    model.stepRoll(-4);  // the user insists on A001
    model.requestTransfer();
    rig.harness.settle();
    ASSERT_TRUE(model.alert().has_value());
    EXPECT_EQ(model.alert()->title, "A001 already exists");
    EXPECT_TRUE(hasText(model.alert()->message, "SSD_B: 1 file with the same name but different content."));
    EXPECT_FALSE(hasText(model.alert()->message, "SSD_A"));
    EXPECT_EQ(model.alert()->actionTitle, std::optional<std::string>("Use A005"));
    model.closeAlert(model.alert()->id, true);
    rig.harness.settle();
    EXPECT_EQ(model.rollName(), "A005");
    EXPECT_TRUE(rig.harness.engines->jobs.empty()) << "the answer starts nothing";
}

TEST(ModelStart, UsingTheProposedRollLeavesTheCardsOwnReelFolder) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    const fs::path arri = rig.root / "ARRI";
    const std::string clip = "A001R1AB/A001C001_240101_R1AB.mov";
    writeFile(arri / clip, std::string(5000, 'c'));
    writeFile(rig.ssdA / "Alpha/FOOTAGE" / clip, "someone else's clip");
    rig.mount({ModelRig::cardInfo(arri, "ARRI", "ARRI-1"), rig.all()[1]});
    AppModel& model = rig.model();
    ASSERT_EQ(model.plans()[0].rollURL, rig.ssdA / "Alpha/FOOTAGE/A001R1AB");
    model.requestTransfer();
    rig.harness.settle();
    ASSERT_TRUE(model.alert().has_value());
    ASSERT_EQ(model.alert()->actionTitle, std::optional<std::string>("Use A002"));
    model.closeAlert(model.alert()->id, true);
    rig.harness.settle();
    EXPECT_EQ(model.plans()[0].rollURL, rig.ssdA / "Alpha/FOOTAGE/A002");

    model.requestTransfer();
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() != TransferState::running; }));
    EXPECT_FALSE(model.alert().has_value());
    ASSERT_EQ(rig.harness.engines->jobs.size(), 1u);
    EXPECT_EQ(testing::readFile(rig.ssdA / "Alpha/FOOTAGE/A002/A001C001_240101_R1AB.mov"), std::string(5000, 'c'));
    EXPECT_EQ(testing::readFile(rig.ssdA / "Alpha/FOOTAGE" / clip), "someone else's clip");
}

TEST(ModelStart, ADestinationPulledBeforeItsReportFailsTheStartWithAClearMessage) {
    LanguageScope language(AppLanguage::en);
    testing::TmpfsMount ram(8 << 20);
    if (!ram.mounted()) GTEST_SKIP() << ram.reason();
    ModelRig rig;
    rig.harness.space->set(ram.path(), std::int64_t{1} << 40);
    rig.mount({rig.all()[0], rig.all()[1], FakeVolume::ssd(ram.path(), "RAM_SSD", "RAM-1")});
    AppModel& model = rig.model();
    ASSERT_EQ(model.plans().size(), 2u);
    ASSERT_EQ(::umount2(ram.path().c_str(), MNT_DETACH), 0);  // pulled; the volume list has not caught up

    model.requestTransfer();
    rig.harness.settle();
    ASSERT_TRUE(model.alert().has_value());
    EXPECT_EQ(model.alert()->title, "RAM_SSD is no longer connected");
    EXPECT_FALSE(fs::exists(ram / "Alpha")) << "nothing made in the bare mount folder";
    EXPECT_FALSE(fs::exists(rig.ssdA / "Alpha"));
    EXPECT_TRUE(rig.harness.engines->jobs.empty());
}

TEST(ModelStart, MissingFoldersAreAskedForCreatedOrRefusedAsTheSettingsSay) {
    LanguageScope language;
    enum class Answer { none, approve, dismiss };
    struct Case {
        bool ask, thenTransfer, silently;
        Answer answer;
        bool sheet, created;
        std::size_t engines;
    };
    const std::vector<Case> cases{
        {true, true, false, Answer::approve, true, true, 1},
        {true, true, false, Answer::dismiss, true, false, 0},
        {true, true, true, Answer::none, false, true, 1},
        {false, true, false, Answer::none, false, true, 1},
        {false, false, false, Answer::approve, true, true, 0},
    };
    for (const Case& c : cases) {
        ModelRig rig;
        rig.model().changeSettings([&](AppSettings& settings) { settings.askBeforeCreatingFolders = c.ask; });
        rig.mountAll();
        AppModel& model = rig.model();
        model.requestFolders(c.thenTransfer, c.silently);
        rig.harness.settle();
        EXPECT_EQ(model.folderRequest().has_value(), c.sheet);
        if (c.sheet) {
            EXPECT_FALSE(fs::exists(rig.ssdA / "Alpha")) << "nothing made before the answer";
            ASSERT_EQ(model.folderRequest()->entries.size(), 2u);
            EXPECT_EQ(model.folderRequest()->entries[0].paths,
                      (std::vector<std::string>{"/Alpha", "/Alpha/FOOTAGE", "/Alpha/FOOTAGE/A001"}));
        }
        if (c.answer == Answer::approve) model.approveFolderRequest();
        if (c.answer == Answer::dismiss) model.dismissFolderRequest();
        ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() != TransferState::running; }));
        EXPECT_EQ(fs::is_directory(rig.ssdB / "Alpha/FOOTAGE/A001"), c.created);
        EXPECT_EQ(rig.harness.engines->jobs.size(), c.engines);
    }
}

TEST(ModelStart, TheResumePromptCountsFilesPresentOnEverySSD) {
    LanguageScope language(AppLanguage::en);
    ModelRig rig;
    for (const fs::path& ssd : {rig.ssdA, rig.ssdB})
        writeFile(ssd / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));
    writeFile(rig.ssdA / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/MEDIAPRO.XML", "<xml/>");
    rig.mountAll();
    AppModel& model = rig.model();
    ASSERT_EQ(model.rollName(), "A001") << "the card's reel name";
    model.requestTransfer();
    rig.harness.settle();
    ASSERT_TRUE(model.alert().has_value());
    EXPECT_EQ(model.alert()->title, "Resume transfer?");
    EXPECT_TRUE(hasText(model.alert()->message, "3 files are already in A001."));
    EXPECT_TRUE(rig.harness.engines->jobs.empty());
    model.closeAlert(model.alert()->id, true);
    ASSERT_TRUE(rig.harness.waitUntil([&] { return model.transferState() != TransferState::running; }));
    EXPECT_EQ(model.transferState(), TransferState::succeeded);
    EXPECT_EQ(testing::readFile(rig.ssdB / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0002.MP4"), std::string(200'000, 'b'));
}

// The folder sheet and "Resume transfer?" were asked about the card selected then: answered after
// another card was selected, they start nothing (the sheet still makes the folders it listed).
TEST(ModelStart, AnAnswerThatOutlivedItsCardStartsNothing) {
    for (const bool folderSheet : {true, false}) {
        SCOPED_TRACE(folderSheet ? "folder sheet" : "resume prompt");
        LanguageScope language(AppLanguage::en);
        ModelRig rig;
        AppModel& model = rig.model();
        if (folderSheet) {
            model.changeSettings([](AppSettings& settings) { settings.askBeforeCreatingFolders = true; });
        } else {
            for (const fs::path& ssd : {rig.ssdA, rig.ssdB})
                writeFile(ssd / "Alpha/FOOTAGE/A001/PRIVATE/M4ROOT/CLIP/C0001.MP4", std::string(300'000, 'a'));
        }
        std::vector<DriveInfo> volumes = rig.all();
        volumes.push_back(rig.otherCard());
        rig.mount(volumes);
        model.selectSource(std::string("CARD-1"));
        rig.harness.drain();
        model.requestTransfer();
        rig.harness.settle();
        if (folderSheet) {
            ASSERT_TRUE(model.folderRequest().has_value());
        } else {
            ASSERT_TRUE(model.alert().has_value());
            ASSERT_EQ(model.alert()->title, "Resume transfer?");
        }

        model.selectSource(std::string("CARD-2"));
        rig.harness.drain();
        ASSERT_EQ(model.blockReason(), std::nullopt) << "the other card could go";
        if (folderSheet) {
            ASSERT_TRUE(model.folderRequest().has_value());
            model.approveFolderRequest();
        } else {
            // The question went with its card: nothing is left to answer.
            EXPECT_FALSE(model.alert().has_value());
        }
        rig.harness.drain();
        EXPECT_TRUE(rig.harness.engines->jobs.empty());
        EXPECT_NE(model.transferState(), TransferState::running);
        if (folderSheet) {
            EXPECT_TRUE(fs::is_directory(rig.ssdB / "Alpha/FOOTAGE/A001"));
        }
    }
}

TEST(ModelPlans, HostileProjectAndCardNamesStayInsideTheBaseFolder) {
    LanguageScope language;
    const std::vector<std::string> names{"a/b", "..", "../../etc", "x\x01y\nz", std::string(300, 'n'), "/"};
    for (const std::string& name : names) {
        ModelRig rig;
        rig.model().changeSettings([](AppSettings& settings) {
            settings.folderTemplate.pattern = "{PROJECT}/{CARD}/{ROLL}";
        });
        rig.model().setProject(name);
        rig.mount({ModelRig::cardInfo(rig.card, name, "CARD-1"), rig.all()[1]});
        ASSERT_EQ(rig.model().plans().size(), 1u) << name;
        for (const FolderNode& node : rig.model().plans()[0].nodes)
            EXPECT_TRUE(PathRules::liesOn(node.url, rig.ssdA) && !PathRules::sameFolder(node.url, rig.ssdA))
                << name << " -> " << node.url;
    }
}

TEST(ModelHistory, AClipsLocationsNeverLeadOutOfItsRollFolder) {
    testing::TempDir drives;
    const fs::path roll = drives / "SSD1/Feature/A001";
    writeFile(roll / "CLIP/C0042.MOV", "clip");
    writeFile(drives / "secret", "not footage");
    fs::create_directory_symlink(drives.path(), roll / "link");
    struct Case {
        std::string clipPath;
        std::optional<fs::path> expected;
    };
    const std::vector<Case> cases{
        {"CLIP/C0042.MOV", roll / "CLIP/C0042.MOV"},
        {"../../../secret", std::nullopt},
        {(drives / "secret").string(), std::nullopt},
        {"link/secret", std::nullopt},
        {"", std::nullopt},
    };
    testing::ModelHarness harness;
    AppModel& model = harness.make();
    for (const Case& c : cases) {
        ClipHit hit;
        hit.record = TransferRecord("Feature", "A001", 1, "CARD", std::nullopt, "fp", 1, 4, harness.now,
                                    {TransferRecord::Destination("SSD1", roll.string(), true)}, true);
        hit.file.path = c.clipPath;
        const std::vector<AppModel::ClipLocation> found = model.locations(hit);
        ASSERT_EQ(found.size(), c.expected ? 1u : 0u) << c.clipPath;
        if (c.expected) {
            EXPECT_EQ(found[0].url, *c.expected);
            EXPECT_TRUE(found[0].online);
        }
    }
}

}  // namespace
}  // namespace quillane
