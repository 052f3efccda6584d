#pragma once
// A document that uses every stored form the program writes: NaN payloads, negative zero,
// strings at each length-prefix boundary, Japanese names, several animations, tracks of
// different lengths, faces of 3, 4 and 5 corners with and without texture coordinates.
#include <bit>
#include <cstdint>
#include <string>

#include "scene/scene.h"

namespace qv::testing {

// `longStrings` adds the strings of 65,533 and 65,534 bytes (the large length prefixes).
inline Scene MakeSampleScene(bool longStrings = true) {
  Scene scene;
  scene.m_animationNames = {"Animation_0", "\x83\x41\x83\x6a\x83\x81", std::string(254, 'a')};
  scene.m_canvasWidth = 640;
  scene.m_canvasHeight = 480;
  scene.m_fieldOfView = -0.0f;
  scene.m_backgroundColor = 0x00FF8000;
  scene.m_hermite = false;
  scene.m_nextModelId = 9;
  scene.m_nextMaterialId = 3;
  scene.m_smoothShading = 0;

  for (int m = 0; m < 3; ++m) {
    CMaterial material;
    material.m_number = m;
    material.m_name = m == 0 ? std::string("\x90\xd4", 2) : std::string(255 + m, 'm');  // "赤"
    material.m_color[0] = std::bit_cast<float>(0x7FC12345u);  // NaN with a payload
    material.m_texture = m == 1 && longStrings ? std::string(65533, 't') : "tex\\wood.png";
    material.m_bump = m == 2 && longStrings ? std::string(65534, 'b') : "";
    scene.m_materials.push_back(material);
  }

  for (int i = 0; i < 3; ++i) {
    CModel model;
    model.m_id = 6 + i;
    model.m_name = i == 0 ? "\x83\x8d\x83\x53" : "Model" + std::to_string(i);  // "ロゴ"
    model.m_parent = i == 2 ? 0 : kNoModel;
    model.m_parentName = i == 2 ? model.m_name : kNoParentName;
    model.m_smoothingAngle = 89.5f;
    model.m_visible = i != 1;
    model.m_origin = {1.5f, -0.0f, 3};
    for (int v = 0; v < 6; ++v) model.m_vertices.push_back({float(v), float(v * v), -float(v)});
    model.m_vertices[5].x = std::bit_cast<float>(0xFFC00001u);
    CFace tri;
    tri.m_indices = {0, 1, 2};
    tri.m_material = 0;
    CFace quad;
    quad.m_indices = {0, 1, 2, 3};
    quad.m_uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    quad.m_material = 1;
    CFace pentagon;
    pentagon.m_indices = {0, 1, 2, 3, 4};
    pentagon.m_material = 7;  // beyond the list: kept as it is
    model.m_faces = {tri, quad, pentagon};
    for (int a = 0; a < 3; ++a) {
      Track track(static_cast<size_t>(5 + 10 * a + i));
      for (size_t f = 0; f < track.size(); ++f) {
        track[f].m_position = {float(f), float(a), float(i)};
        track[f].m_key = f % 4 == 0;
      }
      model.m_tracks.push_back(track);
    }
    scene.m_models.push_back(model);
  }
  scene.m_cameras[0].m_key = 1;
  return scene;
}

}  // namespace qv::testing
