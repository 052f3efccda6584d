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


TEST_F(GlDeviceTest, FlatShadingTakesEachTrianglesFirstCornerAlsoFromSharedBuffers) {
  // Two triangles sharing corners, first corners red and blue; the buffer's repeated records
  // are drawn through an index list, which must keep every triangle's own first corner.
  const OutlineVertex v[] = {V(-1, 1, 0.5f, kRed),  V(1, 1, 0.5f, kGreen), V(-1, -1, 0.5f, kGreen),
                             V(1, -1, 0.5f, kBlue), V(-1, -1, 0.5f, kGreen), V(1, 1, 0.5f, kGreen)};
  const uint32_t buffer = device->CreateVertexBuffer(VertexLayout::kLine, v, 6);
  ASSERT_NE(buffer, 0u);
  BeginUnlit(0xFF000000);
  device->SetRenderState(RenderState::kCullMode, kCullNone);
  device->SetRenderState(RenderState::kShadeMode, kShadeFlat);
  device->SetStreamSource(buffer, kLineVertexStride);
  device->DrawPrimitive(Primitive::kTriangleList, 0, 2);
  device->EndScene();
  RgbaImage flat = device->ReadPixels();
  EXPECT_EQ(flat.Argb(8, 8), kRed);     // near the top-left corner: the first triangle
  EXPECT_EQ(flat.Argb(56, 40), kBlue);  // near the bottom-right corner: the second
  EXPECT_EQ(flat.Argb(30, 22), flat.Argb(8, 8));

  // Gouraud blends the corners; drawing from the middle of the buffer works too.
  BeginUnlit(0xFF000000);
  device->SetRenderState(RenderState::kCullMode, kCullNone);
  device->SetRenderState(RenderState::kShadeMode, kShadeGouraud);
  device->SetStreamSource(buffer, kLineVertexStride);
  device->DrawPrimitive(Primitive::kTriangleList, 3, 1);
  device->EndScene();
  RgbaImage smooth = device->ReadPixels();
  EXPECT_EQ(smooth.Argb(8, 8), 0xFF000000u);  // the first triangle was not drawn
  const uint32_t mixed = smooth.Argb(56, 40);
  EXPECT_NE(mixed, kBlue);
  EXPECT_GT(mixed & 0xFF, 0x80u);         // mostly blue near the blue corner
  EXPECT_GT((mixed >> 8) & 0xFF, 0x10u);  // with some green
  device->ReleaseVertexBuffer(buffer);
}

TEST_F(GlDeviceTest, LightingFollowsTheMaterialAndTheLight) {
  // Identity transforms: the light direction and the normal are taken as they are given.
  const MeshVertex quad[] = {{-1, 1, 0.5f, 0, 0, -1, 0, 0}, {1, 1, 0.5f, 0, 0, -1, 0, 0}, {-1, -1, 0.5f, 0, 0, -1, 0, 0}};
  const uint32_t buffer = device->CreateVertexBuffer(VertexLayout::kModel, quad, 3);
  MaterialLighting material;
  material.diffuse = {1, 0, 0, 1};
  material.ambient = {0, 0, 0.5f, 1};
  DirectionalLight light;
  light.diffuse = {0.5f, 0.5f, 0.5f, 1};
  light.ambient = {0.2f, 0.2f, 0.2f, 1};
  auto draw = [&](const CVector& direction, bool enabled) {
    light.direction = direction;
    device->Clear(true, 0xFF000000, true, 1.0f);
    device->BeginScene();
    device->SetRenderState(RenderState::kCullMode, kCullNone);
    device->SetRenderState(RenderState::kAmbient, 0xFF000000);
    device->SetMaterial(material);
    device->SetLight(light);
    device->LightEnable(enabled);
    device->SetVertexLayout(VertexLayout::kModel);
    device->SetStreamSource(buffer, kModelVertexStride);
    device->DrawPrimitive(Primitive::kTriangleList, 0, 1);
    device->EndScene();
    return device->ReadPixels().Argb(10, 10);
  };
  // Light travelling along +z reaches a surface whose normal is -z head-on: red 0.5, blue 0.1.
  uint32_t lit = draw({0, 0, 1}, true);
  EXPECT_NEAR(static_cast<int>((lit >> 16) & 0xFF), 128, 2);
  EXPECT_NEAR(static_cast<int>(lit & 0xFF), 26, 2);
  // From behind: ambient only. Disabled: no light at all, not even its ambient.
  uint32_t behind = draw({0, 0, -1}, true);
  EXPECT_EQ((behind >> 16) & 0xFF, 0u);
  EXPECT_NEAR(static_cast<int>(behind & 0xFF), 26, 2);
  EXPECT_EQ(draw({0, 0, 1}, false) & 0xFFFFFF, 0u);
  device->ReleaseVertexBuffer(buffer);
}

}  // namespace
}  // namespace qv
