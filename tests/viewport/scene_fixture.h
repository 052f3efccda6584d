#pragma once
// Small scenes for the viewport tests: boxes with their own materials, tracks fitted to the
// frame range, geometry and hierarchy walk built as a loaded document has them.
#include <algorithm>
#include <string>

#include "animation/pose_matrix.h"
#include "animation/track_fit.h"
#include "geometry/model_geometry.h"
#include "scene/hierarchy_walk.h"
#include "scene/scene.h"
#include "viewport/camera.h"

namespace qv::testing {

inline int AddMaterial(Scene& scene, float r, float g, float b, float a = 1.0f) {
  CMaterial material;
  material.m_color[0] = r;
  material.m_color[1] = g;
  material.m_color[2] = b;
  material.m_color[3] = a;
  UpdateLighting(material);
  scene.m_materials.push_back(material);
  scene.RenumberMaterials();
  return static_cast<int>(scene.m_materials.size()) - 1;
}

// A box of quadrilaterals, each wound so that it is drawn from outside (clockwise on screen).
inline int AddBox(Scene& scene, const std::string& name, const CVector& centre, const CVector& half,
                  int material, int parent = kNoModel) {
  CModel model;
  model.m_id = scene.m_nextModelId++;
  model.m_name = name;
  model.m_parent = parent;
  for (int i = 0; i < 8; ++i)
    model.m_vertices.push_back({centre.x + ((i & 1) ? half.x : -half.x), centre.y + ((i & 2) ? half.y : -half.y),
                                centre.z + ((i & 4) ? half.z : -half.z)});
  const int quads[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
  for (const auto& q : quads) {
    CFace face;
    face.m_material = material;
    for (int i : q) face.m_indices.push_back(i);
    // The face normal (p0 - p1) x (p0 - p2) of a face seen from outside points inwards.
    const CVector& p0 = model.m_vertices[q[0]];
    const CVector n = Cross(p0 - model.m_vertices[q[1]], p0 - model.m_vertices[q[2]]);
    if (Dot(n, p0 - centre) > 0) std::reverse(face.m_indices.begin(), face.m_indices.end());
    model.m_faces.push_back(face);
  }
  FitFrames(scene, model, 0);
  scene.m_models.push_back(std::move(model));
  RebuildModelGeometry(scene.m_models.back(), scene.m_materials.size());
  RebuildHierarchyWalk(scene);
  return static_cast<int>(scene.m_models.size()) - 1;
}

inline CAnimation& PoseOf(Scene& scene, int model) {
  return scene.m_models[model].m_tracks[scene.m_currentAnimation][scene.m_currentFrame];
}

}  // namespace qv::testing

namespace qv::testing {

// The pixel (column, row from the top) where a world point appears in a w × h picture drawn
// with this view and the scene's projection.
inline std::pair<int, int> PixelOf(const CVector& world, const Matrix4& view, const Matrix4& projection, int width,
                                   int height) {
  const Matrix4 m = view * projection;
  const float x = world.x * m.m[0][0] + world.y * m.m[1][0] + world.z * m.m[2][0] + m.m[3][0];
  const float y = world.x * m.m[0][1] + world.y * m.m[1][1] + world.z * m.m[2][1] + m.m[3][1];
  const float w = world.x * m.m[0][3] + world.y * m.m[1][3] + world.z * m.m[2][3] + m.m[3][3];
  return {static_cast<int>((x / w + 1) / 2 * width), static_cast<int>((1 - y / w) / 2 * height)};
}

}  // namespace qv::testing
