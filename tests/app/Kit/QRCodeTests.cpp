#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include "Notifications/PhonePush.h"
#include "Views/Kit/QRCode.h"
#include "support/TempDir.h"

using namespace quillane;

namespace {

// What zbarimg reads from the image, drawn on white like the settings view frames it.
std::optional<QString> decode(const QImage& code, const std::filesystem::path& file) {
    const int margin = 2 * QRCode::scale;
    QImage framed(code.width() + 2 * margin, code.height() + 2 * margin, QImage::Format_Grayscale8);
    framed.fill(255);
    QPainter(&framed).drawImage(margin, margin, code);
    if (!framed.save(QString::fromStdString(file.string()))) return std::nullopt;
    QProcess zbar;
    zbar.start("zbarimg", {"--raw", "-q", QString::fromStdString(file.string())});
    if (!zbar.waitForFinished(20000) || zbar.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST(QRCode, EncodesTheSubscribeAddressAtEightPixelsAModule) {
    if (QStandardPaths::findExecutable("zbarimg").isEmpty()) GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    quillane::testing::TempDir dir;
    const QString subscribe =
        QString::fromStdString(PhonePush::subscribeURL(PhonePush::defaultServer(), PhonePush::newTopic()));
    const QString texts[] = {subscribe, "Quillane ✓ é", "x"};
    for (const QString& text : texts) {
        const QImage code = QRCode::image(text);
        ASSERT_FALSE(code.isNull()) << text.toStdString();
        EXPECT_EQ(code.width(), code.height());
        ASSERT_EQ(code.width() % QRCode::scale, 0);
        const int modules = code.width() / QRCode::scale - 2 * QRCode::quietZone;
        EXPECT_TRUE(modules >= 21 && modules <= 177 && (modules - 21) % 4 == 0) << modules;  // a QR version's grid
        EXPECT_EQ(code.pixelColor(0, 0), Qt::white);
        EXPECT_EQ(code.pixelColor(QRCode::scale, QRCode::scale), Qt::black);  // the finder pattern's corner
        EXPECT_EQ(decode(code, dir / "code.png"), text);
    }
    EXPECT_EQ(QRCode::image(subscribe).width(), QRCode::scale * (33 + 2));  // 45 bytes at level M: version 4

    EXPECT_TRUE(QRCode::image(QString(5000, 'x')).isNull());  // more than any version holds
}
