// Extruding a text cap into a slab, and centring it.
#include <algorithm>

#include "geometry/bounds.h"
#include "geometry/text_model.h"
#include "scene/model.h"

namespace qv {

namespace {

// Up to three distinct vertex indices of a face's first three corners.
int32_t DistinctCorners(const CFace& face, int32_t* out) {
  int32_t count = 0;
  for (size_t k = 0; k < 3 && k < face.m_indices.size(); ++k) {
    const int32_t v = face.m_indices[k];
    if (std::find(out, out + count, v) == out + count) out[count++] = v;
  }
  return count;
}

}  // namespace

std::vector<std::pair<int32_t, int32_t>> CapBoundaryEdges(const CModel& model) {
  const int32_t faceCount = static_cast<int32_t>(model.m_faces.size());
  const int32_t n = static_cast<int32_t>(model.m_vertices.size());

  // Boundary edges are found among the faces at each vertex (in one flat array), without
  // comparing every pair of faces.
  std::vector<int32_t> first(static_cast<size_t>(n) + 1, 0);
  for (const CFace& face : model.m_faces) {
    int32_t v[3];
    const int32_t count = DistinctCorners(face, v);
    for (int32_t i = 0; i < count; ++i)
      if (v[i] >= 0 && v[i] < n) ++first[v[i] + 1];
  }
  for (int32_t i = 0; i < n; ++i) first[i + 1] += first[i];
  std::vector<int32_t> facesAt(first[n]);
  {
    std::vector<int32_t> fill(first.begin(), first.end() - 1);
    for (int32_t f = 0; f < faceCount; ++f) {
      int32_t v[3];
      const int32_t count = DistinctCorners(model.m_faces[f], v);
      for (int32_t i = 0; i < count; ++i)
        if (v[i] >= 0 && v[i] < n) facesAt[fill[v[i]]++] = f;
    }
  }
  // How often the cap runs from p to q, less how often from q to p (this face included). Inside
  // the cap every edge is run once each way; an edge of the outline keeps a surplus however many
  // triangles (slivers included) touch it.
  auto surplus = [&](int32_t p, int32_t q, int32_t face, int32_t& earlier) {
    earlier = 0;
    if (p < 0 || p >= n) return 1;
    int32_t net = 0;
    for (int32_t k = first[p]; k < first[p + 1]; ++k) {
      const CFace& g = model.m_faces[facesAt[k]];
      const size_t corners = std::min<size_t>(3, g.m_indices.size());
      if (corners < 3) continue;
      for (size_t i = 0; i < 3; ++i) {
        const int32_t from = g.m_indices[i], to = g.m_indices[(i + 1) % 3];
        if (from == p && to == q) {
          ++net;
          if (facesAt[k] < face) ++earlier;
        } else if (from == q && to == p) {
          --net;
        }
      }
    }
    return net;
  };
  std::vector<std::pair<int32_t, int32_t>> boundary;
  for (int32_t i = 0; i < faceCount; ++i) {
    const CFace& f = model.m_faces[i];
    if (f.m_indices.size() < 3) continue;
    const int32_t a = f.m_indices[0], b = f.m_indices[1], c = f.m_indices[2];
    const std::pair<int32_t, int32_t> edges[3] = {{a, b}, {b, c}, {c, a}};
    for (const auto& [p, q] : edges) {
      if (p == q) continue;
      // Each run of the edge beyond those matched by runs the other way gets one wall.
      int32_t earlier = 0;
      if (surplus(p, q, i, earlier) > earlier) boundary.emplace_back(p, q);
    }
  }
  return boundary;
}

void ExtrudeCap(CModel& model, float thickness, int32_t material) {
  const int32_t faceCount = static_cast<int32_t>(model.m_faces.size());
  const int32_t n = static_cast<int32_t>(model.m_vertices.size());
  const std::vector<std::pair<int32_t, int32_t>> boundary = CapBoundaryEdges(model);

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
