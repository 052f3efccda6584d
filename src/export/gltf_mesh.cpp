#include "export/gltf_mesh.h"

#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <unordered_map>

#include "geometry/normals.h"

namespace qv {

namespace {

using CornerKey = std::array<uint32_t, 8>;

struct CornerKeyHash {
  size_t operator()(const CornerKey& key) const {
    uint64_t h = 0xCBF29CE484222325ull;
    for (uint32_t word : key) h = (h ^ word) * 0x100000001B3ull;
    return static_cast<size_t>(h ^ (h >> 29));
  }
};

bool Finite(const CVector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The viewport's normals point to the side its triangles are seen from clockwise (its light
// shines along the view, towards the eye); glTF's point to the counter-clockwise side, so each
// is written reversed.
CVector CornerNormal(const CModel& model, size_t face, size_t corner) {
  return -NormalizeOrUp(model.m_cornerRecords.NormalOr(face, corner, model.m_faces[face].m_normal));
}

bool Drawable(const CModel& model, const CFace& face, size_t materialCount) {
  const size_t corners = face.m_indices.size();
  if (corners != 3 && corners != 4) return false;
  if (face.m_material < 0 || static_cast<size_t>(face.m_material) >= materialCount) return false;
  for (int32_t index : face.m_indices) {
    if (index < 0 || static_cast<size_t>(index) >= model.m_vertices.size()) return false;
    if (!Finite(model.m_vertices[index])) return false;
  }
  for (const CUV& uv : face.m_uvs)
    if (!std::isfinite(uv.u) || !std::isfinite(uv.v)) return false;
  return true;
}

}  // namespace

GltfMesh BuildGltfMesh(const CModel& model, size_t materialCount) {
  GltfMesh mesh;
  bool anyUvs = false;
  for (const CFace& face : model.m_faces)
    if (!face.m_uvs.empty() && Drawable(model, face, materialCount)) anyUvs = true;

  std::unordered_map<CornerKey, uint32_t, CornerKeyHash> known;
  std::map<int32_t, std::vector<uint32_t>> byMaterial;
  auto addCorner = [&](size_t f, size_t corner, std::vector<uint32_t>& indices) {
    const CFace& face = model.m_faces[f];
    const CVector& p = model.m_vertices[face.m_indices[corner]];
    const CVector n = CornerNormal(model, f, corner);
    const CUV uv = corner < face.m_uvs.size() ? face.m_uvs[corner] : CUV{};
    const CornerKey key{std::bit_cast<uint32_t>(p.x),  std::bit_cast<uint32_t>(p.y),
                        std::bit_cast<uint32_t>(p.z),  std::bit_cast<uint32_t>(n.x),
                        std::bit_cast<uint32_t>(n.y),  std::bit_cast<uint32_t>(n.z),
                        std::bit_cast<uint32_t>(uv.u), std::bit_cast<uint32_t>(uv.v)};
    auto [it, added] = known.try_emplace(key, static_cast<uint32_t>(mesh.VertexCount()));
    if (added) {
      mesh.positions.insert(mesh.positions.end(), {p.x, p.y, p.z});
      mesh.normals.insert(mesh.normals.end(), {n.x, n.y, n.z});
      if (anyUvs) mesh.uvs.insert(mesh.uvs.end(), {uv.u, uv.v});
    }
    indices.push_back(it->second);
  };
  auto addTriangle = [&](size_t f, size_t a, size_t b, size_t c, std::vector<uint32_t>& indices) {
    addCorner(f, a, indices);
    addCorner(f, c, indices);  // swapped: counter-clockwise on screen for glTF
    addCorner(f, b, indices);
  };
  for (size_t f = 0; f < model.m_faces.size(); ++f) {
    const CFace& face = model.m_faces[f];
    if (!Drawable(model, face, materialCount)) continue;
    std::vector<uint32_t>& indices = byMaterial[face.m_material];
    addTriangle(f, 0, 1, 2, indices);
    if (face.m_indices.size() == 4) addTriangle(f, 2, 3, 0, indices);
  }
  for (auto& [material, indices] : byMaterial) mesh.primitives.push_back({material, std::move(indices)});
  return mesh;
}

}  // namespace qv
