// Texture images for glTF: PNG pixel data kept as it is without colour-space notes, other formats
// converted to PNG, the file's own alpha deciding translucency.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "export/gltf_images.h"
#include "export_test_support.h"

namespace qv {
namespace {

using testing::ScratchFolder;

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
  ScratchFolder folder{"qv export"};
  const std::vector<uint8_t> opaque{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 9, 9, 255};
  std::vector<uint8_t> translucent = opaque;
  translucent[15] = 128;
  WriteBytes(folder.Path("gamma.png"), PngWithGamma(translucent));
  ASSERT_TRUE(stbi_write_bmp((folder.Path("plain.bmp")).c_str(), 2, 2, 4, opaque.data()));
  WriteBytes(folder.Path("broken.png"), {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0});

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


// ---- damaged PNG files ----

uint32_t ReadU32(const std::vector<uint8_t>& bytes, size_t at) {
  return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) | (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

void WriteU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

// Where the chunk of that type starts (its length field).
size_t ChunkAt(const std::vector<uint8_t>& png, const std::string& type) {
  for (size_t at = 8; at + 12 <= png.size(); at += 12 + ReadU32(png, at))
    if (std::string(png.begin() + at + 4, png.begin() + at + 8) == type) return at;
  return std::string::npos;
}

// What a browser's decoder demands: every chunk's checksum, and image data that inflates (its
// own checksum included) to the rows of a 2 x 2 RGBA image.
bool BrowserWouldDecode(const std::vector<uint8_t>& png) {
  std::vector<uint8_t> data;
  for (size_t at = 8; at + 12 <= png.size(); at += 12 + ReadU32(png, at)) {
    const uint32_t length = ReadU32(png, at);
    if (Crc32(&png[at + 4], length + 4) != ReadU32(png, at + 8 + length)) return false;
    if (std::string(png.begin() + at + 4, png.begin() + at + 8) == "IDAT")
      data.insert(data.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
  }
  std::vector<uint8_t> rows(64);
  uLongf size = rows.size();
  return uncompress(rows.data(), &size, data.data(), data.size()) == Z_OK && size == 2 * (1 + 2 * 4);
}

TEST(GltfImages, DamagedPngsAreWrittenAgainFromTheirPixels) {
  ScratchFolder folder{"qv export"};
  const std::vector<uint8_t> pixels{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 128, 9, 9, 9, 255};
  const std::vector<uint8_t> sound = PngWithGamma(pixels);
  ASSERT_TRUE(BrowserWouldDecode(sound));
  const struct {
    const char* damage;
    std::function<void(std::vector<uint8_t>&)> apply;
    const char* chunk;  // the chunk damaged
    bool rewritten;
  } cases[] = {
      {"none", [](std::vector<uint8_t>&) {}, "IDAT", false},
      {"the image data's checksum", [](std::vector<uint8_t>& png) { png[ChunkAt(png, "IEND") - 1] ^= 0x55; }, "IDAT",
       true},
      {"the header's checksum", [](std::vector<uint8_t>& png) { png[8 + 8 + 13] ^= 0x01; }, "IHDR", true},
      {"the compressed data's own checksum",
       [](std::vector<uint8_t>& png) {
         const size_t at = ChunkAt(png, "IDAT");
         const uint32_t length = ReadU32(png, at);
         png[at + 8 + length - 1] ^= 0x01;  // the last byte of the stream's Adler-32
         WriteU32(png, at + 8 + length, Crc32(&png[at + 4], length + 4));
       },
       "IDAT", true},
  };
  TextureLookup lookup;
  lookup.documentFolder = folder.path().string();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.damage);
    std::vector<uint8_t> png = sound;
    c.apply(png);
    WriteBytes(folder.Path("damaged.png"), png);
    CMaterial material;
    material.m_texture = "damaged.png";
    std::string failure;
    const auto texture = ResolveTexture(material, lookup, failure);
    ASSERT_TRUE(texture.has_value()) << failure;  // our decoder forgives the damage
    const std::vector<uint8_t>& out = texture->image.bytes;
    EXPECT_EQ(texture->image.mimeType, "image/png");
    EXPECT_TRUE(BrowserWouldDecode(out));
    // A sound file keeps its pixel data as it is; a damaged chunk never reaches the asset.
    const size_t at = ChunkAt(png, c.chunk);
    const std::vector<uint8_t> chunk(png.begin() + at, png.begin() + at + 12 + ReadU32(png, at));
    EXPECT_EQ(std::search(out.begin(), out.end(), chunk.begin(), chunk.end()) != out.end(), !c.rewritten);
    int w = 0, h = 0, channels = 0;
    unsigned char* decoded = stbi_load_from_memory(out.data(), static_cast<int>(out.size()), &w, &h, &channels, 4);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(decoded, decoded + 16), pixels);
    stbi_image_free(decoded);
  }
}

}  // namespace
}  // namespace qv
