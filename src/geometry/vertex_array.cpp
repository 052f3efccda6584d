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

MeshVertex CornerVertex(const CModel& model, size_t f, size_t j) {
  const CFace& face = model.m_faces[f];
  const CVector& p = model.m_vertices[face.m_indices[j]];
  const CVector n = model.m_cornerRecords.NormalOr(f, j, face.m_normal);
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

  // Counting sort of the drawn faces by material (face order kept within a material); the
  // vertices are then appended in that order, never written twice.
  model.m_trianglesPerMaterial.assign(materialCount, 0);
  std::vector<uint32_t> first(materialCount + 1, 0);
  std::vector<char> drawn(model.m_faces.size());
  size_t vertexCount = 0;
  for (size_t f = 0; f < model.m_faces.size(); ++f) {
    const CFace& face = model.m_faces[f];
    if (!(drawn[f] = IsDrawable(model, face, materialCount))) continue;
    ++first[face.m_material + 1];
    model.m_trianglesPerMaterial[face.m_material] += face.m_indices.size() == 3 ? 1 : 2;
    vertexCount += DrawnVertexCount(face);
  }
  for (size_t c = 0; c < materialCount; ++c) first[c + 1] += first[c];
  std::vector<uint32_t> order(first[materialCount]);
  for (size_t f = 0; f < model.m_faces.size(); ++f)
    if (drawn[f]) order[first[model.m_faces[f].m_material]++] = static_cast<uint32_t>(f);

  std::vector<MeshVertex>& out = model.m_meshVertices;
  out.clear();
  out.reserve(vertexCount);
  for (uint32_t f : order) {
    out.push_back(CornerVertex(model, f, 0));
    out.push_back(CornerVertex(model, f, 1));
    out.push_back(CornerVertex(model, f, 2));
    if (model.m_faces[f].m_indices.size() == 4) {
      out.push_back(CornerVertex(model, f, 2));
      out.push_back(CornerVertex(model, f, 3));
      out.push_back(CornerVertex(model, f, 0));
    }
  }
}

}  // namespace qv
