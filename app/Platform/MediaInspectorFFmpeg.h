#pragma once
// Owning handles for the FFmpeg objects the media inspector uses; each frees on every path.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <optional>
#include <string>

namespace quillane::MediaInspector::detail {

struct FormatClose {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFree {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

using FormatHandle = std::unique_ptr<AVFormatContext, FormatClose>;
using CodecHandle = std::unique_ptr<AVCodecContext, CodecFree>;
using FrameHandle = std::unique_ptr<AVFrame, FrameFree>;
using PacketHandle = std::unique_ptr<AVPacket, PacketFree>;
using ScalerHandle = std::unique_ptr<SwsContext, ScalerFree>;

// The decoded frame as a JPEG that fits within the thumbnail size, turned upright by the
// stream's display matrix (nine 16.16 fixed-point values, or null). Nothing when it fails.
std::optional<std::string> thumbnailJPEG(const AVFrame& frame, const std::int32_t* displayMatrix);

}  // namespace quillane::MediaInspector::detail
