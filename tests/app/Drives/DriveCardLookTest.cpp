#include <cmath>

#include <gtest/gtest.h>

#include "Views/Drives/DriveCardLook.h"
#include "Views/Kit/Theme.h"
#include "support/Scopes.h"
#include "SampleDrive.h"

namespace quillane {
namespace {

// The kit's sample drive as a source card, with the given recognition.
DriveState drive(double confidence, bool learned = false, bool probed = true) {
    return testing::sampleDrive("UUID-1", "A_CARD", DriveRole::source, confidence, probed, learned);
}

TEST(DriveCardLook, SubtitleAndFillFollowTheRoleAndCapacity) {
    testing::LanguageScope english(AppLanguage::en);
    DriveState bare = drive(0.9);
    bare.info.deviceVendor.reset();
    bare.info.deviceModel.reset();
    bare.info.deviceProtocol.reset();
    DriveState unknownSize = drive(0.9);
    unknownSize.info.totalCapacity = 0;
    DriveState moreFreeThanTotal = drive(0.9);
    moreFreeThanTotal.info.availableCapacity = moreFreeThanTotal.info.totalCapacity + 5;
    struct Case {
        const char* what;
        DriveState drive;
        DriveRole role;
        const char* subtitle;
        double used;
    };
    const Case cases[] = {
        {"a recognised source shows its camera", drive(0.9), DriveRole::source, "Sony · XAVC", 0.675},
        {"the same drive as destination shows its hardware", drive(0.9), DriveRole::destination,
         "Samsung PSSD T7 · USB · exFAT", 0.675},
        {"no hardware facts: the file system alone", bare, DriveRole::destination, "exFAT", 0.675},
        {"an unknown total is empty", unknownSize, DriveRole::destination, "Samsung PSSD T7 · USB · exFAT", 0},
        {"more free than total is empty", moreFreeThanTotal, DriveRole::destination,
         "Samsung PSSD T7 · USB · exFAT", 0},
    };
    for (const Case& c : cases) {
        const DriveCardText text = driveCardText(c.drive, c.role);
        EXPECT_EQ(text.subtitle.toStdString(), c.subtitle) << c.what;
        EXPECT_DOUBLE_EQ(text.usedFraction, c.used) << c.what;
    }
}

TEST(DriveCardLook, ChipColourAndWordsFollowTheConfidence) {
    testing::LanguageScope english(AppLanguage::en);
    struct Case {
        const char* what;
        DriveState drive;
        QColor tint;
        const char* text;
        const char* symbol;
        bool analyzing;
    };
    const Case cases[] = {
        {"no probe yet", drive(0.99, false, false), Theme::secondary(), "Analyzing", "sparkles", true},
        {"learned", drive(1.0, true), Theme::accent(), "Remembered", "brain", false},
        {"exactly 0.85", drive(0.85), Theme::accent(), "Certain", "sparkles", false},
        {"just under 0.85", drive(0.849), Theme::secondary(), "Likely", "sparkles", false},
        {"exactly 0.68", drive(0.68), Theme::secondary(), "Likely", "sparkles", false},
        {"0.679", drive(0.679), Theme::warning(), "Check", "sparkles", false},
        {"not a number", drive(std::nan("")), Theme::warning(), "Check", "sparkles", false},
    };
    for (const Case& c : cases) {
        const ChipLook look = chipLook(c.drive);
        EXPECT_EQ(look.tint, c.tint) << c.what;
        EXPECT_EQ(look.text.toStdString(), c.text) << c.what;
        EXPECT_EQ(look.symbol.toStdString(), c.symbol) << c.what;
        EXPECT_EQ(look.analyzing, c.analyzing) << c.what;
    }
}

TEST(DriveCardLook, VerdictCutsThePercentage) {
    struct Case {
        DriveState drive;
        DriveRole role;
        AppLanguage language;
        const char* line;  // lead + *role* + tail
    };
    const Case cases[] = {
        {drive(0.999), DriveRole::source, AppLanguage::en, "Recognized as *source (card)* · 99% sure"},
        {drive(1.0, true), DriveRole::destination, AppLanguage::en, "Recognized as *destination (ssd)* · 100% sure"},
        {drive(0.7, false, false), DriveRole::ignored, AppLanguage::en, "Recognized as *ignore*"},
        {drive(0.851), DriveRole::source, AppLanguage::nl, "Herkend als *bron (camerakaart)* · 85% zeker"},
    };
    for (const Case& c : cases) {
        testing::LanguageScope language(c.language);
        const RecognitionVerdict v = recognitionVerdict(c.drive, c.role);
        EXPECT_EQ((v.lead + "*" + v.role + "*" + v.tail).toStdString(), c.line);
    }
}

TEST(DriveCardLook, MenuChecksTheRoleAndOffersWhatFits) {
    testing::LanguageScope english(AppLanguage::en);
    DriveState noUUID = drive(0.9);
    noUUID.info.uuid.reset();
    using Kind = DriveMenuEntry::Kind;
    struct Case {
        const char* what;
        DriveState drive;
        DriveRole role;
        TransferState state;
        const char* checked;
        bool baseFolder;
        bool ejectEnabled;
    };
    const Case cases[] = {
        {"source", drive(0.9), DriveRole::source, TransferState::idle, "Source (card)", false, true},
        {"destination with a UUID", drive(0.9), DriveRole::destination, TransferState::paused, "Destination (SSD)", true,
         true},
        {"destination without a UUID", noUUID, DriveRole::destination, TransferState::succeeded, "Destination (SSD)",
         false, true},
        {"ignored while running", drive(0.9), DriveRole::ignored, TransferState::running, "Ignore", false, false},
    };
    for (const Case& c : cases) {
        const auto entries = driveMenuEntries(c.drive, c.role, c.state);
        QStringList checked, roles;
        bool base = false, eject = false;
        for (const auto& e : entries) {
            if (e.kind == Kind::role) roles << e.title;
            if (e.checked) checked << e.title;
            base |= e.kind == Kind::baseFolder;
            if (e.kind == Kind::eject) eject = e.enabled;
        }
        EXPECT_EQ(roles, QStringList({"Source (card)", "Destination (SSD)", "Ignore"})) << c.what;
        EXPECT_EQ(checked, QStringList{QString::fromLatin1(c.checked)}) << c.what;
        EXPECT_EQ(base, c.baseFolder) << c.what;
        EXPECT_EQ(eject, c.ejectEnabled) << c.what;
        EXPECT_EQ(entries.front().title.toStdString(), "Use as");
    }
}

}  // namespace
}  // namespace quillane
