#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Detection/ContentProber.h"
#include "Detection/DriveClassifier.h"
#include "Detection/MediaTypes.h"
#include "Support/Lang.h"
#include "ProbeSupport.h"
#include "support/Scopes.h"

using namespace quillane;
using quillane::testing::TempDir;
using quillane::testing::writeFile;
using Reasons = std::vector<std::string>;

namespace {

using quillane::detectiontest::probeOf;
using quillane::testing::LanguageScope;

constexpr std::int64_t GB = 1'000'000'000;

DriveInfo drive(std::string name, std::int64_t capacity, std::string fileSystem = "exfat") {
    DriveInfo d;
    d.id = "/media/crew/" + name;
    d.url = d.id;
    d.name = std::move(name);
    d.totalCapacity = capacity;
    d.availableCapacity = capacity / 2;
    d.fileSystem = std::move(fileSystem);
    d.isRemovable = true;
    d.isEjectable = true;
    return d;
}

ContentProbe folders(std::vector<std::string> rootNames, std::set<std::string> paths = {}) {
    ContentProbe p;
    p.rootNames = std::move(rootNames);
    p.directoryPaths = std::move(paths);
    return p;
}

const ClassifierContext none{};

}  // namespace

TEST(DriveClassifier, WorkedExamples) {
    // A camera card in a card reader.
    DriveInfo card = drive("FX3_B", 256 * GB);
    card.deviceVendor = "ProGrade";
    card.deviceModel = "CFexpress Card Reader";
    card.deviceProtocol = "USB";
    const ContentProbe sony = probeOf({"PRIVATE/M4ROOT/CLIP/C0001.MP4"});
    // A project SSD.
    DriveInfo ssd = drive("SHOOT_SSD", 2'000 * GB, "apfs");
    ssd.deviceVendor = "Samsung";
    ssd.deviceModel = "Portable SSD";
    const ContentProbe shoot = probeOf({"Northwind/Day01/notes.txt"});
    const ClassifierContext northwind{{}, std::string("Northwind"), {}};
    // A FAT card with only folders.
    const DriveInfo untitled = drive("UNTITLED", 64 * GB, "msdos");
    const ContentProbe stills = probeOf({"MISC/info.txt", "Notes/a.txt"});
    // Reader and SSD words at once.
    DriveInfo both = drive("MEDIA", 600 * GB);
    both.deviceModel = "Card Dock SSD";

    LanguageScope english(AppLanguage::en);
    auto c = DriveClassifier::classify(card, &sony, none);
    EXPECT_EQ(c.role, DriveRole::source);
    EXPECT_NEAR(c.confidence, 6.0 / 6.5, 1e-9);
    EXPECT_EQ(c.confidenceLabel(), "Certain");
    ASSERT_TRUE(c.camera.has_value());
    EXPECT_EQ(c.camera->token, "SONY");
    EXPECT_EQ(c.reasons, (Reasons{"Camera structure recognized \u2014 PRIVATE/M4ROOT folder found",
                                  "Card reader detected (ProGrade CFexpress Card Reader \u00B7 USB)"}));
    EXPECT_FALSE(c.isLearned);

    c = DriveClassifier::classify(ssd, &shoot, northwind);
    EXPECT_EQ(c.role, DriveRole::destination);
    EXPECT_NEAR(c.confidence, 6.25 / 6.75, 1e-9);
    EXPECT_FALSE(c.camera.has_value());
    EXPECT_EQ(c.reasons, (Reasons{"External SSD (Samsung Portable SSD)", "Large drive (2 TB)", "Mac format (APFS)",
                                  "Already contains the project folder \u201CNorthwind\u201D"}));

    c = DriveClassifier::classify(untitled, &stills, none);
    EXPECT_EQ(c.role, DriveRole::source);
    EXPECT_NEAR(c.confidence, 0.8, 1e-9);
    EXPECT_EQ(c.confidenceLabel(), "Likely");
    EXPECT_FALSE(c.camera.has_value());
    EXPECT_EQ(c.reasons, Reasons{"Typical card name \u201CUNTITLED\u201D"});

    c = DriveClassifier::classify(both, nullptr, none);
    EXPECT_EQ(c.role, DriveRole::destination);
    EXPECT_DOUBLE_EQ(c.confidence, 0.5);
    EXPECT_EQ(c.confidenceLabel(), "Check");
    EXPECT_EQ(c.reasons, (Reasons{"Card reader detected (Card Dock SSD)", "External SSD (Card Dock SSD)"}));

    // Reasons and labels are made in the language of the moment, the facts filled in.
    LanguageScope dutch(AppLanguage::nl);
    c = DriveClassifier::classify(card, &sony, none);
    EXPECT_EQ(c.confidenceLabel(), "Zeker");
    EXPECT_EQ(c.reasons, (Reasons{"Camerastructuur herkend \u2014 Map PRIVATE/M4ROOT gevonden",
                                  "Kaartlezer gedetecteerd (ProGrade CFexpress Card Reader \u00B7 USB)"}));
}

TEST(DriveClassifier, LearnedRolesComeFirstAndNeedAUuid) {
    DriveInfo d = drive("UNTITLED", 64 * GB, "msdos");
    d.isRootVolume = true;
    d.isReadOnly = true;
    d.uuid = "1234-ABCD";
    const ContentProbe sony = probeOf({"PRIVATE/M4ROOT/CLIP/C0001.MP4"});
    const ClassifierContext learned{{{"1234-ABCD", DriveRole::destination}}, std::nullopt, {}};
    LanguageScope en(AppLanguage::en);
    auto c = DriveClassifier::classify(d, &sony, learned);
    EXPECT_EQ(c.role, DriveRole::destination);
    EXPECT_DOUBLE_EQ(c.confidence, 1.0);
    EXPECT_TRUE(c.isLearned);
    EXPECT_EQ(c.confidenceLabel(), "Remembered");
    EXPECT_EQ(c.camera->token, "SONY");  // the card is still recognised
    EXPECT_EQ(c.reasons, Reasons{"You previously marked this drive as destination (ssd)"});

    // Without a UUID nothing is learned, even when a key happens to equal the id.
    d.uuid.reset();
    const ClassifierContext byId{{{d.id, DriveRole::source}, {d.identity(), DriveRole::source}}, std::nullopt, {}};
    c = DriveClassifier::classify(d, nullptr, byId);
    EXPECT_FALSE(c.isLearned);
    EXPECT_EQ(c.reasons, Reasons{"This computer's startup disk"});
}

TEST(DriveClassifier, StartupInternalAndReadOnlyDecideEarly) {
    LanguageScope en(AppLanguage::en);
    DriveInfo internal = drive("Data", 1'000 * GB, "ext4");
    internal.isInternal = true;
    internal.isRemovable = false;
    auto c = DriveClassifier::classify(internal, nullptr, none);
    EXPECT_EQ(c.role, DriveRole::ignored);
    EXPECT_DOUBLE_EQ(c.confidence, 1.0);
    EXPECT_EQ(c.reasons, Reasons{"Internal drive"});
    internal.isRemovable = true;  // an internal card slot is scored like anything else
    c = DriveClassifier::classify(internal, nullptr, none);
    EXPECT_EQ(c.role, DriveRole::destination);
    EXPECT_EQ(c.reasons, Reasons{"Large drive (1 TB)"});

    // A read-only camera card stays a source.
    DriveInfo card = drive("FX6", 160 * GB);
    card.isReadOnly = true;
    const ContentProbe sony = probeOf({"PRIVATE/M4ROOT/CLIP/C0001.MP4"});
    c = DriveClassifier::classify(card, &sony, none);
    EXPECT_EQ(c.role, DriveRole::source);
    EXPECT_NEAR(c.confidence, 4.5 / 5.0, 1e-9);
    EXPECT_EQ(c.reasons.back(), "Read-only: can't be a destination");
    // A read-only SSD with a card name only is ignored.
    DriveInfo ro = drive("UNTITLED", 100 * GB);
    ro.isReadOnly = true;
    ro.deviceModel = "Extreme SSD";
    c = DriveClassifier::classify(ro, nullptr, none);
    EXPECT_EQ(c.role, DriveRole::ignored);
    EXPECT_DOUBLE_EQ(c.confidence, 0.9);
    EXPECT_EQ(c.reasons, (Reasons{"External SSD (Extreme SSD)", "Typical card name \u201CUNTITLED\u201D",
                                  "Read-only: can't be a destination"}));
}

TEST(DriveClassifier, EmptyAndUnreadableVolumes) {
    LanguageScope en(AppLanguage::en);
    const ContentProbe empty;
    DriveInfo d = drive("NO NAME", 128 * GB, "msdos");
    d.deviceModel = "SDXC Reader";
    auto c = DriveClassifier::classify(d, &empty, none);
    EXPECT_EQ(c.role, DriveRole::ignored);
    EXPECT_DOUBLE_EQ(c.confidence, 0.6);
    EXPECT_EQ(c.reasons, Reasons{"Empty card or small drive \u2014 nothing to transfer"});

    for (std::int64_t capacity : {300 * GB, std::int64_t{0}}) {
        DriveInfo big = drive("Blank", capacity, "ext4");
        c = DriveClassifier::classify(big, &empty, none);
        EXPECT_EQ(c.role, DriveRole::destination);
        EXPECT_EQ(c.reasons.back(), "Empty drive, ready to use");
    }
    DriveInfo image = drive("Test", 1 * GB, "ext4");
    image.deviceProtocol = "Disk Image";
    EXPECT_EQ(DriveClassifier::classify(image, &empty, none).reasons.back(), "Empty drive, ready to use");

    ContentProbe denied;
    denied.accessDenied = true;
    c = DriveClassifier::classify(drive("Locked", 1'500 * GB / 2, "ext4"), &denied, none);
    EXPECT_EQ(c.role, DriveRole::ignored);
    EXPECT_DOUBLE_EQ(c.confidence, 0.55);
    EXPECT_EQ(c.reasons, (Reasons{"No read access \u2014 check this drive's permissions", "Not enough clues"}));
}

TEST(DriveClassifier, SizeAndFileSystemThresholds) {
    LanguageScope en(AppLanguage::en);
    // A reader keyword alone is 1.5: the size point tips confidence.
    auto confidenceAt = [](std::int64_t bytes) {
        DriveInfo d = drive("MEDIA", bytes);
        d.deviceModel = "Reader";
        return DriveClassifier::classify(d, nullptr, none);
    };
    EXPECT_NEAR(confidenceAt(520 * GB).confidence, 2.0 / 2.5, 1e-9);
    EXPECT_NEAR(confidenceAt(520 * GB + 100'000'000).confidence, 1.5 / 2.0, 1e-9);
    EXPECT_NEAR(confidenceAt(899'900'000'000).confidence, 1.5 / 2.0, 1e-9);
    const auto large = confidenceAt(900 * GB);
    EXPECT_EQ(large.role, DriveRole::source);
    EXPECT_NEAR(large.confidence, 1.5 / 3.0, 1e-9);
    EXPECT_EQ(large.reasons.back(), "Large drive (900 GB)");

    DriveInfo hfs = drive("Archive", 600 * GB, "hfs");
    hfs.deviceModel = "G-DRIVE";
    const auto c = DriveClassifier::classify(hfs, nullptr, none);
    EXPECT_EQ(c.role, DriveRole::destination);
    EXPECT_NEAR(c.confidence, 2.25 / 2.75, 1e-9);
    EXPECT_EQ(c.reasons.back(), "Mac format (Mac OS Extended)");

    // Nothing at all.
    const auto nothing = DriveClassifier::classify(drive("Stuff", 700 * GB, "ext4"), nullptr, none);
    EXPECT_EQ(nothing.role, DriveRole::ignored);
    EXPECT_DOUBLE_EQ(nothing.confidence, 0.55);
    EXPECT_EQ(nothing.reasons, Reasons{"Not enough clues"});
    EXPECT_EQ(nothing.confidenceLabel(), "Check");
}

TEST(DriveClassifier, HardwareAndNameClues) {
    LanguageScope en(AppLanguage::en);
    DriveInfo red = drive("MAG", 700 * GB);
    red.deviceVendor = "RED";
    red.mediaName = "MINI-MAG 512";
    auto c = DriveClassifier::classify(red, nullptr, none);
    EXPECT_EQ(c.reasons, Reasons{"Card reader detected (RED)"});  // words from two fields still match

    DriveInfo slot = drive("X", 700 * GB);
    slot.deviceProtocol = "Secure Digital";
    slot.deviceModel = "SDXC Reader";
    c = DriveClassifier::classify(slot, nullptr, none);
    EXPECT_EQ(c.reasons, Reasons{"In the SD card slot"});
    EXPECT_NEAR(c.confidence, 2.0 / 2.5, 1e-9);

    for (const char* name : {"SONY_A7", "A001", "b002 cam", "eos_digital"}) {
        c = DriveClassifier::classify(drive(name, 700 * GB), nullptr, none);
        EXPECT_EQ(c.reasons.front(), std::string("Typical card name \u201C") + name + "\u201D") << name;
    }
    for (const char* name : {"A0012", "MY SONY", "Backup"})
        EXPECT_EQ(DriveClassifier::classify(drive(name, 700 * GB), nullptr, none).reasons, Reasons{"Not enough clues"});
}

TEST(DriveClassifier, ProbeCluesForClipsProjectsAndFootage) {
    LanguageScope en(AppLanguage::en);
    const DriveInfo d = drive("Media", 700 * GB, "ext4");

    ContentProbe loose = folders({"a.mov", "b.mov"});
    loose.shallowVideoCount = 2;
    auto c = DriveClassifier::classify(d, &loose, none);
    EXPECT_EQ(c.role, DriveRole::source);
    EXPECT_EQ(c.reasons, Reasons{"2 clips directly on the card"});
    loose.rootNames.resize(13, "x");
    EXPECT_EQ(DriveClassifier::classify(d, &loose, none).reasons, Reasons{"Not enough clues"});

    // A sound card's evidence is lower-cased after its prefix.
    ContentProbe sound = folders({"TAKES"});
    sound.audioFileCount = 4;
    EXPECT_EQ(DriveClassifier::classify(d, &sound, none).reasons.front(), "Sound card: audio files only");

    // Deep footage counts for a destination, but not on a recognised card.
    ContentProbe footage = folders({"Archive"});
    footage.deepVideoCount = 10;
    c = DriveClassifier::classify(d, &footage, none);
    EXPECT_EQ(c.role, DriveRole::destination);
    EXPECT_EQ(c.reasons, Reasons{"Contains previously transferred footage"});
    footage.directoryPaths = {"DCIM"};
    c = DriveClassifier::classify(d, &footage, none);
    EXPECT_EQ(c.role, DriveRole::source);
    EXPECT_EQ(c.reasons.size(), 1u);

    // Template folders count only below the root, and the project folder outranks them.
    const ClassifierContext structure{{}, std::string(""), {"RUSHES", "SOUND"}};
    const ContentProbe onlyRoot = folders({"RUSHES"}, {"RUSHES"});
    EXPECT_EQ(DriveClassifier::classify(d, &onlyRoot, structure).reasons, Reasons{"Not enough clues"});
    const ContentProbe deeper = folders({"Film"}, {"FILM", "FILM/RUSHES", "FILM/RUSHES/DAY01"});
    EXPECT_EQ(DriveClassifier::classify(d, &deeper, structure).reasons,
              Reasons{"Contains project folders matching your structure"});
    const ClassifierContext project{{}, std::string("film"), {"RUSHES"}};
    EXPECT_EQ(DriveClassifier::classify(d, &deeper, project).reasons,
              Reasons{"Already contains the project folder \u201C" + std::string("film") + "\u201D"});
    const ClassifierContext blanks{{}, std::string("  "), {}};
    EXPECT_EQ(DriveClassifier::classify(d, &deeper, blanks).reasons, Reasons{"Not enough clues"});
    const ContentProbe blankFolder = folders({"  "}, {"  "});
    EXPECT_EQ(DriveClassifier::classify(d, &blankFolder, blanks).reasons.front(),
              "Already contains the project folder \u201C  \u201D");
}
