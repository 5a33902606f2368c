// Turning a decoded frame into the report's thumbnail: scaled, upright, JPEG.
#include <QImage>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "Platform/MediaInspector.h"
#include "Platform/MediaInspectorFFmpeg.h"

#include <jpeglib.h>

namespace quillane::MediaInspector::detail {

namespace {

constexpr int jpegQuality = 70;

// The turn and mirroring of a display matrix, without its scaling; identity when the matrix
// is not a multiple of a quarter turn (possibly mirrored).
QTransform orientation(const std::int32_t* matrix) {
    if (matrix == nullptr) return {};
    const double a = matrix[0] / 65536.0, b = matrix[1] / 65536.0;
    const double c = matrix[3] / 65536.0, d = matrix[4] / 65536.0;
    const double determinant = a * d - b * c;
    if (!std::isfinite(determinant) || std::abs(determinant) < 1e-6) return {};
    const double scale = std::sqrt(std::abs(determinant));
    const int ra = static_cast<int>(std::lround(a / scale)), rb = static_cast<int>(std::lround(b / scale));
    const int rc = static_cast<int>(std::lround(c / scale)), rd = static_cast<int>(std::lround(d / scale));
    const bool quarterTurns =
        std::abs(ra) + std::abs(rb) == 1 && std::abs(rc) + std::abs(rd) == 1 && ra * rc + rb * rd == 0;
    if (!quarterTurns) return {};
    return QTransform(ra, rb, rc, rd, 0, 0);
}

int colorSpaceOf(const AVFrame& frame) {
    // The decoder passes on whatever number the clip states, also ones the enumeration lacks:
    // read it as a number, since loading such a value as the enumeration is undefined.
    std::underlying_type_t<AVColorSpace> space;
    std::memcpy(&space, &frame.colorspace, sizeof space);
    if (static_cast<unsigned>(space) < AVCOL_SPC_NB && space != AVCOL_SPC_UNSPECIFIED && space != AVCOL_SPC_RESERVED)
        return static_cast<int>(space);
    return frame.height >= 720 ? SWS_CS_ITU709 : SWS_CS_ITU601;  // what untagged HD and SD footage mean
}

// libjpeg reports a failure by calling error_exit, which must not return: jump back instead
// of its default, which ends the process.
struct JpegState {
    jpeg_error_mgr errors;
    std::jmp_buf failed;
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
};

[[noreturn]] void jpegFailed(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegState*>(info->err)->failed, 1); }
void jpegQuiet(j_common_ptr) {}

// RGBX rows as a baseline JPEG. Only plain data lives between setjmp and longjmp.
std::optional<std::string> encodeJPEG(const QImage& image) {
    jpeg_compress_struct compressor{};
    JpegState state{};
    compressor.err = jpeg_std_error(&state.errors);
    state.errors.error_exit = jpegFailed;
    state.errors.output_message = jpegQuiet;
    if (setjmp(state.failed) != 0) {
        jpeg_destroy_compress(&compressor);
        std::free(state.output);
        return std::nullopt;
    }
    jpeg_create_compress(&compressor);
    jpeg_mem_dest(&compressor, &state.output, &state.outputSize);
    compressor.image_width = static_cast<JDIMENSION>(image.width());
    compressor.image_height = static_cast<JDIMENSION>(image.height());
    compressor.input_components = 4;
    compressor.in_color_space = JCS_EXT_RGBX;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, jpegQuality, TRUE);
    jpeg_start_compress(&compressor, TRUE);
    while (compressor.next_scanline < compressor.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(static_cast<int>(compressor.next_scanline)));
        jpeg_write_scanlines(&compressor, &row, 1);
    }
    jpeg_finish_compress(&compressor);
    std::optional<std::string> bytes;
    if (state.output != nullptr && state.outputSize > 0)
        bytes.emplace(reinterpret_cast<const char*>(state.output), state.outputSize);
    jpeg_destroy_compress(&compressor);
    std::free(state.output);
    return bytes;
}

}  // namespace

std::optional<std::string> thumbnailJPEG(const AVFrame& frame, const std::int32_t* displayMatrix) {
    const auto pixelFormat = static_cast<AVPixelFormat>(frame.format);
    if (frame.width <= 0 || frame.height <= 0 || pixelFormat == AV_PIX_FMT_NONE || !sws_isSupportedInput(pixelFormat))
        return std::nullopt;

    // Anamorphic pictures are shown at their display aspect.
    double pixelAspect = frame.sample_aspect_ratio.num > 0 && frame.sample_aspect_ratio.den > 0
                             ? av_q2d(frame.sample_aspect_ratio)
                             : 1.0;
    pixelAspect = std::clamp(pixelAspect, 0.25, 4.0);
    const double displayWidth = frame.width * pixelAspect;
    const double scale = std::min(1.0, thumbnailSize / std::max(displayWidth, double(frame.height)));
    const int width = std::clamp(static_cast<int>(std::lround(displayWidth * scale)), 1, thumbnailSize);
    const int height = std::clamp(static_cast<int>(std::lround(frame.height * scale)), 1, thumbnailSize);

    // RGBX bytes in memory order, as both the scaler and libjpeg name them.
    QImage image(width, height, QImage::Format_RGBX8888);
    if (image.isNull()) return std::nullopt;
    ScalerHandle scaler(sws_getContext(frame.width, frame.height, pixelFormat, width, height, AV_PIX_FMT_RGB0,
                                       SWS_AREA, nullptr, nullptr, nullptr));
    if (!scaler) return std::nullopt;
    const bool fullRange = frame.color_range == AVCOL_RANGE_JPEG || pixelFormat == AV_PIX_FMT_YUVJ420P ||
                           pixelFormat == AV_PIX_FMT_YUVJ422P || pixelFormat == AV_PIX_FMT_YUVJ444P;
    sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(colorSpaceOf(frame)), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    std::uint8_t* destination[4] = {image.bits(), nullptr, nullptr, nullptr};
    int destinationStride[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, destination, destinationStride) <= 0)
        return std::nullopt;

    const QTransform turn = orientation(displayMatrix);
    if (!turn.isIdentity()) image = image.transformed(turn);
    if (image.format() != QImage::Format_RGBX8888) image.convertTo(QImage::Format_RGBX8888);
    if (image.isNull()) return std::nullopt;
    return encodeJPEG(image);
}

}  // namespace quillane::MediaInspector::detail
