#include "Views/Kit/Elide.h"

#include <QFontMetricsF>

namespace quillane {

namespace {
// The text keeping `kept` characters around one "…".
QString cut(const QString& text, Qt::TextElideMode mode, qsizetype kept) {
    const QString ellipsis = QStringLiteral("\u2026");
    switch (mode) {
        case Qt::ElideLeft: return ellipsis + text.right(kept);
        case Qt::ElideMiddle: return text.left((kept + 1) / 2) + ellipsis + text.right(kept / 2);
        default: return text.left(kept) + ellipsis;
    }
}
}  // namespace

QString elided(const QString& text, const QFont& font, Qt::TextElideMode mode, double width) {
    const QFontMetricsF metrics(font);
    if (mode == Qt::ElideNone || metrics.horizontalAdvance(text) <= width) return text;
    // The most characters that still fit beside the "…".
    qsizetype low = 0, high = text.size() - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(cut(text, mode, middle)) <= width) low = middle;
        else high = middle - 1;
    }
    return cut(text, mode, low);
}

}  // namespace quillane
