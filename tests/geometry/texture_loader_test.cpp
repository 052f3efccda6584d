#include "geometry/texture_loader.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "geometry/dib_stream.h"
#include "scene/scene.h"
#include "scene/user_interaction.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

using testing::ScratchFolder;

// Writes an image of `channels` channels; pixel (x, y) channel c is 10 * (y * width + x) + c.
void WriteImage(const std::string& path, int width, int height, int channels, bool bmp = false) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::vector<unsigned char> pixels(static_cast<size_t>(width * height * channels));
  for (int i = 0; i < width * height; ++i) {
    for (int c = 0; c < channels; ++c) pixels[static_cast<size_t>(i * channels + c)] = static_cast<unsigned char>(10 * i + c);
  }
  const int ok = bmp ? stbi_write_bmp(path.c_str(), width, height, channels, pixels.data())
                     : stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels);
  ASSERT_NE(ok, 0) << path;
}

TEST(DibStream, ConvertsToA8R8G8B8ByChannelCount) {
  ScratchFolder folder{"qv texture"};
  const std::string bmp = (folder.path() / "rgb.bmp").string();
  WriteImage(bmp, 3, 2, 3, true);
  DibStream image;
  ASSERT_TRUE(image.Load(bmp));
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.Channels(), 3);
  const TextureImage texture = image.ToTextureImage();
  ASSERT_EQ(texture.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    // Opaque everywhere, rows from the top, red in bits 16-23.
    const uint32_t r = 10 * i, g = 10 * i + 1, b = 10 * i + 2;
    EXPECT_EQ(texture.data()[i], 0xFF000000u | (r << 16) | (g << 8) | b) << i;
    EXPECT_EQ(image.GetPixel(i % 3, i / 3), texture.data()[i]);
  }

  const std::string rgba = (folder.path() / "rgba.png").string();
  WriteImage(rgba, 2, 1, 4);
  ASSERT_TRUE(image.Load(rgba));
  EXPECT_EQ(image.Channels(), 4);
  EXPECT_EQ(image.GetPixel(1, 0), 0x0D0A0B0Cu);  // a = 13, r = 10, g = 11, b = 12

  // Grey images (with or without alpha) become transparent black.
  for (int channels : {1, 2}) {
    const std::string grey = (folder.path() / ("grey" + std::to_string(channels) + ".png")).string();
    WriteImage(grey, 2, 2, channels);
    ASSERT_TRUE(image.Load(grey));
    EXPECT_EQ(image.Channels(), channels);
    const TextureImage black = image.ToTextureImage();
    EXPECT_EQ(black.width, 2);
    EXPECT_EQ(*black.pixels, std::vector<uint32_t>(4, 0u));
  }
  EXPECT_EQ(image.GetPixel(5, 0), 0u);

  EXPECT_FALSE(image.Load((folder.path() / "missing.png").string()));
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Width(), 0);
}

class TextureLookupTest : public ::testing::Test {
 protected:
  TextureLookupTest() {
    lookup.documentFolder = (folder.path() / "doc").string();
    lookup.programFolder = (folder.path() / "program").string();
    std::filesystem::create_directories(lookup.documentFolder);
  }

  // Loads a material naming `name`; returns the path found (empty on failure).
  std::string Load(const std::string& name) {
    material = CMaterial();
    material.m_texture = name;
    TextureLoadReport report;
    const bool ok = LoadTexture(material, lookup, [this](const std::string& text) { messages.push_back(text); }, &report);
    EXPECT_EQ(ok, report.loaded);
    EXPECT_EQ(ok, !material.m_image.empty());
    return report.foundPath;
  }

  std::string Place(const std::string& relative) {
    const std::string path = (folder.path() / relative).string();
    WriteImage(path, 1, 1, 3);
    return path;
  }

  ScratchFolder folder{"qv texture"};
  TextureLookup lookup;
  CMaterial material;
  std::vector<std::string> messages;
};

TEST_F(TextureLookupTest, RelativeNamesTryTheDocumentFolderThenTheProgramFolders) {
  const std::string inDoc = Place("doc/wood.png");
  const std::string inUpper = Place("program/TEXTURE/wood.png");
  const std::string inMixed = Place("program/Texture/stone.png");
  EXPECT_EQ(Load("wood.png"), inDoc);
  std::filesystem::remove(inDoc);
  EXPECT_EQ(Load("wood.png"), inUpper);
  EXPECT_EQ(Load("stone.png"), inMixed);
  EXPECT_TRUE(messages.empty());
}

TEST_F(TextureLookupTest, BackslashesSeparateFoldersAndCaseNeedNotMatch) {
  const std::string path = Place("doc/Textures/Sub/Wood.PNG");
  EXPECT_EQ(Load("textures\\sub\\wood.png"), path);
  EXPECT_EQ(Load("TEXTURES/SUB/WOOD.png"), path);
  EXPECT_EQ(material.m_texture, "TEXTURES/SUB/WOOD.png");  // the stored name stays as written
}

TEST_F(TextureLookupTest, DoubleByteNamesKeepTheirBackslashTrailByte) {
  // "ソ" is 0x83 0x5C in code page 932; the file system holds the UTF-8 name.
  const std::string path = Place("doc/\xE3\x82\xBD/\xE3\x82\xBD.png");
  EXPECT_EQ(Load("\x83\x5C\\\x83\x5C.png"), path);
}

TEST_F(TextureLookupTest, DrivePathsFallBackToTheirFileName) {
  const std::string path = Place("doc/tex1.jpg.png");
  EXPECT_EQ(Load("C:\\Users\\someone\\image\\tex1.jpg.png"), path);
  Place("program/TEXTURE/far.png");
  EXPECT_NE(Load("D:\\far.png"), "");
}

TEST_F(TextureLookupTest, AbsolutePathsAreTriedOnlyWhereTheyPoint) {
  const std::string elsewhere = Place("elsewhere/Abs.png");
  Place("doc/abs.png");
  EXPECT_EQ(Load(elsewhere), elsewhere);
  EXPECT_EQ(Load((folder.path() / "elsewhere/abs.png").string()), elsewhere);  // same folder, other case
  std::filesystem::remove(elsewhere);
  EXPECT_EQ(Load((folder.path() / "elsewhere/abs.png").string()), "");  // not found in doc/
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(TextureLookupTest, FailureShowsTheMessageAndKeepsTheName) {
  folder.Write("doc/broken.png", "not an image");
  material.m_image.width = 1;
  TextureLoadReport report;
  material.m_texture = "broken.png";
  EXPECT_FALSE(LoadTexture(material, lookup, [this](const std::string& text) { messages.push_back(text); }, &report));
  EXPECT_EQ(material.m_texture, "broken.png");
  EXPECT_TRUE(material.m_image.empty());
  EXPECT_NE(report.failure.find("cannot decode"), std::string::npos) << report.failure;
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "ファイルが見つからないか、この画像ファイルには対応していません！");

  EXPECT_EQ(Load("missing.png"), "");
  EXPECT_EQ(messages.size(), 2u);

  // An empty name does nothing at all.
  material = CMaterial();
  material.m_image.width = 7;
  EXPECT_FALSE(LoadTexture(material, lookup, [this](const std::string& text) { messages.push_back(text); }));
  EXPECT_EQ(material.m_image.width, 7);
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(TextureLookupTest, ReportGivesSizeAndChannels) {
  WriteImage((folder.path() / "doc/a.png").string(), 4, 3, 4);
  material.m_texture = "a.png";
  TextureLoadReport report;
  ASSERT_TRUE(LoadTexture(material, lookup, {}, &report));
  EXPECT_EQ(report.width, 4);
  EXPECT_EQ(report.height, 3);
  EXPECT_EQ(report.channels, 4);
  EXPECT_EQ(material.m_image.width, 4);
  EXPECT_EQ(material.m_image.height, 3);
  EXPECT_EQ(material.m_image.size(), 12u);
}

TEST_F(TextureLookupTest, ReloadAllTexturesKeepsTheNamesOfTexturesItCannotFind) {
  Place("doc/ok.png");
  Scene scene;
  for (const char* name : {"ok.png", "", "gone1.png", "gone2.png"}) {
    scene.m_materials.emplace_back();
    scene.m_materials.back().m_texture = name;
  }
  ReloadAllTextures(scene, lookup, [this](const std::string& text) { messages.push_back(text); });
  EXPECT_EQ(messages.size(), 1u);  // both missing textures in one message
  EXPECT_FALSE(scene.m_materials[0].m_image.empty());
  EXPECT_EQ(scene.m_materials[2].m_texture, "gone1.png");
  EXPECT_TRUE(scene.m_materials[2].m_image.empty());
}

// A small file may announce a huge image: its size is read first and sides above the limit are
// refused with a message naming the file.
TEST_F(TextureLookupTest, ImagesAboveTheSizeLimitAreRefusedByName) {
  const struct {
    const char* name;
    int width, height;
    bool loaded;
  } cases[] = {
      {"edge.png", kMaxTextureSide, 1, true},
      {"wide.png", kMaxTextureSide + 1, 1, false},
      {"tall.bmp", 1, 12000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (folder.path() / "doc" / c.name).string();
    WriteImage(path, c.width, c.height, 1, std::string(c.name).ends_with(".bmp"));
    messages.clear();
    material.m_texture = c.name;
    TextureLoadReport report;
    EXPECT_EQ(LoadTexture(material, lookup, [this](const std::string& text) { messages.push_back(text); }, &report),
              c.loaded);
    EXPECT_EQ(material.m_image.empty(), !c.loaded);
    if (!c.loaded) {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_NE(messages[0].find(path), std::string::npos) << messages[0];
      EXPECT_NE(messages[0].find("大きすぎる"), std::string::npos) << messages[0];
      EXPECT_NE(report.failure.find("larger than the limit"), std::string::npos) << report.failure;
    }
  }
}

TEST_F(TextureLookupTest, AFileNamedByManyMaterialsIsDecodedOnce) {
  WriteImage((folder.path() / "doc/a.png").string(), 4, 3, 3);
  WriteImage((folder.path() / "doc/b.png").string(), 4, 3, 3);
  Scene scene;
  for (const char* name : {"a.png", "b.png", "a.png", "A.PNG"}) {
    scene.m_materials.emplace_back();
    scene.m_materials.back().m_texture = name;
  }
  ReloadAllTextures(scene, lookup, {});
  const auto& m = scene.m_materials;
  ASSERT_FALSE(m[0].m_image.empty());
  EXPECT_EQ(m[0].m_image.pixels, m[2].m_image.pixels);  // the same pixels, not a copy
  EXPECT_EQ(m[0].m_image.pixels, m[3].m_image.pixels);
  EXPECT_NE(m[0].m_image.pixels, m[1].m_image.pixels);
}

// A document whose textures are elsewhere tells the user once, naming each texture once with
// why it did not load, instead of one box per material.
TEST_F(TextureLookupTest, EveryTextureThatDidNotLoadIsToldInOneMessage) {
  WriteImage((folder.path() / "doc/good.png").string(), 2, 2, 3);
  WriteImage((folder.path() / "doc/huge.png").string(), kMaxTextureSide + 1, 1, 1);
  std::ofstream((folder.path() / "doc/broken.png").string()) << "not an image";
  Scene scene;
  std::vector<std::string> names{"good.png", "huge.png", "broken.png"};
  for (int i = 0; i < 16; ++i) names.push_back("missing" + std::to_string(i % 13) + ".png");
  for (const std::string& name : names) {
    scene.m_materials.emplace_back();
    scene.m_materials.back().m_texture = name;
  }
  ReloadAllTextures(scene, lookup, [this](const std::string& text) { messages.push_back(text); });
  ASSERT_EQ(messages.size(), 1u);
  const std::string& text = messages[0];
  EXPECT_TRUE(text.starts_with(kTextureFailedMessage)) << text;
  EXPECT_EQ(text.find("good.png"), std::string::npos);
  EXPECT_NE(text.find("\nhuge.png：大きすぎる画像です"), std::string::npos) << text;
  EXPECT_NE(text.find("\nbroken.png：この画像ファイルには対応していません"), std::string::npos) << text;
  for (int i = 0; i < 13; ++i) {
    const std::string line = "\nmissing" + std::to_string(i) + ".png：見つかりません";
    const size_t at = text.find(line);
    EXPECT_NE(at, std::string::npos) << line;
    EXPECT_EQ(text.find(line, at + 1), std::string::npos) << "told twice: " << line;
  }
  EXPECT_FALSE(scene.m_materials[0].m_image.empty());
}

TEST_F(TextureLookupTest, MessagesReachTheUserInteraction) {
  SilentInteraction interaction;
  material.m_texture = "missing.png";
  EXPECT_FALSE(LoadTexture(material, lookup, MessagesTo(interaction)));
  EXPECT_EQ(interaction.messages, std::vector<std::string>{kTextureFailedMessage});
}

TEST(TextureCandidates, OrderOfPlaces) {
  const TextureLookup lookup{"/doc", "/prog/"};
  std::vector<std::string> paths;
  for (const TextureCandidate& c : TextureCandidates("C:\\img\\a.png", lookup)) paths.push_back(c.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"/doc/C:/img/a.png", "/prog/TEXTURE/C:/img/a.png", "/prog/Texture/C:/img/a.png",
                                             "/doc/a.png", "/prog/TEXTURE/a.png", "/prog/Texture/a.png"}));
  const std::vector<TextureCandidate> absolute = TextureCandidates("/x/y.png", lookup);
  ASSERT_EQ(absolute.size(), 1u);
  EXPECT_EQ(absolute[0].baseLength, 3u);
  EXPECT_TRUE(TextureCandidates("", lookup).empty());
}

}  // namespace
}  // namespace qv
