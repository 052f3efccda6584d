#include "geometry/vertex_array.h"

#include <cstdint>
#include <vector>

#include "geometry/normals.h"

namespace qv {

namespace {

bool IsDrawable(const CModel& model, const CFace& face, size_t materialCount) {
  if (DrawnVertexCount(face) == 0) return false;
  if (face.m_material < 0 || static_cast<size_t>(face.m_material) >= materialCount) return false;
  for (int32_t v : face.m_indices)
    if (v < 0 || static_cast<size_t>(v) >= model.m_vertices.size()) return false;
  return true;
}

MeshVertex CornerVertex(const CModel& model, const CFace& face, size_t j) {
  const CVector& p = model.m_vertices[face.m_indices[j]];
  const CVector n = j < face.m_cornerRecords.size() ? face.m_cornerRecords[j].m_normal : face.m_normal;
  const CUV uv = j < face.m_uvs.size() ? face.m_uvs[j] : CUV{};
  return {p.x, p.y, p.z, n.x, n.y, n.z, uv.u, uv.v};
}

}  // namespace

size_t DrawnVertexCount(const CFace& face) {
  switch (face.m_indices.size()) {
    case 3: return 3;
    case 4: return 6;
    default: return 0;
  }
}

void BuildVertexArray(CModel& model, size_t materialCount) {
  ComputeCornerNormals(model);

  // Counting sort by material: first the vertex count of every material, then each face is
  // written at its material's running offset, which keeps face order within a material.
  model.m_trianglesPerMaterial.assign(materialCount, 0);
  std::vector<size_t> offset(materialCount + 1, 0);
  for (const CFace& face : model.m_faces) {
    if (!IsDrawable(model, face, materialCount)) continue;
    offset[face.m_material + 1] += DrawnVertexCount(face);
    model.m_trianglesPerMaterial[face.m_material] += face.m_indices.size() == 3 ? 1 : 2;
  }
  for (size_t c = 0; c < materialCount; ++c) offset[c + 1] += offset[c];

  model.m_meshVertices.resize(offset[materialCount]);
  MeshVertex* out = model.m_meshVertices.data();
  for (const CFace& face : model.m_faces) {
    if (!IsDrawable(model, face, materialCount)) continue;
    size_t& at = offset[face.m_material];
    out[at++] = CornerVertex(model, face, 0);
    out[at++] = CornerVertex(model, face, 1);
    out[at++] = CornerVertex(model, face, 2);
    if (face.m_indices.size() == 4) {
      out[at++] = CornerVertex(model, face, 2);
      out[at++] = CornerVertex(model, face, 3);
      out[at++] = CornerVertex(model, face, 0);
    }
  }
}

}  // namespace qv
