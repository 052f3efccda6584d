// Extruding a text cap into a slab, and centring it.
#include <algorithm>
#include <unordered_map>

#include "geometry/bounds.h"
#include "geometry/text_model.h"
#include "scene/model.h"

namespace qv {

namespace {

uint64_t PairKey(int32_t a, int32_t b) {
  if (a > b) std::swap(a, b);
  return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b);
}

}  // namespace

void ExtrudeCap(CModel& model, float thickness, int32_t material) {
  const int32_t faceCount = static_cast<int32_t>(model.m_faces.size());
  const int32_t n = static_cast<int32_t>(model.m_vertices.size());

  // An edge is on the boundary when no other face holds both of its ends. Counting, for every
  // pair of distinct vertices, the faces holding both (and for every vertex the faces holding
  // it, for edges whose two ends are the same vertex) answers that in one pass.
  std::unordered_map<uint64_t, int32_t> facesWithPair;
  facesWithPair.reserve(static_cast<size_t>(faceCount) * 3);
  std::vector<int32_t> facesWithVertex(n, 0);
  auto distinct = [](const CFace& f, int32_t* out) {
    int32_t count = 0;
    for (size_t k = 0; k < 3 && k < f.m_indices.size(); ++k) {
      int32_t v = f.m_indices[k];
      if (std::find(out, out + count, v) == out + count) out[count++] = v;
    }
    return count;
  };
  for (const CFace& f : model.m_faces) {
    int32_t v[3];
    int32_t count = distinct(f, v);
    for (int32_t i = 0; i < count; ++i) {
      if (v[i] >= 0 && v[i] < n) ++facesWithVertex[v[i]];
      for (int32_t j = i + 1; j < count; ++j) ++facesWithPair[PairKey(v[i], v[j])];
    }
  }
  std::vector<std::pair<int32_t, int32_t>> boundary;
  for (const CFace& f : model.m_faces) {
    if (f.m_indices.size() < 3) continue;
    const int32_t a = f.m_indices[0], b = f.m_indices[1], c = f.m_indices[2];
    const std::pair<int32_t, int32_t> edges[3] = {{a, b}, {b, c}, {c, a}};
    for (const auto& [p, q] : edges) {
      int32_t sharing = p == q ? (p >= 0 && p < n ? facesWithVertex[p] : 1) : facesWithPair[PairKey(p, q)];
      if (sharing <= 1) boundary.emplace_back(p, q);
    }
  }

  model.m_vertices.reserve(static_cast<size_t>(n) * 2);
  for (int32_t i = 0; i < n; ++i) {
    const CVector v = model.m_vertices[i];
    model.m_vertices.push_back({v.x, v.y, v.z - thickness});
  }
  model.m_faces.reserve(static_cast<size_t>(faceCount) * 2 + boundary.size());
  for (int32_t i = 0; i < faceCount; ++i) {
    const CFace& f = model.m_faces[i];
    if (f.m_indices.size() < 3) continue;
    CFace back;
    back.m_material = f.m_material;
    back.m_indices = {f.m_indices[2] + n, f.m_indices[1] + n, f.m_indices[0] + n};
    model.m_faces.push_back(std::move(back));
  }
  for (const auto& [p, q] : boundary) {
    CFace side;
    side.m_material = material;
    side.m_indices = {q, p, p + n, q + n};
    model.m_faces.push_back(std::move(side));
  }
}

void CenterOnBounds(CModel& model) {
  ComputeBounds(model);
  const CVector& hi = model.m_boundsMax;
  const CVector& lo = model.m_boundsMin;
  const float dx = (hi.x - lo.x) / 2 + lo.x;
  const float dy = (hi.y - lo.y) / 2 + lo.y;
  const float dz = (hi.z - lo.z) / 2;
  for (CVector& v : model.m_vertices) {
    v.x -= dx;
    v.y -= dy;
    v.z += dz;
  }
}

}  // namespace qv
