#include "movie/movie_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <thread>

#include "movie/gif_palette.h"

namespace qv {

namespace {

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// FFmpeg and the encoders behind it (libx264, libvpx, libwebp) print settings, statistics and
// their own error lines on stderr; nothing of theirs reaches the terminal: failures come back as
// codes, which Check turns into one line of ours.
void DropLibraryLine(void*, int, const char*, va_list) {}

// Frames the video encoders keep queued ahead (x264's look-ahead, libvpx's lag): their
// presets' own count for pictures up to a million pixels, fewer for larger ones, so that the
// queue holds about 40 million pixels (x264 keeps some 25 bytes a pixel per frame with its
// half-pel planes) and a large movie's memory reaches its plateau within a few frames.
int64_t QueuedFrames(const MovieSettings& settings, int64_t preset) {
  constexpr int64_t kQueuedPixels = 40'000'000;
  const int64_t pixels = std::max<int64_t>(1, int64_t{settings.width} * settings.height);
  return std::clamp<int64_t>(kQueuedPixels / pixels, 4, preset);
}

// Each encoder thread holds frames of its own: as many threads as a large machine has cores
// would make the memory grow with the machine.
int EncoderThreads() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)); }

void Check(int code, const char* what) {
  if (code < 0) throw MovieError(std::string(what) + ": " + AvError(code));
}

struct Codec {
  const char* muxer;
  const char* encoder;
  AVPixelFormat opaque;
  AVPixelFormat transparent;
};

Codec CodecOf(MovieFormat format) {
  switch (format) {
    case MovieFormat::kMp4: return {"mp4", "libx264", AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUV420P};
    case MovieFormat::kWebm: return {"webm", "libvpx-vp9", AV_PIX_FMT_YUV420P, AV_PIX_FMT_YUVA420P};
    case MovieFormat::kGif: return {"gif", "gif", AV_PIX_FMT_PAL8, AV_PIX_FMT_PAL8};
    case MovieFormat::kApng: return {"apng", "apng", AV_PIX_FMT_RGB24, AV_PIX_FMT_RGBA};
    case MovieFormat::kWebp: return {"webp", "libwebp_anim", AV_PIX_FMT_BGRA, AV_PIX_FMT_BGRA};
  }
  return {};
}

// The container is written straight to the temporary file's descriptor.
int WriteToFile(void* opaque, uint8_t* data, int size) {
  const int fd = *static_cast<int*>(opaque);
  int left = size;
  while (left > 0) {
    const ssize_t written = write(fd, data, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return AVERROR(errno);
    }
    data += written;
    left -= static_cast<int>(written);
  }
  return size;
}

int64_t SeekInFile(void* opaque, int64_t offset, int whence) {
  const int fd = *static_cast<int*>(opaque);
  if (whence & AVSEEK_SIZE) {
    struct stat st {};
    return fstat(fd, &st) == 0 ? static_cast<int64_t>(st.st_size) : AVERROR(errno);
  }
  const off_t at = lseek(fd, offset, whence & ~AVSEEK_FORCE);
  return at < 0 ? AVERROR(errno) : static_cast<int64_t>(at);
}

}  // namespace

struct MovieEncoder::State {
  int fd = -1;
  MovieSettings settings;
  PaletteMapper* palette = nullptr;
  AVFormatContext* format = nullptr;
  AVIOContext* io = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int64_t nextPts = 0;
  bool headerWritten = false;

  ~State() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    if (io) av_freep(&io->buffer);
    avio_context_free(&io);
    avformat_free_context(format);
  }

  // Sends `input` (null: end of stream) and writes every packet the encoder gives back.
  void Encode(AVFrame* input) {
    Check(avcodec_send_frame(codec, input), "cannot encode a frame");
    for (;;) {
      const int got = avcodec_receive_packet(codec, packet);
      if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
      Check(got, "cannot encode a frame");
      // Each picture shows for one tick of 1/fps. Encoders with look-ahead (x264) leave the
      // duration out; without it, MP4's edit list ends where the last picture starts, so players
      // drop that picture, and WebM's duration falls a frame short.
      packet->duration = 1;
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      const int written = av_interleaved_write_frame(format, packet);  // takes the packet's data
      Check(written, "cannot write the movie");
    }
  }
};

MovieEncoder::MovieEncoder(int fd, const MovieSettings& settings, PaletteMapper* palette)
    : m_state(std::make_unique<State>()) {
  av_log_set_callback(DropLibraryLine);
  State& s = *m_state;
  s.fd = fd;
  s.settings = settings;
  s.palette = palette;
  const Codec kind = CodecOf(settings.format);
  if (settings.format == MovieFormat::kGif && !palette) throw MovieError("a GIF needs its palette");

  Check(avformat_alloc_output_context2(&s.format, nullptr, kind.muxer, nullptr), "cannot start the container");
  const AVCodec* encoder = avcodec_find_encoder_by_name(kind.encoder);
  if (!encoder) throw MovieError(std::string("this FFmpeg has no ") + kind.encoder + " encoder");
  s.stream = avformat_new_stream(s.format, nullptr);
  s.codec = avcodec_alloc_context3(encoder);
  s.frame = av_frame_alloc();
  s.packet = av_packet_alloc();
  if (!s.stream || !s.codec || !s.frame || !s.packet) throw MovieError("out of memory");

  const AVRational rate = av_d2q(settings.fps, 100000);
  s.codec->width = settings.width;
  s.codec->height = settings.height;
  s.codec->pix_fmt = settings.transparent ? kind.transparent : kind.opaque;
  s.codec->time_base = av_inv_q(rate);
  s.codec->framerate = rate;
  s.codec->sample_aspect_ratio = {1, 1};
  if (settings.format == MovieFormat::kMp4 || settings.format == MovieFormat::kWebm) {
    // What swscale's RGB to YUV conversion produces: BT.601 limited range.
    s.codec->color_range = AVCOL_RANGE_MPEG;
    s.codec->colorspace = AVCOL_SPC_SMPTE170M;
  }
  s.stream->time_base = s.codec->time_base;
  if (s.format->oformat->flags & AVFMT_GLOBALHEADER) s.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

  AVDictionary* options = nullptr;
  switch (settings.format) {
    case MovieFormat::kMp4:
      av_dict_set(&options, "crf", "16", 0);
      av_dict_set(&options, "preset", "medium", 0);
      av_dict_set_int(&options, "rc-lookahead", QueuedFrames(settings, 40), 0);
      s.codec->thread_count = EncoderThreads();
      break;
    case MovieFormat::kWebm:
      av_dict_set(&options, "crf", "20", 0);
      av_dict_set(&options, "b", "0", 0);
      av_dict_set(&options, "deadline", "realtime", 0);
      av_dict_set(&options, "cpu-used", "8", 0);
      av_dict_set(&options, "row-mt", "1", 0);
      av_dict_set_int(&options, "lag-in-frames", QueuedFrames(settings, 25), 0);
      s.codec->thread_count = EncoderThreads();
      break;
    case MovieFormat::kWebp:
      // Lossless: a logo's flat colours and sharp edges suffer most from 4:2:0 chroma.
      av_dict_set(&options, "lossless", "1", 0);
      av_dict_set(&options, "compression_level", "3", 0);
      break;
    case MovieFormat::kGif:
      // Each frame whole: a transparent pixel must not show the frame before it.
      av_dict_set(&options, "gifflags", "0", 0);
      break;
    case MovieFormat::kApng: break;
  }
  const int opened = avcodec_open2(s.codec, encoder, &options);
  av_dict_free(&options);
  Check(opened, "cannot start the encoder");
  Check(avcodec_parameters_from_context(s.stream->codecpar, s.codec), "cannot start the container");

  s.frame->format = s.codec->pix_fmt;
  s.frame->width = settings.width;
  s.frame->height = settings.height;
  Check(av_frame_get_buffer(s.frame, 0), "cannot make a frame");
  if (settings.format != MovieFormat::kGif && settings.format != MovieFormat::kApng) {
    s.scaler = sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGBA, settings.width, settings.height,
                              s.codec->pix_fmt, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr,
                              nullptr, nullptr);
    if (!s.scaler) throw MovieError("cannot convert pictures for the encoder");
  }

  constexpr int kBufferSize = 1 << 16;
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
  if (!buffer) throw MovieError("out of memory");
  s.io = avio_alloc_context(buffer, kBufferSize, 1, &s.fd, nullptr, WriteToFile, SeekInFile);
  if (!s.io) {
    av_free(buffer);
    throw MovieError("out of memory");
  }
  s.format->pb = s.io;
  s.format->flags |= AVFMT_FLAG_CUSTOM_IO;

  AVDictionary* muxing = nullptr;
  // Times played (0 forever) in each image format's own terms.
  if (settings.format == MovieFormat::kGif)
    av_dict_set_int(&muxing, "loop", settings.loops == 0 ? 0 : settings.loops == 1 ? -1 : settings.loops - 1, 0);
  if (settings.format == MovieFormat::kApng) av_dict_set_int(&muxing, "plays", settings.loops, 0);
  if (settings.format == MovieFormat::kWebp) av_dict_set_int(&muxing, "loop", settings.loops, 0);
  const int header = avformat_write_header(s.format, &muxing);
  av_dict_free(&muxing);
  Check(header, "cannot write the movie");
  s.headerWritten = true;
}

MovieEncoder::~MovieEncoder() = default;

void MovieEncoder::AddFrame(const RgbaImage& image) {
  State& s = *m_state;
  if (image.width != s.settings.width || image.height != s.settings.height)
    throw MovieError("a frame of the wrong size");
  Check(av_frame_make_writable(s.frame), "cannot make a frame");
  AVFrame* f = s.frame;
  const size_t rowBytes = static_cast<size_t>(image.width) * 4;
  switch (s.settings.format) {
    case MovieFormat::kApng:
      for (int y = 0; y < image.height; ++y) {
        const uint8_t* from = &image.pixels[y * rowBytes];
        uint8_t* to = f->data[0] + static_cast<ptrdiff_t>(y) * f->linesize[0];
        if (s.settings.transparent) {
          std::memcpy(to, from, rowBytes);
        } else {
          for (int x = 0; x < image.width; ++x, from += 4, to += 3) std::memcpy(to, from, 3);
        }
      }
      break;
    case MovieFormat::kGif: {
      for (int y = 0; y < image.height; ++y) {
        const uint8_t* from = &image.pixels[y * rowBytes];
        uint8_t* to = f->data[0] + static_cast<ptrdiff_t>(y) * f->linesize[0];
        for (int x = 0; x < image.width; ++x, from += 4) to[x] = s.palette->Index(from);
      }
      // The encoder reads the palette (0xAARRGGBB, native order) from the second plane; the
      // transparent index is the entry with alpha 0.
      auto* entries = reinterpret_cast<uint32_t*>(f->data[1]);
      std::memset(entries, 0, AVPALETTE_SIZE);
      const auto& palette = s.palette->Palette();
      for (size_t i = 0; i < palette.size() && i < AVPALETTE_COUNT; ++i) entries[i] = palette[i];
      break;
    }
    default: {
      const uint8_t* source[1] = {image.pixels.data()};
      const int stride[1] = {static_cast<int>(rowBytes)};
      sws_scale(s.scaler, source, stride, 0, image.height, f->data, f->linesize);
      break;
    }
  }
  f->pts = s.nextPts++;
  s.Encode(f);
}

void MovieEncoder::Finish() {
  State& s = *m_state;
  s.Encode(nullptr);
  if (s.settings.format == MovieFormat::kGif && s.nextPts > 0) {
    // GIF keeps no packet durations: its muxer gives the last picture the delay of the one before
    // (none to a single picture). It lasts to the movie's end, in the hundredths GIF counts.
    const AVRational hundredths{1, 100};
    const int64_t end = av_rescale_q(s.nextPts, s.codec->time_base, hundredths);
    const int64_t start = av_rescale_q(s.nextPts - 1, s.codec->time_base, hundredths);
    Check(av_opt_set_int(s.format->priv_data, "final_delay", end - start, 0), "cannot finish the movie");
  }
  Check(av_write_trailer(s.format), "cannot finish the movie");
  avio_flush(s.io);
  if (s.io->error < 0) Check(s.io->error, "cannot write the movie");
}

}  // namespace qv
