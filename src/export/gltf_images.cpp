#include "export/gltf_images.h"

#include <stb_image_write.h>  // implementation provided by Debian's libstb
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace qv {

namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, std::initializer_list<uint8_t> prefix) {
  if (bytes.size() < prefix.size()) return false;
  size_t i = 0;
  for (uint8_t b : prefix)
    if (bytes[i++] != b) return false;
  return true;
}

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The bytes of filtered scanlines that the header announces: a filter byte and the packed pixels of
// each row, for each of the seven passes of an interlaced image. Zero for a header that says
// nothing valid.
uint64_t FilteredImageSize(const uint8_t* header) {
  const uint64_t width = BigEndian32(header), height = BigEndian32(header + 4);
  const unsigned depth = header[8], colour = header[9], interlace = header[12];
  unsigned channels = 0;
  switch (colour) {
    case 0: case 3: channels = 1; break;
    case 2: channels = 3; break;
    case 4: channels = 2; break;
    case 6: channels = 4; break;
    default: return 0;
  }
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF || interlace > 1 ||
      (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16))
    return 0;
  const uint64_t bits = uint64_t{channels} * depth;
  auto rows = [&](uint64_t w, uint64_t h) { return w == 0 || h == 0 ? 0 : h * (1 + (w * bits + 7) / 8); };
  if (interlace == 0) return rows(width, height);
  // Adam7: each pass's first column and row, and the steps between them.
  static const unsigned kPass[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                        {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  uint64_t total = 0;
  for (const auto& p : kPass)
    total += rows((width + p[2] - 1 - p[0]) / p[2], (height + p[3] - 1 - p[1]) / p[3]);
  return total;
}

// Whether the concatenated image data inflates, checksum and all, to exactly `expected` bytes.
bool ImageDataInflates(const std::vector<uint8_t>& data, uint64_t expected) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  std::vector<uint8_t> scratch(1 << 16);
  uint64_t produced = 0;
  size_t offset = 0;
  int status = Z_OK;
  while (status == Z_OK) {
    if (stream.avail_in == 0 && offset < data.size()) {
      const size_t piece = std::min<size_t>(data.size() - offset, 1u << 30);
      stream.next_in = const_cast<Bytef*>(data.data() + offset);
      stream.avail_in = static_cast<uInt>(piece);
      offset += piece;
    }
    stream.next_out = scratch.data();
    stream.avail_out = static_cast<uInt>(scratch.size());
    status = inflate(&stream, Z_NO_FLUSH);
    produced += scratch.size() - stream.avail_out;
    if (produced > expected) break;
    if (status == Z_BUF_ERROR && stream.avail_in == 0 && offset >= data.size()) break;  // cut short
  }
  const bool ended = status == Z_STREAM_END && stream.avail_in == 0 && offset >= data.size();
  inflateEnd(&stream);
  return ended && produced == expected;
}

// The PNG with only the chunks that say what the pixels are (header, palette, transparency, data,
// end): colour-space, gamma and pixel-shape notes are dropped, as the viewport ignores them and
// glTF readers may not support them. Empty when the file is damaged anywhere a browser would
// stop: a chunk's checksum, the chunk order, the compressed data or its amount. The decoder we
// read textures with forgives such damage, browsers do not.
std::vector<uint8_t> PlainPng(const std::vector<uint8_t>& png) {
  static const std::string kKept[] = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
  std::vector<uint8_t> out(png.begin(), png.begin() + 8);
  std::vector<uint8_t> imageData;
  uint64_t expected = 0;
  bool dataEnded = false;
  std::string previous;
  size_t offset = 8;
  while (offset + 12 <= png.size()) {
    const size_t length = BigEndian32(&png[offset]);
    if (length > 0x7FFFFFFF || length > png.size() - offset - 12) return {};
    const std::string type(png.begin() + offset + 4, png.begin() + offset + 8);
    const uint8_t* data = &png[offset + 8];
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), &png[offset + 4], static_cast<uInt>(length + 4));
    if (crc != BigEndian32(data + length)) return {};
    if ((type == "IHDR") != previous.empty()) return {};
    if (type == "IHDR" && (length != 13 || (expected = FilteredImageSize(data)) == 0)) return {};
    if (type == "IDAT") {
      if (dataEnded) return {};  // image data comes in consecutive chunks
      imageData.insert(imageData.end(), data, data + length);
    } else if (previous == "IDAT") {
      dataEnded = true;
    }
    if (std::find(std::begin(kKept), std::end(kKept), type) != std::end(kKept))
      out.insert(out.end(), png.begin() + offset, png.begin() + offset + 12 + length);
    offset += 12 + length;
    previous = type;
    if (type == "IEND") return ImageDataInflates(imageData, expected) ? out : std::vector<uint8_t>{};
  }
  return {};
}

// The decoded A8R8G8B8 image as PNG bytes.
std::vector<uint8_t> EncodePng(const TextureImage& image) {
  std::vector<uint8_t> rgba(image.size() * 4);
  for (size_t i = 0; i < image.size(); ++i) {
    const uint32_t argb = image.data()[i];
    rgba[i * 4 + 0] = static_cast<uint8_t>(argb >> 16);
    rgba[i * 4 + 1] = static_cast<uint8_t>(argb >> 8);
    rgba[i * 4 + 2] = static_cast<uint8_t>(argb);
    rgba[i * 4 + 3] = static_cast<uint8_t>(argb >> 24);
  }
  std::vector<uint8_t> png;
  stbi_write_png_to_func(AppendBytes, &png, image.width, image.height, 4, rgba.data(), image.width * 4);
  return png;
}

}  // namespace

std::optional<ResolvedTexture> ResolveTexture(const CMaterial& material, const TextureLookup& lookup,
                                              std::string& failure) {
  if (material.m_texture.empty()) return std::nullopt;
  CMaterial probe;
  probe.m_texture = material.m_texture;
  TextureLoadReport report;
  if (!LoadTexture(probe, lookup, {}, &report) || probe.m_image.empty()) {
    failure = report.failure.empty() ? "not found or not a supported image" : report.failure;
    return std::nullopt;
  }
  ResolvedTexture texture;
  texture.foundPath = report.foundPath;
  for (uint32_t argb : *probe.m_image.pixels)
    if ((argb >> 24) != 0xFF) {
      texture.translucent = true;
      break;
    }
  std::ifstream file(report.foundPath, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<uint8_t> plain;
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) && !(plain = PlainPng(bytes)).empty()) {
    texture.image = {std::move(plain), "image/png", ""};
  } else if (StartsWith(bytes, {0xFF, 0xD8, 0xFF})) {
    texture.image = {std::move(bytes), "image/jpeg", ""};
  } else {
    texture.image = {EncodePng(probe.m_image), "image/png", ""};
    if (texture.image.bytes.empty()) {
      failure = "cannot convert the image to PNG";
      return std::nullopt;
    }
  }
  return texture;
}

}  // namespace qv
