#include "Views/Kit/TapeLettering.h"

#include <QRawFont>
#include <QTransform>

#include <algorithm>

#include "Views/Kit/Fonts.h"

namespace quillane::TapeLettering {

namespace {
constexpr double condensed = 0.78;

// The marker face at a pixel size, kept for the last size asked (labels repeat their size).
const QRawFont& markerFont(double size) {
    static const QByteArray data = Fonts::markerFontData();
    static QRawFont font;
    if (!font.isValid() || font.pixelSize() != size) font = QRawFont(data, size, QFont::PreferNoHinting);
    return font;
}
}  // namespace

Layout layout(const QString& text, double size) {
    Layout result;
    if (!(size > 0)) return result;
    const QRawFont& font = markerFont(size);
    if (!font.isValid()) return result;
    const double capHeight = font.capHeight();
    double x = 0;
    for (const uint character : text.toUcs4()) {
        const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(reinterpret_cast<const char32_t*>(&character), 1));
        if (glyphs.isEmpty() || glyphs.first() == 0) continue;  // the face can't draw it: no ink, no width
        const quint32 glyph = glyphs.first();
        const double advance = font.advancesForGlyphIndexes(QList<quint32>{glyph}).first().x();
        // Glyph outlines come with y growing downwards from the baseline; move the baseline to cap height.
        const QPainterPath outline = QTransform(condensed, 0, 0, 1, x, capHeight).map(font.pathForGlyph(glyph));
        if (!outline.isEmpty()) {
            result.glyphs.addPath(outline);
            if (character == U'0') {
                const QRectF box = outline.boundingRect().adjusted(0.09 * size, 0.08 * size, -0.09 * size, -0.08 * size);
                result.slashes.moveTo(box.right(), box.top());
                result.slashes.lineTo(box.left(), box.bottom());
            }
        }
        x += advance * condensed;
    }
    const double right = result.glyphs.isEmpty() ? 0 : result.glyphs.boundingRect().right();
    result.size = QSizeF(std::max(x, right), capHeight);
    return result;
}

QPainterPath tapeShape(const QRectF& rect) {
    const double w = rect.width();
    const double h = rect.height();
    QPainterPath path;
    path.moveTo(rect.left() + 0.02 * w, rect.top());
    path.lineTo(rect.right() - 0.02 * w, rect.top() + 0.04 * h);
    path.lineTo(rect.right(), rect.bottom());
    path.lineTo(rect.left(), rect.bottom() - 0.04 * h);
    path.closeSubpath();
    return path;
}

}  // namespace quillane::TapeLettering
