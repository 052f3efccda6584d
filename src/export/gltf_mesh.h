#pragma once
// A model's mesh for glTF: the triangles the viewport draws, with the corner normals it shades
// with, as one shared vertex list and one index list per material.
#include <cstdint>
#include <vector>

#include "scene/model.h"

namespace qv {

struct GltfPrimitive {
  int32_t material = 0;
  std::vector<uint32_t> indices;  // three per triangle, into the mesh's vertices
};

struct GltfMesh {
  std::vector<float> positions;  // x, y, z per vertex
  std::vector<float> normals;    // unit corner normals
  std::vector<float> uvs;        // u, v per vertex (empty when no face has texture coordinates)
  std::vector<GltfPrimitive> primitives;  // ascending material order, none empty
  size_t VertexCount() const { return positions.size() / 3; }
};

// The triangles of `model` as the viewport draws them: a triangle gives corners 0, 1, 2, a
// quadrilateral 0, 1, 2 and 2, 3, 0; other faces, faces naming a vertex the model lacks, faces
// whose material is outside [0, materialCount) and faces with a coordinate that is not a finite
// number are left out. The viewport shows the triangles that turn clockwise on screen; glTF shows
// those that turn counter-clockwise, so every triangle is written with its last two corners
// swapped. A corner's normal is its corner record's (the face normal when the records were not
// built), normalised and reversed like the winding. Equal corners (position, normal and texture
// coordinates) share a vertex.
GltfMesh BuildGltfMesh(const CModel& model, size_t materialCount);

}  // namespace qv
