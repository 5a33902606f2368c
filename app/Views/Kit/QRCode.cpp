#include "Views/Kit/QRCode.h"

#include <qrencode.h>

#include <algorithm>
#include <memory>

namespace quillane::QRCode {

QImage image(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    struct Free {
        void operator()(QRcode* code) const { QRcode_free(code); }
    };
    const std::unique_ptr<QRcode, Free> code(QRcode_encodeData(
        static_cast<int>(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()), 0, QR_ECLEVEL_M));
    if (!code || code->width <= 0) return {};

    const int modules = code->width + 2 * quietZone;
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            if ((code->data[y * code->width + x] & 1) == 0) continue;
            const int left = (x + quietZone) * scale;
            const int top = (y + quietZone) * scale;
            for (int row = top; row < top + scale; ++row) {
                uchar* line = image.scanLine(row);
                std::fill(line + left, line + left + scale, uchar(0));
            }
        }
    }
    return image;
}

}  // namespace quillane::QRCode
