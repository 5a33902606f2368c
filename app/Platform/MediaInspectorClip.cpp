// Reading the facts and one frame of a single clip with FFmpeg.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cmath>
#include <mutex>
#include <system_error>

#include "Platform/MediaInspector.h"
#include "Platform/MediaInspectorFFmpeg.h"
#include "Support/Text.h"

extern "C" {
#include <libavutil/display.h>
#include <libavutil/log.h>
}

namespace quillane::MediaInspector {

using namespace detail;

namespace {

// Bounds for reading one untrusted clip.
constexpr const char* probeBytes = "5000000";         // read while looking for stream facts
constexpr const char* analyzeMicroseconds = "3000000";
constexpr const char* maxStreams = "64";
constexpr auto timeLimit = std::chrono::seconds(20);  // after this every read of the clip fails
constexpr int maxPacketsToFrame = 1500;                // packets read after the seek to reach the frame
constexpr std::int64_t maxBytesToFrame = 256LL << 20;
constexpr int maxPixels = 100'000'000;                 // larger pictures are not decoded

// Containers a camera writes clips in; no demuxer that may open other files or the network.
constexpr const char* allowedFormats = "mov,mxf,mpegts,avi";

int pastDeadline(void* opaque) {
    const auto* deadline = static_cast<const std::chrono::steady_clock::time_point*>(opaque);
    return std::chrono::steady_clock::now() > *deadline ? 1 : 0;
}

bool isQuickTimeFamily(const AVFormatContext& format) {
    return format.iformat != nullptr && std::string_view(format.iformat->name).starts_with("mov");
}

// The four-character code that a QuickTime file would carry for a codec, for containers
// that carry none of their own (MXF, MPEG transport streams, AVI).
std::optional<std::uint32_t> quickTimeCode(const AVCodecParameters& parameters) {
    auto code = [](const char (&c)[5]) {
        return (std::uint32_t(std::uint8_t(c[0])) << 24) | (std::uint32_t(std::uint8_t(c[1])) << 16) |
               (std::uint32_t(std::uint8_t(c[2])) << 8) | std::uint32_t(std::uint8_t(c[3]));
    };
    switch (parameters.codec_id) {
        case AV_CODEC_ID_H264: return code("avc1");
        case AV_CODEC_ID_HEVC: return code("hvc1");
        case AV_CODEC_ID_MPEG4: return code("mp4v");
        case AV_CODEC_ID_MPEG2VIDEO: return code("mp2v");
        case AV_CODEC_ID_PRORES:
            switch (parameters.profile) {
                case FF_PROFILE_PRORES_PROXY: return code("apco");
                case FF_PROFILE_PRORES_LT: return code("apcs");
                case FF_PROFILE_PRORES_STANDARD: return code("apcn");
                case FF_PROFILE_PRORES_HQ: return code("apch");
                case FF_PROFILE_PRORES_4444: return code("ap4h");
                case FF_PROFILE_PRORES_XQ: return code("ap4x");
                default: return std::nullopt;
            }
        default: return std::nullopt;
    }
}

std::optional<std::string> codecOf(const AVFormatContext& format, const AVCodecParameters& parameters) {
    if (isQuickTimeFamily(format) && parameters.codec_tag != 0) {
        // FFmpeg keeps the code's first character in the lowest byte.
        const std::uint32_t tag = parameters.codec_tag;
        return codecName(((tag & 0xFF) << 24) | ((tag >> 8 & 0xFF) << 16) | ((tag >> 16 & 0xFF) << 8) | (tag >> 24));
    }
    if (auto code = quickTimeCode(parameters)) return codecName(*code);
    if (parameters.codec_id == AV_CODEC_ID_NONE) return std::nullopt;
    return Text::asciiUppercased(avcodec_get_name(parameters.codec_id));
}

std::optional<double> durationOf(const AVFormatContext& format, const AVStream& stream) {
    if (format.duration != AV_NOPTS_VALUE && format.duration >= 0)
        return static_cast<double>(format.duration) / AV_TIME_BASE;
    if (stream.duration != AV_NOPTS_VALUE && stream.duration >= 0 && stream.time_base.den > 0 &&
        stream.time_base.num > 0)
        return static_cast<double>(stream.duration) * av_q2d(stream.time_base);
    return std::nullopt;
}

std::optional<double> frameRateOf(const AVStream& stream) {
    for (AVRational rate : {stream.avg_frame_rate, stream.r_frame_rate}) {
        if (rate.num > 0 && rate.den > 0) {
            const double fps = av_q2d(rate);
            if (std::isfinite(fps) && fps > 0) return fps;
        }
    }
    return std::nullopt;
}

const AVStream* firstVideoStream(const AVFormatContext& format) {
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream* stream = format.streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return stream;
    }
    return nullptr;
}

// Decodes from where the reading stands up to the first frame at or after `target` (in stream
// time); the last one decoded when the bounds or the end come first; nothing when none decodes.
FrameHandle decodeUpTo(AVFormatContext& format, AVCodecContext& codec, const AVStream& stream, std::int64_t target) {
    PacketHandle packet(av_packet_alloc());
    FrameHandle frame(av_frame_alloc());
    FrameHandle found(av_frame_alloc());
    if (!packet || !frame || !found) return nullptr;
    bool haveFrame = false;
    bool draining = false;
    int packets = 0;
    std::int64_t bytes = 0;
    while (true) {
        if (!draining) {
            if (av_read_frame(&format, packet.get()) < 0 || ++packets > maxPacketsToFrame ||
                (bytes += packet->size) > maxBytesToFrame) {
                av_packet_unref(packet.get());
                draining = true;
                avcodec_send_packet(&codec, nullptr);
            } else {
                if (packet->stream_index == stream.index) avcodec_send_packet(&codec, packet.get());
                av_packet_unref(packet.get());  // a damaged packet is skipped; the next may decode
            }
        }
        int received;
        while ((received = avcodec_receive_frame(&codec, frame.get())) >= 0) {
            const std::int64_t pts = frame->best_effort_timestamp;
            av_frame_unref(found.get());
            av_frame_move_ref(found.get(), frame.get());
            haveFrame = true;
            if (pts == AV_NOPTS_VALUE || pts >= target) return found;
        }
        if (draining && received != AVERROR(EAGAIN)) break;  // end of stream, or an error while draining
    }
    return haveFrame ? std::move(found) : nullptr;
}

// The frame `seconds` into the stream. Seeks to the key frame before it rather than reading up
// to it; where the container's seek lands off a key frame (transport streams) and nothing
// decodes, reads once more from the start, within the same bounds.
FrameHandle frameAt(AVFormatContext& format, const AVStream& stream, double seconds) {
    const AVCodec* decoder = avcodec_find_decoder(stream.codecpar->codec_id);
    if (decoder == nullptr) return nullptr;
    CodecHandle codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), stream.codecpar) < 0) return nullptr;
    codec->thread_count = 1;  // four clips run at once already; one thread keeps memory small
    codec->max_pixels = maxPixels;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return nullptr;

    const std::int64_t start = stream.start_time != AV_NOPTS_VALUE ? stream.start_time : 0;
    if (stream.time_base.num <= 0 || stream.time_base.den <= 0) seconds = 0;  // no clock to seek by
    const std::int64_t offset =
        seconds > 0 ? av_rescale_q(std::llround(seconds * AV_TIME_BASE), AV_TIME_BASE_Q, stream.time_base) : 0;
    const std::int64_t target = offset <= 0 ? start : start > INT64_MAX - offset ? INT64_MAX : start + offset;
    // Without a seek the reading stands at the start, right after the stream facts.
    if (seconds <= 0 || av_seek_frame(&format, stream.index, target, AVSEEK_FLAG_BACKWARD) < 0)
        return decodeUpTo(format, *codec, stream, target);
    if (FrameHandle frame = decodeUpTo(format, *codec, stream, target)) return frame;
    avcodec_flush_buffers(codec.get());
    if (av_seek_frame(&format, stream.index, start, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(&format, -1, 0, AVSEEK_FLAG_BYTE) < 0)
        return nullptr;
    return decodeUpTo(format, *codec, stream, target);
}

}  // namespace

std::optional<ClipInfo> inspect(const std::filesystem::path& clip) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });

    // Only regular files: opening a FIFO or a device named like a clip could block for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(clip, error)) return std::nullopt;

    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    AVFormatContext* opened = avformat_alloc_context();
    if (opened == nullptr) return std::nullopt;
    opened->interrupt_callback.callback = &pastDeadline;
    opened->interrupt_callback.opaque = const_cast<std::chrono::steady_clock::time_point*>(&deadline);

    AVDictionary* options = nullptr;
    av_dict_set(&options, "probesize", probeBytes, 0);
    av_dict_set(&options, "analyzeduration", analyzeMicroseconds, 0);
    av_dict_set(&options, "max_streams", maxStreams, 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", allowedFormats, 0);
    const std::string url = "file:" + clip.string();
    const int opening = avformat_open_input(&opened, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opening < 0) return std::nullopt;  // FFmpeg has freed the context
    FormatHandle format(opened);

    // A failure here leaves the facts that the container's header gave.
    avformat_find_stream_info(format.get(), nullptr);
    const AVStream* video = firstVideoStream(*format);
    if (video == nullptr) return std::nullopt;

    ClipInfo info;
    info.duration = durationOf(*format, *video);
    const AVCodecParameters& parameters = *video->codecpar;
    if (parameters.width > 0 && parameters.height > 0) {
        info.width = parameters.width;
        info.height = parameters.height;
    }
    info.fps = frameRateOf(*video);
    info.codec = codecOf(*format, parameters);

    const double thumbnailTime = info.duration ? std::min(*info.duration / 2, 1.0) : 0.0;
    if (FrameHandle frame = frameAt(*format, *video, thumbnailTime)) {
        size_t matrixSize = 0;
        const std::uint8_t* matrix = av_stream_get_side_data(video, AV_PKT_DATA_DISPLAYMATRIX, &matrixSize);
        info.thumbnailJPEG = thumbnailJPEG(
            *frame, matrix != nullptr && matrixSize >= 9 * sizeof(std::int32_t)
                        ? reinterpret_cast<const std::int32_t*>(matrix)
                        : nullptr);
    }
    return info;
}

}  // namespace quillane::MediaInspector
