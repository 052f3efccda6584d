// Texture images for glTF: PNG pixel data kept as it is without colour-space notes, other formats
// converted to PNG, the file's own alpha deciding translucency.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "export/gltf_images.h"
#include "export_test_support.h"

namespace qv {
namespace {

using testing::TempFolder;

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// A PNG of 2 x 2 pixels with a gamma chunk after its header, as paint programs write them.
std::vector<uint8_t> PngWithGamma(const std::vector<uint8_t>& rgba) {
  std::vector<uint8_t> bytes;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
      },
      &bytes, 2, 2, 4, rgba.data(), 8);
  std::vector<uint8_t> chunk;
  AppendU32(chunk, 4);
  for (char c : std::string("gAMA")) chunk.push_back(static_cast<uint8_t>(c));
  AppendU32(chunk, 45455);
  AppendU32(chunk, Crc32(chunk.data() + 4, 8));
  bytes.insert(bytes.begin() + 8 + 25, chunk.begin(), chunk.end());  // after the signature and IHDR
  return bytes;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(GltfImages, PngLosesItsNotesAndOtherFormatsBecomePngWithTheSamePixels) {
  TempFolder folder;
  const std::vector<uint8_t> opaque{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 255};
  std::vector<uint8_t> translucent = opaque;
  translucent[15] = 128;
  WriteBytes(folder / "gamma.png", PngWithGamma(translucent));
  ASSERT_TRUE(stbi_write_bmp((folder / "plain.bmp").c_str(), 2, 2, 4, opaque.data()));
  WriteBytes(folder / "broken.png", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0});

  struct Case {
    const char* texture;
    bool found, translucent;
    const std::vector<uint8_t>* pixels;
  };
  const Case cases[] = {{"gamma.png", true, true, &translucent},
                        {"plain.bmp", true, false, &opaque},
                        {"broken.png", false, false, nullptr},
                        {"absent.png", false, false, nullptr}};
  TextureLookup lookup;
  lookup.documentFolder = folder.path().string();
  for (const Case& c : cases) {
    CMaterial material;
    material.m_texture = c.texture;
    std::string failure;
    const auto texture = ResolveTexture(material, lookup, failure);
    ASSERT_EQ(texture.has_value(), c.found) << c.texture;
    if (!texture) {
      EXPECT_FALSE(failure.empty()) << c.texture;
      continue;
    }
    EXPECT_EQ(texture->image.mimeType, "image/png") << c.texture;
    EXPECT_EQ(texture->translucent, c.translucent) << c.texture;
    const std::vector<uint8_t>& png = texture->image.bytes;
    const std::string text(png.begin(), png.end());
    EXPECT_EQ(text.find("gAMA"), std::string::npos) << c.texture;
    int w = 0, h = 0, channels = 0;
    unsigned char* decoded = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &channels, 4);
    ASSERT_NE(decoded, nullptr) << c.texture;
    EXPECT_EQ(std::vector<uint8_t>(decoded, decoded + 16), *c.pixels) << c.texture;
    stbi_image_free(decoded);
  }
}

}  // namespace
}  // namespace qv
