#include "movie/movie_reader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <webp/demux.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <cstdint>
#include <memory>

#include "movie/movie_encoder.h"

namespace qv {

namespace {

void Check(int code, const std::string& what) {
  if (code < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    throw MovieError(what + ": " + text);
  }
}

struct Reader {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  ~Reader() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
  }
};

int64_t FrameDuration(const AVFrame* frame) {
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(58, 2, 100)
  return frame->duration;
#else
  return frame->pkt_duration;
#endif
}

bool IsWebp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char head[12] = {};
  file.read(head, sizeof head);
  return file && std::string(head, 4) == "RIFF" && std::string(head + 8, 4) == "WEBP";
}

// This FFmpeg decodes still WebP pictures only: animated ones go through libwebp itself, the
// library its WebP encoder wraps.
MovieFileInfo ReadWebp(const std::string& path,
                       const std::function<void(int64_t index, const RgbaImage& image)>& onFrame) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  WebPData data{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_RGBA;
  std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(WebPAnimDecoderNew(&data, &options),
                                                                       WebPAnimDecoderDelete);
  WebPAnimInfo anim{};
  if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &anim)) throw MovieError("cannot decode " + path);
  MovieFileInfo info;
  info.width = static_cast<int>(anim.canvas_width);
  info.height = static_cast<int>(anim.canvas_height);
  RgbaImage image;
  image.width = info.width;
  image.height = info.height;
  int firstEnd = 0, lastEnd = 0;  // each frame's time is when it ends, in milliseconds
  while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
    uint8_t* pixels = nullptr;
    int end = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &end)) throw MovieError("cannot decode " + path);
    if (info.frames == 0) firstEnd = end;
    lastEnd = end;
    if (onFrame) {
      image.pixels.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 4);
      onFrame(info.frames, image);
    }
    ++info.frames;
  }
  if (info.frames > 1 && lastEnd > firstEnd) info.fps = (info.frames - 1) * 1000.0 / (lastEnd - firstEnd);
  info.seconds = lastEnd / 1000.0;  // the first picture starts at 0
  return info;
}

}  // namespace

MovieFileInfo ReadMovieFile(const std::string& path,
                            const std::function<void(int64_t index, const RgbaImage& image)>& onFrame) {
  if (IsWebp(path)) return ReadWebp(path, onFrame);
  av_log_set_level(AV_LOG_ERROR);
  Reader r;
  Check(avformat_open_input(&r.format, path.c_str(), nullptr, nullptr), "cannot open " + path);
  Check(avformat_find_stream_info(r.format, nullptr), "cannot read " + path);
  const int streamIndex = av_find_best_stream(r.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  Check(streamIndex, "no pictures in " + path);
  AVStream* stream = r.format->streams[streamIndex];
  const AVCodec* decoder = stream->codecpar->codec_id == AV_CODEC_ID_VP9 ? avcodec_find_decoder_by_name("libvpx-vp9")
                                                                         : nullptr;
  if (!decoder) decoder = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!decoder) throw MovieError("no decoder for " + path);
  r.codec = avcodec_alloc_context3(decoder);
  r.frame = av_frame_alloc();
  r.packet = av_packet_alloc();
  if (!r.codec || !r.frame || !r.packet) throw MovieError("out of memory");
  Check(avcodec_parameters_to_context(r.codec, stream->codecpar), "cannot read " + path);
  Check(avcodec_open2(r.codec, decoder, nullptr), "cannot decode " + path);

  MovieFileInfo info;
  info.width = stream->codecpar->width;
  info.height = stream->codecpar->height;
  // The frame rate from the pictures' own times: the container's figures are estimates that
  // short streams get wrong.
  int64_t firstTime = INT64_MAX, lastTime = INT64_MIN, lastEnd = INT64_MIN;
  RgbaImage image;

  const auto drain = [&] {
    for (;;) {
      const int got = avcodec_receive_frame(r.codec, r.frame);
      if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
      Check(got, "cannot decode " + path);
      if (r.frame->best_effort_timestamp != AV_NOPTS_VALUE) {
        firstTime = std::min(firstTime, r.frame->best_effort_timestamp);
        lastTime = std::max(lastTime, r.frame->best_effort_timestamp);
        lastEnd = std::max(lastEnd, r.frame->best_effort_timestamp + FrameDuration(r.frame));
      }
      if (onFrame) {
        image.width = r.frame->width;
        image.height = r.frame->height;
        image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
        r.scaler = sws_getCachedContext(r.scaler, r.frame->width, r.frame->height,
                                        static_cast<AVPixelFormat>(r.frame->format), image.width, image.height,
                                        AV_PIX_FMT_RGBA, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT,
                                        nullptr, nullptr, nullptr);
        if (!r.scaler) throw MovieError("cannot convert the pictures of " + path);
        uint8_t* to[1] = {image.pixels.data()};
        const int stride[1] = {image.width * 4};
        sws_scale(r.scaler, r.frame->data, r.frame->linesize, 0, r.frame->height, to, stride);
        onFrame(info.frames, image);
      }
      ++info.frames;
    }
  };
  for (;;) {
    const int read = av_read_frame(r.format, r.packet);
    if (read == AVERROR_EOF) break;
    Check(read, "cannot read " + path);
    if (r.packet->stream_index == streamIndex) {
      const int sent = avcodec_send_packet(r.codec, r.packet);
      av_packet_unref(r.packet);
      Check(sent, "cannot decode " + path);
      drain();
    } else {
      av_packet_unref(r.packet);
    }
  }
  Check(avcodec_send_packet(r.codec, nullptr), "cannot decode " + path);
  drain();
  if (info.frames > 1 && lastTime > firstTime) {
    info.fps = static_cast<double>(info.frames - 1) / (static_cast<double>(lastTime - firstTime) * av_q2d(stream->time_base));
  } else {
    const AVRational rate = stream->r_frame_rate.num ? stream->r_frame_rate : stream->avg_frame_rate;
    info.fps = rate.den ? av_q2d(rate) : 0;
  }
  // Players end where the container says (an MP4's edit list, a WebM's duration); formats that
  // state no length end with the last picture.
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
    info.seconds = static_cast<double>(stream->duration) * av_q2d(stream->time_base);
  else if (r.format->duration != AV_NOPTS_VALUE && r.format->duration > 0)
    info.seconds = static_cast<double>(r.format->duration) / AV_TIME_BASE;
  else if (lastEnd > firstTime)
    info.seconds = static_cast<double>(lastEnd - firstTime) * av_q2d(stream->time_base);
  return info;
}

}  // namespace qv
