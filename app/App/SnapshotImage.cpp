#include "App/SnapshotImage.h"

#include <QDir>
#include <QSaveFile>
#include <cmath>

namespace quillane::Snapshot {

QImage prepared(const QImage& capture, std::optional<QRectF> crop, const QString& name) {
    if (capture.isNull()) return {};
    QImage image = capture;
    if (crop) {
        const double scale = capture.devicePixelRatio() > 0 ? capture.devicePixelRatio() : 1.0;
        const QRect pixels(static_cast<int>(std::lround(crop->x() * scale)),
                           static_cast<int>(std::lround(crop->y() * scale)),
                           static_cast<int>(std::lround(crop->width() * scale)),
                           static_cast<int>(std::lround(crop->height() * scale)));
        if (!pixels.isEmpty() && capture.rect().contains(pixels)) image = capture.copy(pixels);
    }
    if (name.startsWith(QLatin1String("feature-")) && image.width() > 0) {
        const int height = static_cast<int>(std::lround(1600.0 * image.height() / image.width()));
        const QImage scaled = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                  .scaled(1600, std::max(height, 1), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!scaled.isNull()) image = scaled;
    }
    image.setDevicePixelRatio(1.0);
    return image;
}

bool write(const QImage& capture, std::optional<QRectF> crop, const QString& folder, const QString& name) {
    const QImage image = prepared(capture, crop, name);
    if (image.isNull()) return false;
    QSaveFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace quillane::Snapshot
