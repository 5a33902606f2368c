#include "Views/Kit/Elide.h"

#include <QFontMetricsF>

#include <vector>

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
// The fewest characters a cut level keeps.
constexpr qsizetype leastKept = 3;

// The level's first `kept` characters and "…" (no space before it); the whole level when it has no more.
QString beginning(const QString& level, qsizetype kept) {
    if (kept >= level.size()) return level;
    QString head = level.left(kept);
    while (head.endsWith(QLatin1Char(' '))) head.chop(1);
    return head + QStringLiteral("\u2026");
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

QStringList elidedLevels(const QStringList& levels, double separator, const QFontMetricsF& metrics, double width) {
    const qsizetype count = levels.size();
    const QString mark = QStringLiteral("\u2026");
    // Each level at its shortest: its beginning, or the whole level where that is narrower.
    QStringList least;
    for (const QString& level : levels) {
        const QString cut = beginning(level, leastKept);
        least << (metrics.horizontalAdvance(cut) < metrics.horizontalAdvance(level) ? cut : level);
    }
    const auto leastFrom = [&](qsizetype folded) {
        double total = folded > 0 ? metrics.horizontalAdvance(mark) + separator : 0;
        for (qsizetype i = folded; i < count; ++i) total += metrics.horizontalAdvance(least[i]) + separator;
        return total;
    };
    qsizetype folded = 0;
    while (folded + 1 < count && leastFrom(folded) > width) ++folded;

    QStringList shown = levels;
    std::vector<qsizetype> kept(static_cast<std::size_t>(count));
    std::vector<double> widths(static_cast<std::size_t>(count), 0);
    double total = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (i < folded) shown[i] = i == 0 ? mark : QString();
        kept[i] = levels[i].size();
        widths[i] = shown[i].isEmpty() ? 0 : metrics.horizontalAdvance(shown[i]) + separator;
        total += widths[i];
    }
    while (total > width) {
        qsizetype widest = -1;
        for (qsizetype i = folded; i < count; ++i)
            if (shown[i] != least[i] && (widest < 0 || widths[i] > widths[widest])) widest = i;
        if (widest < 0) break;
        kept[widest] -= 1;
        shown[widest] = kept[widest] > leastKept ? beginning(levels[widest], kept[widest]) : least[widest];
        total -= widths[widest];
        widths[widest] = metrics.horizontalAdvance(shown[widest]) + separator;
        total += widths[widest];
    }
    return shown;
}

}  // namespace quillane
