#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "Model/ModelStaging.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Drives/DriveMenu.h"
#include "Views/Drives/RecognitionChip.h"
#include "Views/Kit/CapacityBar.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/TextLabel.h"
#include "support/ChildWidget.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/TempDir.h"
#include "support/app/ModelHarness.h"
#include "SampleDrive.h"

namespace quillane {
namespace {

using testing::sampleDrive;

struct CardFixture : ::testing::Test {
    testing::LanguageScope english{AppLanguage::en};
    testing::ModelHarness harness;
    AppModel& model = harness.make();
};

TEST_F(CardFixture, CardShowsTheDriveInEveryLook) {
    struct Case {
        const char* name;
        DriveState drive;
        bool selected, dimmed;
        const char* subtitle;
    };
    const Case cases[] = {
        {"drive-card-source-selected", sampleDrive("U1", "A001_C003", DriveRole::source, 0.93), true, false,
         "Sony · XAVC"},
        {"drive-card-destination-dimmed", sampleDrive("U2", "SSD_SHUTTLE_1", DriveRole::destination, 0.72), false, true,
         "Samsung PSSD T7 · USB · exFAT"},
        {"drive-card-analyzing", sampleDrive("U3", "Untitled", DriveRole::ignored, 0.5, false), false, false,
         "Samsung PSSD T7 · USB · exFAT"},
        {"drive-card-selected-dimmed", sampleDrive("U4", "<b>bold</b> & co", DriveRole::destination, 0.6), true, true,
         "Samsung PSSD T7 · USB · exFAT"},
        {"drive-card-long-name", sampleDrive("U5", std::string(300, 'W'), DriveRole::destination, 0.9), false, false,
         "Samsung PSSD T7 · USB · exFAT"},
    };
    for (const Case& c : cases) {
        harness.stage().drives({c.drive});
        harness.settle();
        DriveCard card(model, c.drive);
        card.setSelected(c.selected);
        card.setDimmed(c.dimmed);
        testing::saveRender(card, QString::fromLatin1(c.name), QSize(340, card.sizeHint().height()));
        auto* name = testing::child<TextLabel>(card, "driveName");
        EXPECT_EQ(name->text().toStdString(), c.drive.info.name) << c.name;  // markup stays text
        EXPECT_LE(name->geometry().right(), card.width() - 12) << c.name;    // long names elide inside
        EXPECT_EQ(name->color(), c.dimmed ? Theme::secondary() : Theme::text()) << c.name;
        EXPECT_EQ(testing::child<TextLabel>(card, "driveSubtitle")->text().toStdString(), c.subtitle)
            << c.name;
        EXPECT_EQ(testing::child<TextLabel>(card, "freeSpace")->text().toStdString(),
                  "650 GB free of 2 TB")
            << c.name;
        EXPECT_NEAR(testing::child<CapacityBar>(card, "capacityBar")->used(), 0.675, 1e-9) << c.name;
    }
}

TEST_F(CardFixture, SlotsClicksAndTheChangedRole) {
    const DriveState drive = sampleDrive("U1", "A001", DriveRole::source, 0.93);
    harness.stage().drives({drive});
    harness.settle();
    DriveCard card(model, drive);
    card.setLeading(new QWidget);
    card.leading()->setFixedSize(20, 20);
    auto* footer = new TextLabel(QStringLiteral("footer"), Fonts::text(11), Theme::secondary());
    card.setFooter(footer);
    testing::saveRender(card, QStringLiteral("drive-card-slots"), QSize(340, card.sizeHint().height()));
    EXPECT_GT(footer->y(), testing::child<TextLabel>(card, "freeSpace")->y());
    QPointer<QWidget> oldFooter = footer;
    card.setFooter(nullptr);
    EXPECT_TRUE(oldFooter.isNull());

    QSignalSpy clicks(&card, &DriveCard::clicked);
    QTest::mouseClick(&card, Qt::LeftButton, {}, QPoint(card.width() - 20, card.height() - 6));
    QTest::mouseClick(testing::child<TextLabel>(card, "driveSubtitle"), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
    QTest::mouseClick(card.chip(), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);  // the chip takes its own click
    EXPECT_TRUE(card.chip()->detailsShown());
    card.chip()->details()->hide();

    // The user makes the card a destination: the subtitle turns to the hardware line.
    model.setRole(DriveRole::destination, drive);
    harness.settle();
    EXPECT_EQ(testing::child<TextLabel>(card, "driveSubtitle")->text().toStdString(),
              "Samsung PSSD T7 · USB · exFAT");
    // The language switch redraws the free space at once.
    model.changeSettings([](AppSettings& s) { s.language = AppLanguage::nl; });
    harness.settle();
    EXPECT_EQ(testing::child<TextLabel>(card, "freeSpace")->text().toStdString(), "650 GB vrij van 2 TB");
}

TEST_F(CardFixture, ChipDetailsExplainTheRecognition) {
    DriveState drive = sampleDrive("U1", "A001", DriveRole::source, 0.999, false);
    harness.stage().drives({drive});
    harness.settle();
    RecognitionChip chip(model, drive);
    testing::saveRender(chip, QStringLiteral("chip-analyzing"));
    chip.showDetails();
    RecognitionDetails* details = chip.details();
    ASSERT_NE(details, nullptr);
    auto* verdict = testing::child<QLabel>(*details, "verdict");
    EXPECT_EQ(verdict->text().toStdString(), "Recognized as <b>source (card)</b>");
    // The probe ends while the details are open: the percentage and the reasons arrive.
    drive.probe = ContentProbe{};
    chip.setDrive(drive);
    EXPECT_EQ(verdict->text().toStdString(), "Recognized as <b>source (card)</b> · 99% sure");
    EXPECT_EQ(details->findChildren<QLabel*>(QStringLiteral("reason")).size(), 2);
    details->resize(details->sizeHint());
    details->grab().save(testing::renderFolder() + QStringLiteral("/chip-details.png"));
    testing::saveRender(chip, QStringLiteral("chip-certain"));
    QSignalSpy closed(&chip, &RecognitionChip::detailsShownChanged);
    details->hide();
    EXPECT_FALSE(chip.detailsShown());
    EXPECT_EQ(closed.count(), 1);
    // A drive without reasons still shows the title, verdict, rule and hint.
    drive.classification.reasons.clear();
    chip.setDrive(drive);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(details->findChildren<QLabel*>(QStringLiteral("reason")).isEmpty());
    testing::child<QLabel>(*details, "hint");
}

TEST_F(CardFixture, MenuSetsRolesAndGreysEjectWhileRunning) {
    const DriveState drive = sampleDrive("U2", "SSD_1", DriveRole::destination, 0.9);
    harness.stage().drives({drive});
    harness.settle();
    DriveMenu button(model, drive);
    std::unique_ptr<QMenu> menu(button.buildMenu());
    EXPECT_TRUE(menu->findChild<QAction*>(QStringLiteral("role-destination"))->property("current").toBool());
    testing::child<QAction>(*menu, "baseFolder");
    EXPECT_EQ(testing::child<QAction>(*menu, "reveal")->text().toStdString(), "Show in file manager");
    EXPECT_TRUE(testing::child<QAction>(*menu, "eject")->isEnabled());
    menu->adjustSize();
    menu->grab().save(testing::renderFolder() + QStringLiteral("/drive-menu.png"));

    menu->findChild<QAction*>(QStringLiteral("role-ignored"))->trigger();
    harness.settle();
    ASSERT_EQ(model.drives().size(), 1u);
    EXPECT_EQ(model.role(model.drives().front()), DriveRole::ignored);
    button.setDrive(model.drives().front());
    menu.reset(button.buildMenu());
    EXPECT_TRUE(menu->findChild<QAction*>(QStringLiteral("role-ignored"))->property("current").toBool());
    EXPECT_EQ(menu->findChild<QAction*>(QStringLiteral("baseFolder")), nullptr);

    harness.stage().project("Alpha").transfer(TransferState::running);
    harness.settle();
    menu.reset(button.buildMenu());
    EXPECT_FALSE(testing::child<QAction>(*menu, "eject")->isEnabled());
}

TEST(DriveIcon, IsTheBundledPictureWhateverIconThemeTheDesktopHas) {
    // A desktop theme that has pictures for every drive kind must not change how a drive looks.
    const testing::TempDir icons("quillane-icons");
    testing::writeFile(icons / "drives/index.theme",
                       "[Icon Theme]\nName=drives\nDirectories=scalable/devices\n\n"
                       "[scalable/devices]\nSize=48\nMinSize=8\nMaxSize=512\nType=Scalable\n");
    for (const char* name : {"media-removable", "drive-harddisk", "drive-removable-media", "drive-card",
                             "drive-external", "drive-internal"})
        testing::writeFile(icons / "drives/scalable/devices" / (std::string(name) + ".svg"),
                           R"(<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48">)"
                           R"(<rect width="48" height="48" fill="#f00"/></svg>)");
    const QString themeBefore = QIcon::themeName();
    const QStringList pathsBefore = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths({QString::fromStdString(icons.path().string())});
    QIcon::setThemeName(QStringLiteral("drives"));
    ASSERT_TRUE(QIcon::hasThemeIcon(QStringLiteral("drive-harddisk")));
    const struct {
        DriveIcon kind;
        const char* file;
    } cases[] = {{DriveIcon::removable, "drive-card"}, {DriveIcon::external, "drive-external"},
                 {DriveIcon::internal, "drive-internal"}};
    for (const auto& c : cases) {
        const QImage shown = driveIcon(c.kind).pixmap(QSize(40, 40)).toImage();
        const QImage bundled =
            QIcon(QStringLiteral(":/icons/own/%1.svg").arg(QLatin1String(c.file))).pixmap(QSize(40, 40)).toImage();
        EXPECT_FALSE(bundled.isNull()) << c.file;
        EXPECT_EQ(shown, bundled) << c.file;
    }
    QIcon::setThemeName(themeBefore);
    QIcon::setThemeSearchPaths(pathsBefore);
}

}  // namespace
}  // namespace quillane
