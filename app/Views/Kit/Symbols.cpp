#include "Views/Kit/Symbols.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QRectF>
#include <QSvgRenderer>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace quillane::Symbols {

namespace {
struct Entry {
    const char* name;
    const char* file;  // under :/icons/
};

// Name → SVG. Outline symbols come from the Tabler set, filled ones from its filled set; "own/"
// files are drawn for this application where the set has no fitting shape.
const Entry table[] = {
    {"arrow.down.circle.fill", "filled/circle-arrow-down.svg"},
    {"arrow.left", "outline/arrow-left.svg"},
    {"arrow.left.arrow.right", "outline/arrows-left-right.svg"},
    {"arrow.right", "outline/arrow-right.svg"},
    {"brain", "outline/brain.svg"},
    {"calendar", "outline/calendar.svg"},
    {"calendar.badge.clock", "outline/calendar-clock.svg"},
    {"calendar.day.timeline.left", "outline/calendar-event.svg"},
    {"camera", "outline/camera.svg"},
    {"checkmark", "outline/check.svg"},
    {"checkmark.circle.fill", "filled/circle-check.svg"},
    {"checkmark.seal.fill", "filled/rosette-discount-check.svg"},
    {"chevron.down", "outline/chevron-down.svg"},
    {"chevron.left", "outline/chevron-left.svg"},
    {"chevron.right", "outline/chevron-right.svg"},
    {"circle", "outline/circle.svg"},
    {"clock.arrow.circlepath", "outline/history.svg"},
    {"doc.text", "outline/file-text.svg"},
    {"eject.fill", "filled/player-eject.svg"},
    {"ellipsis", "outline/dots.svg"},
    {"exclamationmark", "outline/exclamation-mark.svg"},
    {"exclamationmark.triangle.fill", "filled/alert-triangle.svg"},
    {"externaldrive", "own/externaldrive.svg"},
    {"externaldrive.fill", "own/externaldrive-filled.svg"},
    {"eye.slash", "outline/eye-off.svg"},
    {"film", "outline/movie.svg"},
    {"folder", "outline/folder.svg"},
    {"folder.badge.gearshape", "outline/folder-cog.svg"},
    {"folder.badge.plus", "outline/folder-plus.svg"},
    {"folder.fill", "filled/folder.svg"},
    {"gearshape", "outline/settings.svg"},
    {"graduationcap", "outline/school.svg"},
    {"graduationcap.fill", "filled/school.svg"},
    {"magnifyingglass", "outline/search.svg"},
    {"pause.circle.fill", "own/pause-circle-filled.svg"},
    {"pause.fill", "filled/player-pause.svg"},
    {"play.fill", "filled/player-play.svg"},
    {"plus", "outline/plus.svg"},
    {"sdcard", "outline/device-sd-card.svg"},
    {"sdcard.fill", "own/sdcard-filled.svg"},
    {"sparkles", "outline/sparkles.svg"},
    {"stop.circle.fill", "own/stop-circle-filled.svg"},
    {"text.line.last.and.arrowtriangle.forward", "outline/playlist-add.svg"},
    {"video", "outline/video.svg"},
    {"waveform", "outline/wave-sine.svg"},
    {"xmark", "outline/x.svg"},
    {"xmark.circle.fill", "filled/circle-x.svg"},
    {"xmark.octagon.fill", "filled/alert-octagon.svg"},
};

// Stroke width in the 24-unit drawing for a font weight (the set draws at 2).
double strokeWidth(QFont::Weight weight) {
    if (weight <= QFont::Light) return 1.5;
    if (weight <= QFont::Normal) return 1.75;
    if (weight <= QFont::Medium) return 2.0;
    if (weight <= QFont::DemiBold) return 2.25;
    if (weight <= QFont::Bold) return 2.5;
    return 2.75;
}

// The SVG text with its stroke width set for the weight, read once per name and weight.
QByteArray svgData(const QString& path, QFont::Weight weight) {
    static QHash<QString, QByteArray> files;
    auto it = files.find(path);
    if (it == files.end()) {
        QFile file(path);
        it = files.insert(path, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    QByteArray data = *it;
    data.replace("stroke-width=\"2\"", QByteArray("stroke-width=\"") + QByteArray::number(strokeWidth(weight)) + '"');
    return data;
}
}  // namespace

QStringList names() {
    QStringList all;
    for (const Entry& entry : table) all << QString::fromLatin1(entry.name);
    all.sort();
    return all;
}

QString resourcePath(const QString& name) {
    for (const Entry& entry : table)
        if (name == QLatin1String(entry.name)) return QStringLiteral(":/icons/") + QLatin1String(entry.file);
    return {};
}

double side(double fontPx) { return std::round(fontPx * 1.25); }

QPixmap pixmap(const QString& name, double sidePx, const QColor& color, QFont::Weight weight, qreal dpr) {
    const QString path = resourcePath(name);
    if (path.isEmpty()) {
        qWarning("Unknown symbol: %s", qUtf8Printable(name));
        return {};
    }
    const int device = std::max(1, static_cast<int>(std::ceil(sidePx * dpr)));
    const QString key = QStringLiteral("%1|%2|%3|%4").arg(name).arg(device).arg(color.rgba()).arg(int(weight));
    static QHash<QString, QPixmap> cache;
    if (const auto hit = cache.constFind(key); hit != cache.constEnd()) return *hit;

    QImage image(device, device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QSvgRenderer renderer(svgData(path, weight));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, device, device));
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(dpr);
    cache.insert(key, result);
    return result;
}

void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color, QFont::Weight weight) {
    const double s = std::min(rect.width(), rect.height());
    const QPixmap image = pixmap(name, s, color, weight, painter.device() ? painter.device()->devicePixelRatioF() : 1.0);
    if (image.isNull()) return;
    const QRectF target(rect.center().x() - s / 2, rect.center().y() - s / 2, s, s);
    painter.drawPixmap(target, image, QRectF(image.rect()));
}

}  // namespace quillane::Symbols
