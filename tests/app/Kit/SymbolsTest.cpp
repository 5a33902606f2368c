#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include "Views/Kit/Symbols.h"
#include "Views/Kit/Theme.h"
#include "support/OffscreenApp.h"

namespace quillane {
namespace {

int inkedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

// Every row of the table loads and draws something, in the colour asked for.
TEST(Symbols, EveryNameRendersTinted) {
    const QColor tint = Theme::accent();
    QImage sheet(24 * 8, 24 * ((Symbols::names().size() + 7) / 8), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Theme::background());
    QPainter painter(&sheet);
    int i = 0;
    for (const QString& name : Symbols::names()) {
        const QPixmap pixmap = Symbols::pixmap(name, 20, tint);
        ASSERT_FALSE(pixmap.isNull()) << name.toStdString();
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_GT(inkedPixels(image), 8) << name.toStdString();
        // The most opaque pixel carries the tint.
        QRgb strongest = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > qAlpha(strongest)) strongest = image.pixel(x, y);
        EXPECT_GT(qAlpha(strongest), 150) << name.toStdString();
        EXPECT_NEAR(qRed(strongest), tint.red(), 3) << name.toStdString();
        EXPECT_NEAR(qGreen(strongest), tint.green(), 3) << name.toStdString();
        EXPECT_NEAR(qBlue(strongest), tint.blue(), 3) << name.toStdString();
        Symbols::paint(painter, QRectF((i % 8) * 24 + 2, (i / 8) * 24 + 2, 20, 20), name, Theme::text());
        ++i;
    }
    painter.end();
    sheet.save(testing::renderFolder() + QStringLiteral("/symbols.png"));
}

TEST(Symbols, UnknownNameGivesNothingAndWeightThickens) {
    const testing::UnknownSymbolsExpected unknown;
    EXPECT_TRUE(Symbols::pixmap(QStringLiteral("no.such.symbol"), 16, Qt::white).isNull());
    EXPECT_TRUE(Symbols::resourcePath(QStringLiteral("no.such.symbol")).isEmpty());
    const auto ink = [](QFont::Weight weight) {
        return inkedPixels(Symbols::pixmap(QStringLiteral("xmark"), 40, Qt::white, weight).toImage());
    };
    EXPECT_LT(ink(QFont::Light), ink(QFont::Normal));
    EXPECT_LT(ink(QFont::Normal), ink(QFont::Bold));
}

// Every symbol name written in the application's sources is in the table: a missing one fails here
// rather than drawing a blank square at run time. A name is a quoted lower-case word, optionally
// dotted, in a statement that passes a symbol (the views' renders catch the names that pure
// functions hand on, through the offscreen runner's check of unknown names).
TEST(Symbols, EveryNameTheCodeUsesIsInTheTable) {
    const QStringList names = Symbols::names();
    const QSet<QString> known(names.begin(), names.end());
    const QRegularExpression comment(QStringLiteral("//[^\\n]*"));
    const QRegularExpression statementEnd(QStringLiteral("[;{}]\\s*\\n|;"));
    const QRegularExpression passesSymbol(QStringLiteral("symbol|EmptyZone|StyledButton|MenuButton|chevron\\("),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression name(QStringLiteral("\"([a-z]+(?:\\.[a-z0-9]+)*)\""));
    int found = 0;
    QDirIterator files(QStringLiteral(QUILLANE_APP_DIR), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (files.fileName() == QStringLiteral("Symbols.cpp")) continue;  // the table itself
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString source = QString::fromUtf8(file.readAll()).remove(comment);
        for (const QString& statement : source.split(statementEnd)) {
            if (!statement.contains(passesSymbol)) continue;
            for (auto match = name.globalMatch(statement); match.hasNext();) {
                const QString used = match.next().captured(1);
                ++found;
                EXPECT_TRUE(known.contains(used)) << used.toStdString() << " in " << files.filePath().toStdString();
            }
        }
    }
    EXPECT_GT(found, 50);
}

}  // namespace
}  // namespace quillane
