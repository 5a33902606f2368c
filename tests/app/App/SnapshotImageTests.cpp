#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include "App/SnapshotImage.h"

using namespace quillane;

namespace {
// A capture of 1300 × 800 points whose right part (from x 330) is red and the rest blue.
QImage capture(double dpr) {
    QImage image(static_cast<int>(1300 * dpr), static_cast<int>(800 * dpr), QImage::Format_ARGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = static_cast<int>(330 * dpr); x < image.width(); ++x) image.setPixelColor(x, y, Qt::red);
    image.setDevicePixelRatio(dpr);
    return image;
}
}  // namespace

TEST(SnapshotImage, CropAndRescaleAtBothPixelRatios) {
    struct Case {
        double dpr;
        std::optional<QRectF> crop;
        QString name;
        QSize size;
        QColor corner;
    };
    const QRectF transfer(330, 52, 970, 606);
    const std::vector<Case> cases = {
        {1, std::nullopt, "main.png", {1300, 800}, Qt::blue},
        {2, std::nullopt, "main.png", {2600, 1600}, Qt::blue},
        {1, transfer, "cropped.png", {970, 606}, Qt::red},
        {2, transfer, "cropped.png", {1940, 1212}, Qt::red},
        {1, transfer, "feature-rolls.png", {1600, 1000}, Qt::red},
        {2, transfer, "feature-rolls.png", {1600, 1000}, Qt::red},
        {2, QRectF(0, 52, 930, 581), "feature-duplicate.png", {1600, 1000}, Qt::blue},
        {1, QRectF(1000, 700, 970, 606), "outside.png", {1300, 800}, Qt::blue},
        {2, QRectF(1000, 700, 970, 606), "feature-outside.png", {1600, 985}, Qt::blue},
    };
    for (const Case& c : cases) {
        const QImage image = Snapshot::prepared(capture(c.dpr), c.crop, c.name);
        EXPECT_EQ(image.size(), c.size) << c.name.toStdString() << " at " << c.dpr;
        EXPECT_EQ(image.pixelColor(2, 2), c.corner) << c.name.toStdString() << " at " << c.dpr;
    }
    EXPECT_TRUE(Snapshot::prepared(QImage(), std::nullopt, "feature-x.png").isNull());
}

TEST(SnapshotImage, WritesAPngAndReportsAFolderItCannotWrite) {
    QTemporaryDir dir;
    ASSERT_TRUE(Snapshot::write(capture(2), QRectF(330, 52, 970, 606), dir.path(), "feature-verified.png"));
    QImageReader reader(QDir(dir.path()).filePath("feature-verified.png"));
    EXPECT_EQ(QString(reader.format()), "png");
    EXPECT_EQ(reader.size(), QSize(1600, 1000));
    EXPECT_FALSE(Snapshot::write(capture(1), std::nullopt, dir.path() + "/missing/folder", "main.png"));
    EXPECT_FALSE(Snapshot::write(QImage(), std::nullopt, dir.path(), "none.png"));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("none.png")));
}
