#include <gtest/gtest.h>

#include <QImage>

#include "Views/Kit/CopiesBadge.h"
#include "Views/Kit/DriveChip.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"
#include "support/Scopes.h"

using namespace quillane;
using namespace quillane::testing;

namespace {

// How many pixels of the image are close to the colour.
int pixelsNear(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                    std::abs(pixel.blue() - color.blue()) < 40)
                ++count;
        }
    return count;
}

}  // namespace

TEST(BadgeAndChip, PaintInTheirTint) {
    LanguageScope language(AppLanguage::en);
    struct Case {
        int copies;
        QColor tint;
    };
    for (const Case& c : {Case{0, Theme::danger()}, Case{1, Theme::warning()}, Case{3, Theme::accent()}}) {
        CopiesBadge badge(c.copies);
        const QImage image = saveRender(badge, QString("copies-badge-%1").arg(c.copies));
        EXPECT_EQ(image.height(), 22);
        EXPECT_GT(pixelsNear(image, c.tint), 10) << c.copies;  // the symbol and the text
    }

    DriveChip failed(driveChipLook("SSD2", true));
    EXPECT_EQ(failed.toolTip(), "Copy to SSD2 failed");
    EXPECT_GT(pixelsNear(saveRender(failed, "drive-chip-failed"), Theme::danger()), 10);
    DriveChip verified(driveChipLook("SSD1", false));
    EXPECT_EQ(pixelsNear(saveRender(verified, "drive-chip-verified"), Theme::danger()), 0);
}

TEST(BadgeAndChip, LongDriveNamesAreShortened) {
    const DriveChipLook look = driveChipLook(std::string(300, 'W'), false);
    DriveChip chip(look);
    EXPECT_LT(chip.sizeHint().width(), 260);
    EXPECT_EQ(chip.toolTip().size(), QString::fromStdString(look.toolTip).size());  // the tool tip keeps it whole
}
