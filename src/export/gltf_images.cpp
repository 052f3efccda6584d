#include "export/gltf_images.h"

#include <stb_image_write.h>  // implementation provided by Debian's libstb

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

// The PNG with only the chunks that say what the pixels are (header, palette, transparency, data,
// end): colour-space, gamma and pixel-shape notes are dropped, as the viewport ignores them and
// glTF readers may not support them. Empty when the chunks do not add up.
std::vector<uint8_t> PlainPng(const std::vector<uint8_t>& png) {
  static const std::string kKept[] = {"IHDR", "PLTE", "tRNS", "IDAT", "IEND"};
  std::vector<uint8_t> out(png.begin(), png.begin() + 8);
  size_t offset = 8;
  while (offset + 12 <= png.size()) {
    const size_t length = (size_t{png[offset]} << 24) | (size_t{png[offset + 1]} << 16) |
                          (size_t{png[offset + 2]} << 8) | png[offset + 3];
    if (length > png.size() - offset - 12) return {};
    const std::string type(png.begin() + offset + 4, png.begin() + offset + 8);
    if (std::find(std::begin(kKept), std::end(kKept), type) != std::end(kKept))
      out.insert(out.end(), png.begin() + offset, png.begin() + offset + 12 + length);
    offset += 12 + length;
    if (type == "IEND") return out;
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
