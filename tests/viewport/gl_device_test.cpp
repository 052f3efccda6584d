#include "viewport/gl_device.h"

#include <gtest/gtest.h>

#include "gl_test_context.h"
#include "scene/model.h"

namespace qv {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00;

class GlDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(testing::SharedGlContext(), nullptr);
    std::string error;
    device = GlDevice::Create(GlDevice::Target::kOffscreen, 64, 48, &error);
    ASSERT_NE(device, nullptr) << error;
  }

  // Identity transforms: positions are clip coordinates, depth z maps to z.
  void BeginUnlit(uint32_t background) {
    device->Clear(true, background, true, 1.0f);
    device->BeginScene();
    device->SetRenderState(RenderState::kLighting, 0);
    device->SetVertexLayout(VertexLayout::kLine);
  }

  static OutlineVertex V(float x, float y, float z, uint32_t color) { return {x, y, z, 0, 0, 1, color}; }

  std::unique_ptr<GlDevice> device;
};

TEST_F(GlDeviceTest, ClearsToTheBackgroundColour) {
  device->Clear(true, 0xFF1E415A, true, 1.0f);
  RgbaImage image = device->ReadPixels();
  ASSERT_EQ(image.width, 64);
  ASSERT_EQ(image.height, 48);
  EXPECT_EQ(image.Argb(0, 0), 0xFF1E415Au);
  EXPECT_EQ(image.Argb(63, 47), 0xFF1E415Au);
}

TEST_F(GlDeviceTest, DrawsClockwiseTrianglesAndCullsCounterClockwiseOnes) {
  BeginUnlit(kBlue);
  // Clockwise on screen (top, right, left): drawn. Counter-clockwise twin on the right half: culled.
  const OutlineVertex clockwise[] = {V(-0.5f, 0.8f, 0.5f, kRed), V(-0.1f, -0.8f, 0.5f, kRed), V(-0.9f, -0.8f, 0.5f, kRed)};
  const OutlineVertex counter[] = {V(0.5f, 0.8f, 0.5f, kRed), V(0.1f, -0.8f, 0.5f, kRed), V(0.9f, -0.8f, 0.5f, kRed)};
  device->DrawPrimitiveUP(Primitive::kTriangleList, 1, clockwise, kLineVertexStride);
  device->DrawPrimitiveUP(Primitive::kTriangleList, 1, counter, kLineVertexStride);
  device->EndScene();
  RgbaImage image = device->ReadPixels();
  EXPECT_EQ(image.Argb(16, 30), kRed);
  EXPECT_EQ(image.Argb(48, 30), kBlue);
  // The picture's first row is the top: the triangle's apex is up there, its base at the bottom.
  EXPECT_EQ(image.Argb(16, 4), kBlue);
  EXPECT_EQ(image.Argb(16, 40), kRed);
}

TEST_F(GlDeviceTest, DepthRunsFromZeroToOneAndTheNearerWins) {
  BeginUnlit(kBlue);
  device->SetRenderState(RenderState::kCullMode, kCullNone);
  const OutlineVertex farQuad[] = {V(-1, 1, 0.9f, kRed), V(1, 1, 0.9f, kRed), V(-1, -1, 0.9f, kRed)};
  // z = 0.05 is in front of 0.9; z = -0.5 would be outside the 0..1 range and is clipped away.
  const OutlineVertex nearQuad[] = {V(-1, 1, 0.05f, kGreen), V(1, 1, 0.05f, kGreen), V(-1, -1, 0.05f, kGreen)};
  const OutlineVertex clipped[] = {V(-1, 1, -0.5f, kBlue), V(1, 1, -0.5f, kBlue), V(-1, -1, -0.5f, kBlue)};
  device->DrawPrimitiveUP(Primitive::kTriangleList, 1, nearQuad, kLineVertexStride);
  device->DrawPrimitiveUP(Primitive::kTriangleList, 1, farQuad, kLineVertexStride);
  device->DrawPrimitiveUP(Primitive::kTriangleList, 1, clipped, kLineVertexStride);
  device->EndScene();
  EXPECT_EQ(device->ReadPixels().Argb(10, 10), kGreen);
}

TEST_F(GlDeviceTest, BlendsWithSourceAlpha) {
  BeginUnlit(0xFF000000);
  device->SetRenderState(RenderState::kAlphaBlend, 1);
  device->SetRenderState(RenderState::kSourceBlend, kBlendSourceAlpha);
  device->SetRenderState(RenderState::kDestBlend, kBlendInverseSourceAlpha);
  device->SetTextureCombine(TextureCombine::kTextureTimesDiffuse, TextureCombine::kTextureTimesDiffuse);
  const uint32_t halfWhite = 0x80FFFFFF;
  const OutlineVertex full[] = {V(-1, 1, 0.5f, halfWhite), V(3, 1, 0.5f, halfWhite), V(-1, -3, 0.5f, halfWhite)};
  device->DrawPrimitiveUP(Primitive::kTriangleList, 1, full, kLineVertexStride);
  device->EndScene();
  const uint32_t pixel = device->ReadPixels().Argb(32, 24);
  EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xFF), 128, 2);
}

TEST_F(GlDeviceTest, TexturesModulateTheDiffuseColour) {
  // A 2 × 2 texture: red, green on the top row; blue, white below.
  const uint32_t pixels[] = {kRed, kGreen, kBlue, 0xFFFFFFFF};
  const uint32_t texture = device->CreateTexture(2, 2, pixels);
  ASSERT_NE(texture, 0u);
  device->Clear(true, 0xFF000000, true, 1.0f);
  device->BeginScene();
  device->SetRenderState(RenderState::kLighting, 0);
  device->SetRenderState(RenderState::kCullMode, kCullNone);
  device->SetVertexLayout(VertexLayout::kModel);
  device->SetTexture(texture);
  const MeshVertex quad[] = {{-1, 1, 0.5f, 0, 0, 1, 0, 0}, {1, 1, 0.5f, 0, 0, 1, 1, 0}, {-1, -1, 0.5f, 0, 0, 1, 0, 1},
                             {1, 1, 0.5f, 0, 0, 1, 1, 0}, {1, -1, 0.5f, 0, 0, 1, 1, 1}, {-1, -1, 0.5f, 0, 0, 1, 0, 1}};
  const uint32_t buffer = device->CreateVertexBuffer(VertexLayout::kModel, quad, 6);
  device->SetStreamSource(buffer, kModelVertexStride);
  device->DrawPrimitive(Primitive::kTriangleList, 0, 2);
  device->EndScene();
  RgbaImage image = device->ReadPixels();
  EXPECT_EQ(image.Argb(4, 4), kRed);     // v = 0 is the image's top row
  EXPECT_EQ(image.Argb(60, 4), kGreen);
  EXPECT_EQ(image.Argb(4, 44), kBlue);
  device->ReleaseVertexBuffer(buffer);
  device->ReleaseTexture(texture);
}

}  // namespace
}  // namespace qv
