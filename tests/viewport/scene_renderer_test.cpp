#include "viewport/scene_renderer.h"

#include <gtest/gtest.h>

#include "scene_fixture.h"
#include "viewport/recording_device.h"
#include "viewport/view_math.h"

namespace qv {
namespace {

using testing::AddBox;
using testing::AddMaterial;
using testing::PoseOf;

void ExpectMatrixNear(const Matrix4& a, const Matrix4& b, float tolerance = 1e-4f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a.m[r][c], b.m[r][c], tolerance) << "row " << r << " column " << c;
}

class SceneRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(renderer.InitDevice(&device), 0);
    device.ClearLog();
  }

  // The model draws of the last frame (triangle lists from a model's buffer).
  std::vector<const RecordedCall*> ModelDraws() const {
    std::vector<const RecordedCall*> draws;
    for (const RecordedCall* c : device.CallsOf(DeviceCall::kDrawPrimitive))
      if (c->snapshot.vertexLayout == VertexLayout::kModel) draws.push_back(c);
    return draws;
  }
  size_t IndexOf(const RecordedCall* call) const { return static_cast<size_t>(call - device.m_calls.data()); }

  Scene scene;
  RecordingDevice device;
  SceneRenderer renderer{scene};
};

TEST_F(SceneRendererTest, FixedBuffersHaveTheirVertexCounts) {
  RecordingDevice fresh;
  SceneRenderer other(scene);
  ASSERT_EQ(other.InitDevice(&fresh), 0);
  EXPECT_EQ(fresh.m_buffers.at(other.m_gridBuffer).vertexCount, 90u);
  EXPECT_EQ(fresh.m_buffers.at(other.m_moveGizmoBuffer).vertexCount, 78u);
  EXPECT_EQ(fresh.m_buffers.at(other.m_ringBufferX).vertexCount, 146u);
  EXPECT_EQ(fresh.m_buffers.at(other.m_ringBufferY).vertexCount, 146u);
  EXPECT_EQ(fresh.m_buffers.at(other.m_ringBufferZ).vertexCount, 146u);
  EXPECT_EQ(fresh.m_buffers.at(other.m_centreCubeBuffer).vertexCount, 36u);
  EXPECT_EQ(fresh.m_buffers.at(other.m_scaleGizmoBuffer).vertexCount, 150u);
  other.ReleaseDevice();
  EXPECT_TRUE(fresh.m_buffers.empty());
  EXPECT_EQ(other.m_gridBuffer, 0u);
}

TEST_F(SceneRendererTest, FrameClearsToTheBackgroundAndSetsTheFixedFunctionStates) {
  const int material = AddMaterial(scene, 1, 0, 0);
  AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, material);
  renderer.RenderFrame();

  ASSERT_GE(device.m_calls.size(), 2u);
  const RecordedCall& clear = device.m_calls[0];
  EXPECT_EQ(clear.call, DeviceCall::kClear);
  EXPECT_TRUE(clear.clearTarget && clear.clearDepth);
  EXPECT_EQ(clear.value, 0xFF1E415Au);
  EXPECT_EQ(clear.clearZ, 1.0f);
  EXPECT_EQ(device.m_calls[1].call, DeviceCall::kBeginScene);
  EXPECT_EQ(device.m_calls.back().call, DeviceCall::kPresent);

  const auto draws = ModelDraws();
  ASSERT_EQ(draws.size(), 1u);
  const DeviceState& s = draws[0]->snapshot;
  EXPECT_EQ(s.Get(RenderState::kDepthTest), 1u);
  EXPECT_EQ(s.Get(RenderState::kNormalizeNormals), 1u);
  EXPECT_EQ(s.Get(RenderState::kAlphaBlend), 1u);
  EXPECT_EQ(s.Get(RenderState::kSourceBlend), kBlendSourceAlpha);
  EXPECT_EQ(s.Get(RenderState::kDestBlend), kBlendInverseSourceAlpha);
  EXPECT_EQ(s.Get(RenderState::kCullMode), kCullCounterClockwise);
  EXPECT_EQ(s.Get(RenderState::kLighting), 1u);
  EXPECT_EQ(s.Get(RenderState::kAmbient), 0xFFFFFFFFu);
  EXPECT_EQ(s.Get(RenderState::kSpecular), 1u);
  EXPECT_EQ(s.Get(RenderState::kShadeMode), kShadeGouraud);
  EXPECT_EQ(s.colorCombine, TextureCombine::kTextureTimesDiffuse);
  EXPECT_EQ(s.alphaCombine, TextureCombine::kTextureTimesDiffuse);
  EXPECT_EQ(s.minFilter, TextureFilter::kLinear);
  EXPECT_EQ(s.magFilter, TextureFilter::kLinear);
  EXPECT_TRUE(s.lightEnabled);
  EXPECT_EQ(s.light.diffuse, (ColorValue{0.8f, 0.8f, 0.8f, 1.0f}));
  EXPECT_EQ(s.light.ambient, (ColorValue{0.2f, 0.2f, 0.2f, 1.0f}));
  EXPECT_EQ(s.material.diffuse, scene.m_materials[material].m_lighting.diffuse);
  EXPECT_EQ(s.texture, 0u);
  EXPECT_EQ(s.streamStride, kModelVertexStride);
  EXPECT_EQ(s.Transform(TransformSlot::kView), renderer.m_view);
  EXPECT_EQ(s.Transform(TransformSlot::kProjection), ProjectionMatrix(20, 800, 600));

  // The light comes from the camera's side: the negated camera position in world space.
  const CVector expected = vmath::Normalize(TransformDirection({0, 0, 1500}, renderer.m_inverseView));
  EXPECT_NEAR(s.light.direction.x, expected.x, 1e-6);
  EXPECT_NEAR(s.light.direction.y, expected.y, 1e-6);
  EXPECT_NEAR(s.light.direction.z, expected.z, 1e-6);
  // The export reads the inverse view from the scene.
  EXPECT_TRUE(scene.m_inverseViewValid);
  ExpectMatrixNear(scene.m_inverseView * renderer.m_view, Matrix4{}, 1e-3f);
}

TEST_F(SceneRendererTest, BackgroundColourBytesAreSwappedIntoArgb) {
  scene.m_backgroundColor = 0x00332211;  // red 0x11, green 0x22, blue 0x33
  renderer.RenderFrame();
  EXPECT_EQ(device.m_calls[0].value, 0xFF112233u);
}

TEST_F(SceneRendererTest, SmoothShadingOffDrawsFlat) {
  AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, AddMaterial(scene, 1, 1, 1));
  scene.m_smoothShading = 0;
  renderer.RenderFrame();
  ASSERT_EQ(ModelDraws().size(), 1u);
  EXPECT_EQ(ModelDraws()[0]->snapshot.Get(RenderState::kShadeMode), kShadeFlat);
}

TEST_F(SceneRendererTest, HiddenParentIsSkippedButItsChildIsDrawnWithTheParentsTransform) {
  const int material = AddMaterial(scene, 1, 1, 1);
  const int parent = AddBox(scene, "parent", {0, 0, 0}, {50, 50, 50}, material);
  const int child = AddBox(scene, "child", {0, 0, 0}, {20, 20, 20}, material, parent);
  scene.m_models[parent].m_visible = 0;
  PoseOf(scene, parent).m_position = {100, 0, 0};
  PoseOf(scene, child).m_position = {0, 30, 0};
  renderer.RenderFrame();

  const auto draws = ModelDraws();
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0]->snapshot.streamBuffer, scene.m_models[child].m_vertexBuffer);
  const Matrix4 expected = PoseModelMatrix(PoseOf(scene, child), {0, 0, 0}) *
                           PoseModelMatrix(PoseOf(scene, parent), {0, 0, 0});
  EXPECT_EQ(draws[0]->snapshot.Transform(TransformSlot::kWorld), expected);
  EXPECT_EQ(scene.m_models[child].m_worldMatrix, expected);
  EXPECT_EQ(expected.m[3][0], 100);
  EXPECT_EQ(expected.m[3][1], 30);
}

TEST_F(SceneRendererTest, OneDrawPerMaterialThatHasTriangles) {
  const int red = AddMaterial(scene, 1, 0, 0);
  AddMaterial(scene, 0, 1, 0);  // unused by the model
  const int blue = AddMaterial(scene, 0, 0, 1);
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, red);
  CModel& model = scene.m_models[box];
  model.m_faces[1].m_material = blue;
  model.m_faces[4].m_material = blue;
  RebuildModelGeometry(model, scene.m_materials.size());
  ASSERT_EQ(model.m_trianglesPerMaterial, (std::vector<int32_t>{8, 0, 4}));
  renderer.RenderFrame();

  const auto draws = ModelDraws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0]->startVertex, 0u);
  EXPECT_EQ(draws[0]->count, 8u);
  EXPECT_EQ(draws[0]->snapshot.material.diffuse, scene.m_materials[red].m_lighting.diffuse);
  EXPECT_EQ(draws[1]->startVertex, 24u);
  EXPECT_EQ(draws[1]->count, 4u);
  EXPECT_EQ(draws[1]->snapshot.material.diffuse, scene.m_materials[blue].m_lighting.diffuse);
  // The buffer holds the model's array as built.
  const auto& uploaded = device.m_buffers.at(model.m_vertexBuffer);
  ASSERT_EQ(uploaded.vertexCount, 36u);
  EXPECT_EQ(std::memcmp(uploaded.bytes.data(), model.m_meshVertices.data(), uploaded.bytes.size()), 0);
}

TEST_F(SceneRendererTest, ModelWithoutTrianglesStillGetsItsWorldMatrix) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, AddMaterial(scene, 1, 1, 1));
  CModel& model = scene.m_models[box];
  for (CFace& face : model.m_faces) face.m_material = 7;  // no such material: nothing is written
  RebuildModelGeometry(model, scene.m_materials.size());
  PoseOf(scene, box).m_position = {0, 0, 40};
  renderer.RenderFrame();
  EXPECT_TRUE(ModelDraws().empty());
  EXPECT_EQ(model.m_worldMatrix.m[3][2], 40);
}

TEST_F(SceneRendererTest, BoxOutlineOnlyForTheSelectedModelJustBeforeItIsDrawn) {
  const int material = AddMaterial(scene, 1, 1, 1);
  AddBox(scene, "a", {0, 0, 0}, {50, 50, 50}, material);
  const int b = AddBox(scene, "b", {200, 0, 0}, {50, 50, 50}, material);
  renderer.RenderFrame();
  EXPECT_TRUE(device.CallsOf(DeviceCall::kDrawPrimitiveUP).empty());

  scene.m_selectedModel = b;
  BuildBoxOutline(scene.m_models[b]);
  device.ClearLog();
  renderer.RenderFrame();
  const auto outline = device.CallsOf(DeviceCall::kDrawPrimitiveUP);
  ASSERT_EQ(outline.size(), 12u);
  for (const RecordedCall* edge : outline) {
    EXPECT_EQ(edge->primitive, Primitive::kLineList);
    EXPECT_EQ(edge->count, 1u);
    EXPECT_EQ(edge->value, kLineVertexStride);
    EXPECT_EQ(edge->snapshot.Get(RenderState::kLighting), 0u);
    EXPECT_EQ(edge->snapshot.texture, 0u);
    EXPECT_EQ(edge->snapshot.Transform(TransformSlot::kWorld), scene.m_models[b].m_worldMatrix);
  }
  // First edge: (X,Y,Z)-(x,Y,Z) of the bounds.
  OutlineVertex first[2];
  std::memcpy(first, outline[0]->userVertices.data(), sizeof first);
  EXPECT_EQ(first[0].x, 250);
  EXPECT_EQ(first[1].x, 150);
  EXPECT_EQ(first[0].color, 0xFFFFFFFFu);
  // Then the model itself, lit again.
  const auto draws = ModelDraws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_GT(IndexOf(draws[1]), IndexOf(outline.back()));
  EXPECT_GT(IndexOf(outline.front()), IndexOf(draws[0]));
  EXPECT_EQ(draws[1]->snapshot.Get(RenderState::kLighting), 1u);
  EXPECT_EQ(draws[1]->snapshot.streamBuffer, scene.m_models[b].m_vertexBuffer);
}

TEST_F(SceneRendererTest, GridIs45UnlitLineCallsAfterTheModels) {
  AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, AddMaterial(scene, 1, 1, 1));
  renderer.RenderFrame();
  std::vector<const RecordedCall*> grid;
  for (const RecordedCall* c : device.CallsOf(DeviceCall::kDrawPrimitive))
    if (c->snapshot.streamBuffer == renderer.m_gridBuffer) grid.push_back(c);
  ASSERT_EQ(grid.size(), 45u);
  for (uint32_t i = 0; i < grid.size(); ++i) {
    const RecordedCall& line = *grid[i];
    EXPECT_EQ(line.primitive, Primitive::kLineList);
    EXPECT_EQ(line.startVertex, 2 * i);
    EXPECT_EQ(line.count, 1u);
    EXPECT_EQ(line.snapshot.vertexLayout, VertexLayout::kLine);
    EXPECT_EQ(line.snapshot.streamStride, kLineVertexStride);
    EXPECT_EQ(line.snapshot.Get(RenderState::kLighting), 0u);
    EXPECT_EQ(line.snapshot.Get(RenderState::kSpecular), 0u);
    EXPECT_EQ(line.snapshot.Get(RenderState::kLocalViewer), 0u);
    EXPECT_FALSE(line.snapshot.lightEnabled);
    EXPECT_EQ(line.snapshot.Transform(TransformSlot::kWorld), Matrix4{});
  }
  EXPECT_GT(IndexOf(grid.front()), IndexOf(ModelDraws().back()));
}

TEST_F(SceneRendererTest, MoveHandleIsDrawnAfterTheDepthClearAtThePivotPlusPosition) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, AddMaterial(scene, 1, 1, 1));
  scene.m_models[box].m_origin = {10, 0, 0};
  PoseOf(scene, box).m_position = {0, 20, 0};
  PoseOf(scene, box).m_rotation = {0, 45, 0};  // the handle does not turn with the model
  scene.m_cameras[0].m_scale = {2, 2, 2};      // it keeps its size on screen
  scene.m_selectedModel = box;
  renderer.RenderFrame();

  const auto clears = device.CallsOf(DeviceCall::kClear);
  ASSERT_EQ(clears.size(), 2u);
  EXPECT_FALSE(clears[1]->clearTarget);
  EXPECT_TRUE(clears[1]->clearDepth);
  std::vector<const RecordedCall*> handle;
  for (const RecordedCall* c : device.CallsOf(DeviceCall::kDrawPrimitive))
    if (c->snapshot.streamBuffer == renderer.m_moveGizmoBuffer) handle.push_back(c);
  ASSERT_EQ(handle.size(), 2u);
  EXPECT_GT(IndexOf(handle[0]), IndexOf(clears[1]));
  EXPECT_EQ(handle[0]->primitive, Primitive::kTriangleList);
  EXPECT_EQ(handle[0]->startVertex, 0u);
  EXPECT_EQ(handle[0]->count, 24u);
  EXPECT_EQ(handle[1]->primitive, Primitive::kLineList);
  EXPECT_EQ(handle[1]->startVertex, 72u);
  EXPECT_EQ(handle[1]->count, 3u);
  EXPECT_EQ(handle[0]->snapshot.Get(RenderState::kLighting), 0u);
  EXPECT_EQ(handle[0]->snapshot.texture, 0u);
  const Matrix4 expected = ScalingMatrix(0.5f, 0.5f, 0.5f) * TranslationMatrix(10, 20, 0);
  ExpectMatrixNear(renderer.m_gizmoMatrix, expected);
  EXPECT_EQ(handle[0]->snapshot.Transform(TransformSlot::kWorld), renderer.m_gizmoMatrix);
}

TEST_F(SceneRendererTest, RotateHandleDrawsRingsYThenXThenZWithTheModelsAnglesThenTheCentre) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, AddMaterial(scene, 1, 1, 1));
  PoseOf(scene, box).m_rotation = {10, 20, 30};
  scene.m_selectedModel = box;
  scene.m_transformMode = 1;
  renderer.RenderFrame();

  std::vector<uint32_t> order;
  for (const RecordedCall* c : device.CallsOf(DeviceCall::kDrawPrimitive))
    if (c->primitive == Primitive::kTriangleList && c->snapshot.vertexLayout == VertexLayout::kLine)
      order.push_back(c->snapshot.streamBuffer);
  EXPECT_EQ(order, (std::vector<uint32_t>{renderer.m_ringBufferY, renderer.m_ringBufferX, renderer.m_ringBufferZ,
                                          renderer.m_centreCubeBuffer}));
  const Matrix4 base = renderer.m_gizmoMatrix;
  const float k = kDegreesToRadians;
  ExpectMatrixNear(renderer.m_ringMatrixY, RotationYMatrix(20 * k) * base);
  ExpectMatrixNear(renderer.m_ringMatrixX, RotationXMatrix(10 * k) * RotationYMatrix(20 * k) * base);
  ExpectMatrixNear(renderer.m_ringMatrixZ, PoseRotationMatrix({10, 20, 30}) * base);
}

TEST_F(SceneRendererTest, ScaleHandleAndNoHandleForAHiddenSelection) {
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, AddMaterial(scene, 1, 1, 1));
  scene.m_selectedModel = box;
  scene.m_transformMode = 2;
  renderer.RenderFrame();
  const auto draws = device.CallsOf(DeviceCall::kDrawPrimitive);
  ASSERT_GE(draws.size(), 2u);
  EXPECT_EQ(draws[draws.size() - 2]->snapshot.streamBuffer, renderer.m_scaleGizmoBuffer);
  EXPECT_EQ(draws[draws.size() - 2]->count, 48u);
  EXPECT_EQ(draws.back()->startVertex, 144u);
  EXPECT_EQ(draws.back()->count, 3u);

  scene.m_models[box].m_visible = 0;
  device.ClearLog();
  renderer.RenderFrame();
  for (const RecordedCall* c : device.CallsOf(DeviceCall::kDrawPrimitive))
    EXPECT_EQ(c->snapshot.streamBuffer, renderer.m_gridBuffer);
}

TEST_F(SceneRendererTest, TexturesAreMadeFromDecodedImagesAndBoundPerMaterial) {
  const int textured = AddMaterial(scene, 1, 1, 1);
  const int missing = AddMaterial(scene, 1, 1, 1);
  scene.m_materials[textured].m_texture = "wood.png";
  scene.m_materials[textured].m_image = {2, 1, std::make_shared<const std::vector<uint32_t>>(std::vector<uint32_t>{0xFF102030, 0xFF405060})};
  scene.m_materials[missing].m_texture = "gone.png";  // its image failed to load
  const int box = AddBox(scene, "box", {0, 0, 0}, {50, 50, 50}, textured);
  scene.m_models[box].m_faces[0].m_material = missing;
  RebuildModelGeometry(scene.m_models[box], scene.m_materials.size());
  renderer.RenderFrame();

  const auto draws = ModelDraws();
  ASSERT_EQ(draws.size(), 2u);
  const uint32_t texture = scene.m_materials[textured].m_textureHandle;
  ASSERT_NE(texture, 0u);
  EXPECT_EQ(draws[0]->snapshot.texture, texture);
  EXPECT_EQ(device.m_textures.at(texture).pixels, (std::vector<uint32_t>{0xFF102030, 0xFF405060}));
  EXPECT_EQ(draws[1]->snapshot.texture, 0u);

  // The texture is made once, and again when the image changes.
  renderer.RenderFrame();
  EXPECT_EQ(scene.m_materials[textured].m_textureHandle, texture);
  EXPECT_EQ(device.m_textures.size(), 1u);
  scene.m_materials[textured].m_image = {1, 1, std::make_shared<const std::vector<uint32_t>>(1, 0xFFFFFFFFu)};
  renderer.RenderFrame();
  EXPECT_EQ(device.m_textures.size(), 1u);
  EXPECT_EQ(device.m_textures.begin()->second.width, 1);

  renderer.ReleaseSceneResources();
  EXPECT_TRUE(device.m_textures.empty());
  EXPECT_TRUE(device.m_buffers.size() == 7u);  // only the fixed buffers are left
  EXPECT_TRUE(scene.m_materials[textured].m_image.empty());
  EXPECT_EQ(scene.m_models[box].m_vertexBuffer, 0u);
}

TEST_F(SceneRendererTest, CopiedModelsAndRebuiltArraysGetTheirOwnBuffers) {
  const int material = AddMaterial(scene, 1, 1, 1);
  AddBox(scene, "a", {0, 0, 0}, {50, 50, 50}, material);
  renderer.RenderFrame();
  const uint32_t first = scene.m_models[0].m_vertexBuffer;
  ASSERT_NE(first, 0u);

  // A copy carries the handle without owning it; after the list grows both draw their own.
  scene.m_models.push_back(scene.m_models[0]);
  scene.m_models.back().m_id = scene.m_nextModelId++;
  RebuildHierarchyWalk(scene);
  renderer.RenderFrame();
  EXPECT_NE(scene.m_models[0].m_vertexBuffer, scene.m_models[1].m_vertexBuffer);
  EXPECT_EQ(device.m_buffers.size(), 7u + 2u);

  // A rebuild with a different number of triangles replaces the buffer.
  scene.m_models[1].m_faces.pop_back();
  RebuildModelGeometry(scene.m_models[1], scene.m_materials.size());
  renderer.RenderFrame();
  EXPECT_EQ(device.m_buffers.at(scene.m_models[1].m_vertexBuffer).vertexCount, 30u);
  EXPECT_EQ(device.m_buffers.size(), 7u + 2u);

  renderer.RebuildModelBuffers();
  EXPECT_EQ(device.m_buffers.size(), 7u + 2u);
}

TEST_F(SceneRendererTest, ResizeIgnoresEmptySizesAndReportsAFailedReset) {
  renderer.ResizeViewport(0, 300);
  renderer.ResizeViewport(300, 0);
  EXPECT_TRUE(device.CallsOf(DeviceCall::kReset).empty());
  EXPECT_EQ(renderer.m_viewportWidth, 800);

  EXPECT_TRUE(renderer.ResizeViewport(400, 300));
  EXPECT_EQ(renderer.m_viewportWidth, 400);
  EXPECT_EQ(renderer.m_viewportHeight, 300);
  EXPECT_EQ(device.GetBackBufferSize().width, 400);
  EXPECT_EQ(device.CallsOf(DeviceCall::kPresent).size(), 1u);  // and a frame was drawn

  device.ClearLog();
  device.m_failReset = true;
  EXPECT_FALSE(renderer.ResizeViewport(500, 300));
  EXPECT_TRUE(device.CallsOf(DeviceCall::kPresent).empty());
}

TEST_F(SceneRendererTest, AFailedPresentResetsTheDeviceToItsCreationSize) {
  renderer.ResizeViewport(400, 300);
  device.ClearLog();
  device.m_failPresent = true;
  renderer.RenderFrame();
  const auto resets = device.CallsOf(DeviceCall::kReset);
  ASSERT_EQ(resets.size(), 1u);
  EXPECT_EQ(resets[0]->startVertex, 800u);
  EXPECT_EQ(resets[0]->count, 600u);
  // Later paints keep drawing (and keep trying).
  device.ClearLog();
  renderer.RenderFrame();
  EXPECT_EQ(device.CallsOf(DeviceCall::kBeginScene).size(), 1u);
  EXPECT_EQ(device.CallsOf(DeviceCall::kReset).size(), 1u);
}

TEST_F(SceneRendererTest, NothingHappensWithoutADevice) {
  SceneRenderer idle(scene);
  idle.RenderFrame();
  EXPECT_FALSE(idle.ResizeViewport(100, 100));
  idle.ReleaseDevice();
  EXPECT_EQ(idle.InitDevice(nullptr), -1);
}

}  // namespace
}  // namespace qv
