#include "viewport/scene_renderer.h"

#include "animation/pose_matrix.h"
#include "geometry/vertex_array.h"
#include "scene/bgr_color.h"
#include "viewport/camera.h"
#include "viewport/current_pose.h"
#include "viewport/gizmo_geometry.h"
#include "viewport/view_math.h"

namespace qv {

namespace {

constexpr float kPi = 3.14159274f;

uint32_t MakeLineBuffer(RenderDevice& device, const LineVertices& vertices) {
  return device.CreateVertexBuffer(VertexLayout::kLine, vertices.data(), static_cast<uint32_t>(vertices.size()));
}

}  // namespace

int SceneRenderer::InitDevice(RenderDevice* device) {
  if (!device) return -1;
  m_device = device;
  m_matrixStack.Reset();
  const BackBufferSize size = device->GetBackBufferSize();
  m_resetWidth = size.width;
  m_resetHeight = size.height;
  m_viewportWidth = static_cast<float>(size.width);
  m_viewportHeight = static_cast<float>(size.height);

  m_light = DirectionalLight{};
  m_light.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
  m_light.specular = {0.8f, 0.8f, 0.8f, 1.0f};
  m_light.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
  m_light.position = {0, 0, 0};
  m_light.range = 10000;
  m_light.falloff = 1.0f;
  m_light.theta = 0;
  m_light.phi = kPi;

  m_gridBuffer = MakeLineBuffer(*device, GridVertices());
  m_moveGizmoBuffer = MakeLineBuffer(*device, MoveHandleVertices());
  m_ringBufferX = MakeLineBuffer(*device, RingVertices(0));
  m_ringBufferY = MakeLineBuffer(*device, RingVertices(1));
  m_ringBufferZ = MakeLineBuffer(*device, RingVertices(2));
  m_centreCubeBuffer = MakeLineBuffer(*device, CentreCubeVertices());
  m_scaleGizmoBuffer = MakeLineBuffer(*device, ScaleHandleVertices());
  if (!m_gridBuffer || !m_moveGizmoBuffer || !m_ringBufferX || !m_ringBufferY || !m_ringBufferZ ||
      !m_centreCubeBuffer || !m_scaleGizmoBuffer) {
    ReleaseDevice();
    return -1;
  }
  return 0;
}

void SceneRenderer::ReleaseDevice() {
  m_matrixStack.Reset();
  if (m_device) {
    ReleaseDeviceCopies();
    for (uint32_t* buffer : {&m_gridBuffer, &m_moveGizmoBuffer, &m_ringBufferX, &m_ringBufferY, &m_ringBufferZ,
                             &m_centreCubeBuffer, &m_scaleGizmoBuffer}) {
      if (*buffer) m_device->ReleaseVertexBuffer(*buffer);
      *buffer = 0;
    }
  }
  m_device = nullptr;
}

void SceneRenderer::ReleaseModelBuffer(CModel& model) {
  auto it = m_modelBuffers.find(model.m_vertexBuffer);
  if (it != m_modelBuffers.end() && it->second.model == &model) {
    if (m_device) m_device->ReleaseVertexBuffer(it->first);
    m_modelBuffers.erase(it);
  }
  model.m_vertexBuffer = 0;
}

void SceneRenderer::ReleaseMaterialTexture(CMaterial& material) {
  auto it = m_textures.find(material.m_textureHandle);
  if (it != m_textures.end() && it->second.material == &material) {
    if (m_device) m_device->ReleaseTexture(it->first);
    m_textures.erase(it);
  }
  material.m_textureHandle = 0;
}

void SceneRenderer::ReleaseDeviceCopies() {
  // Everything made here goes, including buffers of models that no longer exist.
  if (m_device) {
    for (const auto& entry : m_modelBuffers) m_device->ReleaseVertexBuffer(entry.first);
    for (const auto& entry : m_textures) m_device->ReleaseTexture(entry.first);
  }
  m_modelBuffers.clear();
  m_textures.clear();
  for (CModel& model : m_scene.m_models) model.m_vertexBuffer = 0;
  for (CMaterial& material : m_scene.m_materials) material.m_textureHandle = 0;
}

void SceneRenderer::ReleaseSceneResources() {
  ReleaseDeviceCopies();
  for (CMaterial& material : m_scene.m_materials) material.m_image = TextureImage{};
}

void SceneRenderer::RebuildModelBuffers() {
  for (CModel& model : m_scene.m_models) {
    ReleaseModelBuffer(model);
    BuildVertexArray(model, m_scene.m_materials.size());
    ModelBuffer(model);
  }
}

uint32_t SceneRenderer::ModelBuffer(CModel& model) {
  if (!m_device) return 0;
  const void* data = model.m_meshVertices.data();
  const size_t count = model.m_meshVertices.size();
  auto it = m_modelBuffers.find(model.m_vertexBuffer);
  if (it != m_modelBuffers.end()) {
    const BufferOwner& owner = it->second;
    if (owner.model == &model && owner.data == data && owner.vertexCount == count) return it->first;
    // Made for another model object (this one is a copy, or the model list moved) or for an
    // older array: a live owner elsewhere makes its own again when it is drawn.
    m_device->ReleaseVertexBuffer(it->first);
    m_modelBuffers.erase(it);
  }
  model.m_vertexBuffer = 0;
  if (count == 0) return 0;
  const uint32_t buffer = m_device->CreateVertexBuffer(VertexLayout::kModel, data, static_cast<uint32_t>(count));
  if (!buffer) return 0;
  m_modelBuffers[buffer] = {&model, data, count};
  model.m_vertexBuffer = buffer;
  return buffer;
}

uint32_t SceneRenderer::MaterialTexture(CMaterial& material) {
  if (!m_device) return 0;
  const TextureImage& image = material.m_image;
  auto it = m_textures.find(material.m_textureHandle);
  if (it != m_textures.end()) {
    const TextureOwner& owner = it->second;
    if (owner.material == &material && owner.data == image.data() && owner.width == image.width &&
        owner.height == image.height)
      return it->first;
    m_device->ReleaseTexture(it->first);
    m_textures.erase(it);
  }
  material.m_textureHandle = 0;
  if (image.empty() || image.width <= 0 || image.height <= 0 ||
      image.size() < static_cast<size_t>(image.width) * image.height)
    return 0;
  const uint32_t texture = m_device->CreateTexture(image.width, image.height, image.data());
  if (!texture) return 0;
  m_textures[texture] = {&material, image.data(), image.width, image.height};
  material.m_textureHandle = texture;
  return texture;
}

bool SceneRenderer::ResizeViewport(int width, int height, const ShownFrame& shown) {
  if (width < 1 || height < 1) return true;
  m_viewportWidth = static_cast<float>(width);
  m_viewportHeight = static_cast<float>(height);
  if (!m_device || !m_device->Reset(width, height)) return false;
  RenderFrame(shown);
  return true;
}

void SceneRenderer::SetFrameStates() {
  RenderDevice& d = *m_device;
  d.SetRenderState(RenderState::kDepthTest, 1);
  d.SetRenderState(RenderState::kNormalizeNormals, 1);
  d.SetRenderState(RenderState::kAlphaBlend, 1);
  d.SetRenderState(RenderState::kSourceBlend, kBlendSourceAlpha);
  d.SetRenderState(RenderState::kDestBlend, kBlendInverseSourceAlpha);
  d.SetRenderState(RenderState::kCullMode, kCullCounterClockwise);
  d.SetTextureCombine(TextureCombine::kTextureTimesDiffuse, TextureCombine::kTextureTimesDiffuse);
  d.SetTextureFilter(TextureFilter::kLinear, TextureFilter::kLinear);
  d.SetRenderState(RenderState::kLighting, 1);
  d.SetRenderState(RenderState::kAmbient, 0xFFFFFFFF);
  d.SetVertexLayout(VertexLayout::kModel);
  d.SetRenderState(RenderState::kShadeMode, m_scene.m_smoothShading ? kShadeGouraud : kShadeFlat);
}

void SceneRenderer::RenderFrame(const ShownFrame& shown) {
  if (!m_device) return;
  RenderDevice& d = *m_device;
  d.Clear(true, OpaqueArgbOfBgr(shown.backgroundColor), true, 1.0f);
  d.BeginScene();
  SetFrameStates();

  m_view = ComposeViewMatrix(m_scene, shown);
  d.SetTransform(TransformSlot::kView, m_view);
  m_projection = ProjectionMatrix(m_scene.m_fieldOfView, m_viewportWidth, m_viewportHeight);
  d.SetTransform(TransformSlot::kProjection, m_projection);
  m_inverseView = vmath::InverseOrIdentity(m_view);
  m_scene.m_inverseView = m_inverseView;
  m_scene.m_inverseViewValid = true;

  // The light shines from the camera's side of the scene: the negated camera position, in world
  // space.
  const CVector& eye = CameraPose(m_scene).m_position;
  m_lightDirection = TransformDirection(-eye, m_inverseView);
  m_light.direction = vmath::Normalize(m_lightDirection);
  m_scene.m_lightDirection = m_lightDirection;
  d.SetLight(m_light);
  d.LightEnable(true);

  d.SetRenderState(RenderState::kLighting, 1);
  d.SetRenderState(RenderState::kAmbient, 0xFFFFFFFF);
  d.SetRenderState(RenderState::kSpecular, 1);
  d.SetRenderState(RenderState::kNormalizeNormals, 1);

  DrawWalk(shown);
  if (m_drawGuides) {
    DrawGrid();
    d.Clear(false, 0, true, 1.0f);  // the handle is never hidden by the models
    RunFollowWalk(m_scene, shown, m_matrixStack,
                  [&](MatrixStack& stack, CModel& model) { DrawHandle(stack, model, shown); });
  } else {
    // The grid's states stay set for the next frame (the local viewer above all, which decides
    // where highlights fall): without guides the frames are lit as the viewport lights them.
    SetGridStates();
  }

  d.EndScene();
  if (!d.Present()) d.Reset(m_resetWidth, m_resetHeight);  // the next paint tries again
}

void SceneRenderer::DrawWalk(const ShownFrame& shown) {
  m_matrixStack.Reset();
  const CModel* selected = ShownSelection(m_scene, shown);
  const int32_t modelCount = static_cast<int32_t>(m_scene.m_models.size());
  for (const WalkStep& step : m_scene.m_hierarchyWalk) {
    if (step.model < 0 || step.model >= modelCount) continue;
    CModel& model = m_scene.m_models[step.model];
    if (step.kind == kWalkStart) {
      m_matrixStack.LoadIdentity();
    } else if (step.kind == kWalkEnter) {
      m_matrixStack.Push();
      m_matrixStack.PreMultiply(PoseModelMatrix(PoseOrIdentity(model, shown.animation, shown.frame), model.m_origin));
    } else if (step.kind == kWalkLeave) {
      // A hidden model is skipped, but its children (entered after it) carry its transform.
      if (model.m_visible) {
        if (m_drawGuides && selected && model.m_id == selected->m_id) DrawBoxOutline(model, m_matrixStack.Top());
        DrawModel(model, m_matrixStack.Top());
      }
      m_matrixStack.Pop();
    } else if (step.kind == kWalkEnd) {
      break;
    }
  }
}

void SceneRenderer::DrawBoxOutline(const CModel& model, const Matrix4& world) {
  RenderDevice& d = *m_device;
  d.SetRenderState(RenderState::kLighting, 0);
  d.SetTransform(TransformSlot::kWorld, world);
  d.SetTexture(0);
  // The outline's vertices are line vertices; they are drawn with that layout and the model
  // layout comes back for the model itself.
  d.SetVertexLayout(VertexLayout::kLine);
  for (int edge = 0; edge < 12; ++edge)
    d.DrawPrimitiveUP(Primitive::kLineList, 1, &model.m_boxOutline[2 * edge], kLineVertexStride);
  d.SetVertexLayout(VertexLayout::kModel);
  d.SetRenderState(RenderState::kLighting, 1);
}

void SceneRenderer::DrawModel(CModel& model, const Matrix4& world) {
  RenderDevice& d = *m_device;
  d.SetTransform(TransformSlot::kWorld, world);
  model.m_worldMatrix = world;  // picking reads it
  d.SetTexture(0);
  const uint32_t buffer = ModelBuffer(model);
  d.SetStreamSource(buffer, kModelVertexStride);
  if (!buffer) return;
  const uint32_t bufferVertices = static_cast<uint32_t>(model.m_meshVertices.size());
  uint32_t start = 0;
  for (size_t i = 0; i < model.m_trianglesPerMaterial.size(); ++i) {
    const int32_t count = model.m_trianglesPerMaterial[i];
    if (count <= 0) continue;
    const uint32_t triangles = static_cast<uint32_t>(count);
    // Counts from a material list that has since shrunk, or an array that no longer holds
    // them, are not drawn.
    if (i < m_scene.m_materials.size() && start + 3 * triangles <= bufferVertices) {
      CMaterial& material = m_scene.m_materials[i];
      d.SetMaterial(material.m_lighting);
      d.SetTexture(material.m_texture.empty() ? 0 : MaterialTexture(material));
      d.DrawPrimitive(Primitive::kTriangleList, start, triangles);
    }
    start += 3 * triangles;
  }
}

void SceneRenderer::DrawGrid() {
  RenderDevice& d = *m_device;
  SetGridStates();
  d.SetStreamSource(m_gridBuffer, kLineVertexStride);
  for (uint32_t line = 0; line < kGridLineCount; ++line) d.DrawPrimitive(Primitive::kLineList, 2 * line, 1);
}

void SceneRenderer::SetGridStates() {
  RenderDevice& d = *m_device;
  d.SetVertexLayout(VertexLayout::kLine);
  d.LightEnable(false);
  d.SetRenderState(RenderState::kLighting, 0);
  d.SetRenderState(RenderState::kSpecular, 0);
  d.SetRenderState(RenderState::kLocalViewer, 0);
  d.SetRenderState(RenderState::kNormalizeNormals, 0);
  d.SetTransform(TransformSlot::kWorld, Matrix4{});
  d.SetTexture(0);
}

void SceneRenderer::DrawHandle(MatrixStack& stack, CModel& model, const ShownFrame& shown) {
  RenderDevice& d = *m_device;
  d.SetTexture(0);
  auto draw = [&](uint32_t buffer, uint32_t triangles, uint32_t lineStart, uint32_t lines) {
    d.SetStreamSource(buffer, kLineVertexStride);
    d.DrawPrimitive(Primitive::kTriangleList, 0, triangles);
    if (lines) d.DrawPrimitive(Primitive::kLineList, lineStart, lines);
  };
  switch (shown.transformMode) {
    case 0:
      m_gizmoMatrix = stack.Top();
      d.SetTransform(TransformSlot::kWorld, m_gizmoMatrix);
      draw(m_moveGizmoBuffer, 24, 72, 3);
      break;
    case 1: {
      // The rings turn with the model's own angles, in the pose's rotation order.
      const CVector rotation = PoseOrIdentity(model, shown.animation, shown.frame).m_rotation;
      stack.Push();
      stack.PreMultiply(RotationYMatrix(rotation.y * kDegreesToRadians));
      m_ringMatrixY = stack.Top();
      d.SetTransform(TransformSlot::kWorld, m_ringMatrixY);
      draw(m_ringBufferY, 48, 144, 1);
      stack.PreMultiply(RotationXMatrix(rotation.x * kDegreesToRadians));
      m_ringMatrixX = stack.Top();
      d.SetTransform(TransformSlot::kWorld, m_ringMatrixX);
      draw(m_ringBufferX, 48, 144, 1);
      stack.PreMultiply(RotationZMatrix(rotation.z * kDegreesToRadians));
      m_ringMatrixZ = stack.Top();
      d.SetTransform(TransformSlot::kWorld, m_ringMatrixZ);
      draw(m_ringBufferZ, 48, 144, 1);
      stack.Pop();
      m_gizmoMatrix = stack.Top();
      d.SetTransform(TransformSlot::kWorld, m_gizmoMatrix);
      draw(m_centreCubeBuffer, 12, 0, 0);
      break;
    }
    case 2:
      m_gizmoMatrix = stack.Top();
      d.SetTransform(TransformSlot::kWorld, m_gizmoMatrix);
      draw(m_scaleGizmoBuffer, 48, 144, 3);
      break;
    default: break;
  }
}

}  // namespace qv
