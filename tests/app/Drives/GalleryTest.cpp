#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "Model/ModelStaging.h"
#include "Views/Drives/DriveCard.h"
#include "Views/Kit/BrandLogo.h"
#include "Views/Kit/CapacityBar.h"
#include "Views/Kit/Dividers.h"
#include "Views/Kit/EmptyZone.h"
#include "Views/Kit/FlowLayout.h"
#include "Views/Kit/Fonts.h"
#include "Views/Kit/SectionLabel.h"
#include "Views/Kit/Spinner.h"
#include "Views/Kit/StatusDot.h"
#include "Views/Kit/StyledButton.h"
#include "Views/Kit/TapeLabel.h"
#include "Views/Kit/TextLabel.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"
#include "support/app/ModelHarness.h"
#include "SampleDrive.h"

namespace quillane {
namespace {

using testing::sampleDrive;

// One picture of every kit widget in its states, for review (build/tests/renders/kit-gallery.png).
TEST(KitGallery, RendersEveryWidget) {
    testing::LanguageScope english(AppLanguage::en);
    testing::ModelHarness harness;
    AppModel& model = harness.make();
    const std::vector<DriveState> drives{
        sampleDrive("G1", "A007_R2ZK", DriveRole::source, 0.97),
        sampleDrive("G2", "SHUTTLE_01", DriveRole::destination, 1.0, true, true),
        sampleDrive("G3", "Untitled", DriveRole::ignored, 0.5, false),
        sampleDrive("G4", "BACKUP_B", DriveRole::destination, 0.6),
    };
    harness.stage().drives(drives);
    harness.settle();

    QWidget gallery;
    gallery.setAutoFillBackground(true);
    auto* grid = new QGridLayout(&gallery);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(14);
    int row = 0;
    const auto section = [&](const QString& title) { grid->addWidget(new SectionLabel(title), row++, 0, 1, 2); };

    section(QStringLiteral("Buttons"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(new StyledButton(ButtonStyles::primary(true), QStringLiteral("TRANSFER")));
    auto* disabled = new StyledButton(ButtonStyles::primary(true), QStringLiteral("TRANSFER"));
    disabled->setEnabled(false);
    buttons->addWidget(disabled);
    buttons->addWidget(new StyledButton(ButtonStyles::primary(), QStringLiteral("Resume"), QStringLiteral("play.fill")));
    buttons->addWidget(new StyledButton(ButtonStyles::secondary(), QStringLiteral("Pause"), QStringLiteral("pause.fill")));
    auto* off = new StyledButton(ButtonStyles::secondary(), QStringLiteral("Report"), QStringLiteral("doc.text"));
    off->setEnabled(false);
    buttons->addWidget(off);
    for (const char* symbol : {"magnifyingglass", "clock.arrow.circlepath", "gearshape"})
        buttons->addWidget(new StyledButton(ButtonStyles::icon(), {}, QString::fromLatin1(symbol)));
    buttons->addStretch();
    grid->addLayout(buttons, row++, 0, 1, 2);
    grid->addWidget(new StyledButton(ButtonStyles::secondary(true), QStringLiteral("Practice with demo cards"),
                                     QStringLiteral("graduationcap")),
                    row++, 0, 1, 2);

    section(QStringLiteral("Marks, bars and tape"));
    auto* marks = new QHBoxLayout;
    marks->setSpacing(14);
    for (double size : {24.0, 30.0}) marks->addWidget(new BrandLogo(size));
    for (const QColor& c : {Theme::accent(), Theme::warning(), Theme::danger(), Theme::sound()})
        marks->addWidget(new StatusDot(c));
    marks->addWidget(new Spinner(12));
    marks->addWidget(new TapeLabel(QStringLiteral("A001"), 24, -2));
    marks->addWidget(new TapeLabel(QStringLiteral("S002"), 13, -1.5));
    marks->addWidget(new TapeLabel(QStringLiteral("B010"), 11.5, -1.5));
    marks->addStretch();
    grid->addLayout(marks, row++, 0, 1, 2);
    auto* bars = new QVBoxLayout;
    bars->setSpacing(8);
    for (const auto& [used, reserved] : std::vector<std::pair<double, double>>{{0, 0}, {0.5, 0}, {1.3, 0}, {0.6, 0.25}})
        bars->addWidget(new CapacityBar(used, reserved, Theme::secondary()));
    grid->addLayout(bars, row++, 0, 1, 2);
    grid->addWidget(new HDivider, row++, 0, 1, 2);

    section(QStringLiteral("Drive cards"));
    for (int i = 0; i < static_cast<int>(drives.size()); ++i) {
        auto* card = new DriveCard(model, drives[i]);
        card->setSelected(i == 0);
        card->setDimmed(i == 3);
        grid->addWidget(card, row + i / 2, i % 2);
    }
    row += 2;

    section(QStringLiteral("Empty zone and flow"));
    grid->addWidget(new EmptyZone(QStringLiteral("sdcard"), QStringLiteral("Connect a card"),
                                  QStringLiteral("Camera or sound —\nQuillane recognises it by itself")),
                    row, 0);
    auto* tiles = new QWidget;
    auto* flow = new FlowLayout(tiles, 8, 8, false);
    for (const char* name : {"SHUTTLE_01", "BACKUP_B", "RAID_A", "SSD 4", "T7", "OFFLOAD_LONG_NAME"}) {
        auto* tile = new TextLabel(QString::fromLatin1(name), Fonts::text(11), Theme::text());
        tile->setAlignment(Qt::AlignCenter);
        tile->setFixedSize(tile->sizeHint() + QSize(20, 12));
        tile->setAutoFillBackground(true);
        QPalette palette = tile->palette();
        palette.setColor(QPalette::Window, Theme::cardRaised());
        tile->setPalette(palette);
        flow->addWidget(tile);
    }
    grid->addWidget(tiles, row++, 1, Qt::AlignTop);

    const QImage image = testing::saveRender(gallery, QStringLiteral("kit-gallery"), QSize(760, 940));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(gallery.findChildren<DriveCard*>().size(), 4);
    // Every widget draws something of its own where it stands: not only the bare background.
    const QRgb background = gallery.palette().color(QPalette::Window).rgb();
    const qreal scale = image.devicePixelRatio();
    for (const QWidget* widget : gallery.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRectF place(widget->geometry());
        const QRect area =
            QRectF(place.topLeft() * scale, place.size() * scale).toAlignedRect().intersected(image.rect());
        bool drawn = false;
        for (int y = area.top(); y <= area.bottom() && !drawn; ++y)
            for (int x = area.left(); x <= area.right() && !drawn; ++x) drawn = image.pixel(x, y) != background;
        EXPECT_TRUE(drawn) << widget->metaObject()->className() << " at " << widget->x() << "," << widget->y();
    }
}

}  // namespace
}  // namespace quillane
