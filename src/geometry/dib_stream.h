#pragma once
// DibStream: an image decoded from a texture file, 8 bits per channel, rows from the top.
#include <cstdint>
#include <string>

#include "scene/material.h"

namespace qv {

class DibStream {
 public:
  DibStream() = default;
  ~DibStream();
  DibStream(const DibStream&) = delete;
  DibStream& operator=(const DibStream&) = delete;
  DibStream(DibStream&& other) noexcept;
  DibStream& operator=(DibStream&& other) noexcept;

  // Decodes a file (JPEG, PNG, BMP, TGA, PSD, GIF, HDR, PIC, PNM) with the file's own channel
  // count. True when the image has a width and a height; otherwise no pixels remain.
  // `path` is a file system path (UTF-8 on this platform).
  bool Load(const std::string& path);
  // The image size from the file's header alone, without decoding; false when the format is not
  // recognised.
  static bool ReadSize(const std::string& path, int32_t& width, int32_t& height);
  void Clear();

  // The pixel at (x, y) as 0xAARRGGBB: three channels are opaque, four carry their alpha, and
  // grey images (one or two channels) become transparent black. 0 outside the image.
  uint32_t GetPixel(int32_t x, int32_t y) const;
  // All pixels converted as by GetPixel, rows from the top.
  TextureImage ToTextureImage() const;

  const uint8_t* Pixels() const { return m_pixels; }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  int32_t Channels() const { return m_channels; }
  bool Empty() const { return m_pixels == nullptr; }

 private:
  uint8_t* m_pixels = nullptr;  // owned, from the decoder
  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_channels = 0;
};

}  // namespace qv
