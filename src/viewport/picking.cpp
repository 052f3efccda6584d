#include "viewport/picking.h"

#include "geometry/bounds.h"
#include "viewport/gizmo_geometry.h"
#include "viewport/view_math.h"

namespace qv {

namespace {

// The first triangle of the list the ray hits, in list order.
std::optional<float> FirstHit(const Ray& ray, const std::vector<Triangle>& triangles) {
  for (const Triangle& t : triangles)
    if (auto hit = vmath::IntersectTriangle(ray.origin, ray.direction, t[0], t[1], t[2])) return hit;
  return std::nullopt;
}

}  // namespace

Ray ScreenRay(const SceneRenderer& renderer, int x, int y, const Matrix4& world) {
  float width = renderer.m_viewportWidth, height = renderer.m_viewportHeight;
  Matrix4 projection = renderer.m_projection, view = renderer.m_view;
  if (renderer.m_device) {
    const BackBufferSize size = renderer.m_device->GetBackBufferSize();
    width = static_cast<float>(size.width);
    height = static_cast<float>(size.height);
    projection = renderer.m_device->GetTransform(TransformSlot::kProjection);
    view = renderer.m_device->GetTransform(TransformSlot::kView);
  }
  if (width <= 0 || height <= 0 || projection.m[0][0] == 0 || projection.m[1][1] == 0) return {};
  const float vx = (2.0f * x / width - 1.0f) / projection.m[0][0];
  const float vy = -(2.0f * y / height - 1.0f) / projection.m[1][1];
  const Matrix4 m = vmath::InverseOrIdentity(world * view);
  Ray ray;
  ray.direction = {vx * m.m[0][0] + vy * m.m[1][0] - m.m[2][0], vx * m.m[0][1] + vy * m.m[1][1] - m.m[2][1],
                   vx * m.m[0][2] + vy * m.m[1][2] - m.m[2][2]};
  ray.origin = {m.m[3][0], m.m[3][1], m.m[3][2]};
  return ray;
}

int PickHandle(const SceneRenderer& renderer, int x, int y) {
  const int mode = renderer.DrawnScene().m_transformMode;
  const Ray handleRay = ScreenRay(renderer, x, y, renderer.m_gizmoMatrix);
  if (mode == 0) {
    for (int axis = 0; axis < 3; ++axis)
      if (FirstHit(handleRay, ArrowheadTriangles(axis))) return axis;
  } else if (mode == 1) {
    const Matrix4* rings[3] = {&renderer.m_ringMatrixX, &renderer.m_ringMatrixY, &renderer.m_ringMatrixZ};
    int best = -1;
    float bestDistance = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const auto hit = FirstHit(ScreenRay(renderer, x, y, *rings[axis]), RingTriangles(axis));
      if (hit && (best < 0 || *hit < bestDistance)) {
        best = axis;
        bestDistance = *hit;
      }
    }
    if (best >= 0) return best;
  } else if (mode == 2) {
    for (int axis = 0; axis < 3; ++axis)
      if (FirstHit(handleRay, AxisCubeTriangles(axis))) return axis;
  }
  if (FirstHit(handleRay, CentreCubeTriangles())) return 3;
  return -1;
}

std::optional<float> PickModel(const SceneRenderer& renderer, const CModel& model, int x, int y) {
  const Ray ray = ScreenRay(renderer, x, y, model.m_worldMatrix);
  const int32_t vertexCount = static_cast<int32_t>(model.m_vertices.size());
  auto vertex = [&](int32_t i) -> const CVector* {
    return (i >= 0 && i < vertexCount) ? &model.m_vertices[i] : nullptr;
  };
  auto test = [&](int32_t a, int32_t b, int32_t c) -> std::optional<float> {
    const CVector *pa = vertex(a), *pb = vertex(b), *pc = vertex(c);
    if (!pa || !pb || !pc) return std::nullopt;  // a face with a bad index cannot be hit
    return vmath::IntersectTriangle(ray.origin, ray.direction, *pa, *pb, *pc);
  };
  for (const CFace& face : model.m_faces) {
    const auto& i = face.m_indices;
    std::optional<float> hit;
    if (i.size() == 3) {
      hit = test(i[0], i[1], i[2]);
    } else if (i.size() == 4) {
      hit = test(i[0], i[2], i[3]);
      if (!hit) hit = test(i[0], i[1], i[2]);
    }
    if (hit) return hit;
  }
  return std::nullopt;
}

bool PickAt(SceneRenderer& renderer, int x, int y) {
  Scene& scene = renderer.DrawnScene();
  if (scene.HasValidSelection()) {
    scene.m_axisLock = PickHandle(renderer, x, y);
    if (scene.m_axisLock >= 0) return true;
  }
  int32_t best = -1;
  float bestDistance = 0;
  for (size_t i = 0; i < scene.m_models.size(); ++i) {
    const CModel& model = scene.m_models[i];
    if (!model.m_visible) continue;
    const auto hit = PickModel(renderer, model, x, y);
    if (hit && (best < 0 || *hit < bestDistance)) {
      best = static_cast<int32_t>(i);
      bestDistance = *hit;
    }
  }
  if (best < 0) return false;
  scene.m_selectedModel = best;
  BuildBoxOutline(scene.m_models[best]);
  scene.m_axisLock = 3;
  return true;
}

}  // namespace qv
