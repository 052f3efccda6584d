#pragma once
// Pictures drawn through the real OpenGL device in a surfaceless context (llvmpipe on machines
// without a GPU), and what the pixel tests read from them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "scene_fixture.h"
#include "viewport/headless_render.h"

namespace qv::testing {

struct Rgb {
  int r, g, b;
};
inline Rgb ColorAt(const RgbaImage& image, int x, int y) {
  const uint32_t argb = image.Argb(x, y);
  return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF)};
}

inline constexpr uint32_t kBackground = 0xFF1E415A;

class PixelTest : public ::testing::Test {
 protected:

  RgbaImage Render(const FrameImageOptions& options = {}) {
    std::string error;
    std::optional<RgbaImage> image = RenderSceneImage(scene, options, &error);
    EXPECT_TRUE(image.has_value()) << error;
    return image.value_or(RgbaImage{});
  }
  std::pair<int, int> PixelOf(const CVector& world, int width = 800, int height = 600) {
    return testing::PixelOf(world, ComposeViewMatrix(scene), ProjectionMatrix(scene.m_fieldOfView, width, height),
                            width, height);
  }
  Scene scene;
};

}  // namespace qv::testing
