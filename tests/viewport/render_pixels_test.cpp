#include <gtest/gtest.h>

#include "geometry/import_mqo.h"
#include "pixel_fixture.h"

namespace qv {
namespace {

using testing::AddBox;
using testing::AddMaterial;

using testing::ColorAt;
using testing::kBackground;
using testing::Rgb;
using RenderPixelsTest = testing::PixelTest;

TEST_F(RenderPixelsTest, AnEmptySceneShowsTheDefaultBackgroundAndTheGrid) {
  const RgbaImage image = Render();
  ASSERT_EQ(image.width, 800);
  ASSERT_EQ(image.height, 600);
  int background = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) background += image.Argb(x, y) == kBackground;
  EXPECT_GT(background, image.width * image.height * 8 / 10);
  EXPECT_LT(background, image.width * image.height);  // grid lines are drawn too
  // The red x axis leaves the origin to the right.
  const auto [x, y] = PixelOf({300, 0, 0});
  bool red = false;
  for (int dy = -2; dy <= 2; ++dy) red |= image.Argb(x, y + dy) == 0xFFFF0000;
  EXPECT_TRUE(red);
}

TEST_F(RenderPixelsTest, ARedMaterialLooksRed) {
  AddBox(scene, "box", {0, 0, 0}, {80, 80, 80}, AddMaterial(scene, 1, 0, 0));
  const Rgb centre = ColorAt(Render(), 400, 300);
  EXPECT_GT(centre.r, 200);
  EXPECT_LT(centre.g, 20);
  EXPECT_LT(centre.b, 20);
}

TEST_F(RenderPixelsTest, ATexturedMetasequoiaModelShowsItsTexture) {
  MqoImportOptions options;
  const MqoImportResult result = ImportMQO(scene, std::string(QV_TEST_DATA_DIR) + "/mqo/texture.mqo", options);
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(scene.m_materials.size(), 1u);
  ASSERT_FALSE(scene.m_materials[0].m_image.empty()) << "the checkerboard texture was not found";

  // The cube's front face is a checkerboard: dark and light squares around the centre.
  auto contrast = [](const RgbaImage& image) {
    int darkest = 255, brightest = 0;
    for (int y = 260; y < 340; ++y)
      for (int x = 360; x < 440; ++x) {
        const Rgb c = ColorAt(image, x, y);
        darkest = std::min(darkest, c.r);
        brightest = std::max(brightest, c.r);
      }
    return std::pair{darkest, brightest};
  };
  const auto [dark, bright] = contrast(Render());
  EXPECT_LT(dark, 60);  // the material's highlight (specular 0.325) lifts the dark squares a little
  EXPECT_GT(bright, 120);

  // Without its image the same face is plain.
  scene.m_materials[0].m_image = TextureImage{};
  const auto [plainDark, plainBright] = contrast(Render());
  EXPECT_LT(plainBright - plainDark, 30);
}

// The viewport on screen draws one frame after another, and the grid of each turns the local
// viewer off for the next: highlights sit where the surface faces the light (the camera). A
// picture drawn offscreen, with or without guides, shows them there too.
TEST_F(RenderPixelsTest, HighlightsFallWhereTheViewportOnScreenShowsThem) {
  const int material = AddMaterial(scene, 0.5f, 0.5f, 0.5f);
  scene.m_materials[material].m_specular = 1.0f;
  scene.m_materials[material].m_power = 1.0f;
  UpdateLighting(scene.m_materials[material]);
  AddBox(scene, "box", {0, 0, 0}, {80, 80, 80}, material);
  scene.m_cameras[0].m_rotation = {0, 0, 0};  // the front face looks at the camera (above the grid, seen edge-on)
  const Rgb plainFace = [&] {
    scene.m_materials[material].m_specular = 0.0f;
    UpdateLighting(scene.m_materials[material]);
    const Rgb c = ColorAt(Render(), 400, 260);
    scene.m_materials[material].m_specular = 1.0f;
    UpdateLighting(scene.m_materials[material]);
    return c;
  }();
  for (const bool guides : {true, false}) {
    FrameImageOptions options;
    options.guides = guides;
    const Rgb shiny = ColorAt(Render(options), 400, 260);
    // Specular 1 x light 0.8 x (N.L = 1) on top of the plain colour saturates.
    EXPECT_LT(plainFace.r, 160);
    EXPECT_GE(shiny.r, 250) << "guides " << guides;
  }
}

TEST_F(RenderPixelsTest, MoveHandleShowsRedGreenAndBlueArrowsInFrontOfTheModel) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {120, 120, 120}, AddMaterial(scene, 0.8f, 0.8f, 0.8f));
  FrameImageOptions options;
  options.selectedModel = box;
  options.transformMode = 0;
  const RgbaImage image = Render(options);
  struct Arrow {
    CVector at;
    uint32_t color;
  };
  for (const Arrow& arrow : {Arrow{{86, 0, 0}, 0xFFFF0000}, Arrow{{0, 86, 0}, 0xFF00FF00}, Arrow{{0, 0, 86}, 0xFF0000FF}}) {
    const auto [x, y] = PixelOf(arrow.at);
    EXPECT_EQ(image.Argb(x, y), arrow.color) << "arrow towards " << arrow.at.x << "," << arrow.at.y << "," << arrow.at.z;
  }
  // Without the selection the model is all there is at those pixels.
  const RgbaImage plain = Render();
  const auto [x, y] = PixelOf({86, 0, 0});
  const Rgb model = ColorAt(plain, x, y);
  EXPECT_NEAR(model.r, model.g, 8);
  // The selection also drew the white box outline and restored the caller's selection.
  EXPECT_EQ(scene.m_selectedModel, kNoModel);
}

TEST_F(RenderPixelsTest, PicturesHaveTheRequestedSizeAndBadSizesAreRefused) {
  FrameImageOptions options;
  options.width = 320;
  options.height = 200;
  const RgbaImage image = Render(options);
  EXPECT_EQ(image.width, 320);
  EXPECT_EQ(image.height, 200);
  options.width = 0;
  std::string error;
  EXPECT_FALSE(RenderSceneImage(scene, options, &error).has_value());
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace qv
