#include "geometry/dib_stream.h"

#include <stb/stb_image.h>

#include <memory>
#include <utility>
#include <vector>

namespace qv {

DibStream::~DibStream() { Clear(); }

DibStream::DibStream(DibStream&& other) noexcept
    : m_pixels(std::exchange(other.m_pixels, nullptr)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_channels(std::exchange(other.m_channels, 0)) {}

DibStream& DibStream::operator=(DibStream&& other) noexcept {
  if (this != &other) {
    Clear();
    m_pixels = std::exchange(other.m_pixels, nullptr);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_channels = std::exchange(other.m_channels, 0);
  }
  return *this;
}

void DibStream::Clear() {
  if (m_pixels) stbi_image_free(m_pixels);
  m_pixels = nullptr;
  m_width = m_height = m_channels = 0;
}

bool DibStream::ReadSize(const std::string& path, int32_t& width, int32_t& height) {
  int w = 0, h = 0, channels = 0;
  if (!stbi_info(path.c_str(), &w, &h, &channels)) return false;
  width = w;
  height = h;
  return true;
}

bool DibStream::Load(const std::string& path) {
  Clear();
  int width = 0, height = 0, channels = 0;
  // The library's own defaults: the file's channel count, top row first.
  stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
  if (!pixels) return false;
  if (width <= 0 || height <= 0 || channels < 1 || channels > 4) {
    stbi_image_free(pixels);
    return false;
  }
  m_pixels = pixels;
  m_width = width;
  m_height = height;
  m_channels = channels;
  return true;
}

uint32_t DibStream::GetPixel(int32_t x, int32_t y) const {
  if (!m_pixels || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  const uint8_t* p = m_pixels + (static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)) *
                                    static_cast<size_t>(m_channels);
  switch (m_channels) {
    case 3:
      return 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    case 4:
      return (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    default:
      return 0;  // grey images have no colour conversion: transparent black
  }
}

TextureImage DibStream::ToTextureImage() const {
  TextureImage image;
  if (!m_pixels) return image;
  image.width = m_width;
  image.height = m_height;
  const size_t count = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
  auto pixels = std::make_shared<std::vector<uint32_t>>(count);
  image.pixels = pixels;
  const uint8_t* p = m_pixels;
  uint32_t* out = pixels->data();
  if (m_channels == 3) {
    for (size_t i = 0; i < count; ++i, p += 3) out[i] = 0xFF000000u | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
  } else if (m_channels == 4) {
    for (size_t i = 0; i < count; ++i, p += 4)
      out[i] = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
  }  // other channel counts stay 0
  return image;
}

}  // namespace qv
