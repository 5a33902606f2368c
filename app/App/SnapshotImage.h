#pragma once
#include <QImage>
#include <QRectF>
#include <QString>
#include <optional>

namespace quillane::Snapshot {

// The image a shot is stored as: cropped to a rectangle given in points (scaled by the
// capture's pixels per point), and for "feature-" shots redrawn exactly 1600 pixels wide.
// A crop that falls outside the capture leaves it uncropped.
QImage prepared(const QImage& capture, std::optional<QRectF> crop, const QString& name);
// Writes the prepared image as a PNG in folder, replacing an earlier file. Nothing for a null
// capture; false when it could not be written.
bool write(const QImage& capture, std::optional<QRectF> crop, const QString& folder, const QString& name);

}  // namespace quillane::Snapshot
