#include "export/gltf_images.h"

#include <stb_image_write.h>  // implementation provided by Debian's libstb

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

// The decoded A8R8G8B8 image as PNG bytes.
std::vector<uint8_t> EncodePng(const TextureImage& image) {
  std::vector<uint8_t> rgba(image.pixels.size() * 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const uint32_t argb = image.pixels[i];
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
  for (uint32_t argb : probe.m_image.pixels)
    if ((argb >> 24) != 0xFF) {
      texture.translucent = true;
      break;
    }
  std::ifstream file(report.foundPath, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) {
    texture.image = {std::move(bytes), "image/png", ""};
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
