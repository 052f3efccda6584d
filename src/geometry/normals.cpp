#include "geometry/normals.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qv {

namespace {

constexpr CVector kUp{0, 1, 0};

bool IsVertexIndex(const CModel& model, int32_t v) {
  return v >= 0 && static_cast<size_t>(v) < model.m_vertices.size();
}

// Float bit patterns mapped to integers that sort like the floats (-0 and +0 both become 0).
int32_t OrderedBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return (u & 0x80000000u) ? -static_cast<int32_t>(u & 0x7fffffffu) : static_cast<int32_t>(u);
}

float FromOrderedBits(int32_t k) {
  const uint32_t u = k >= 0 ? static_cast<uint32_t>(k) : (0x80000000u | static_cast<uint32_t>(-k));
  float f;
  std::memcpy(&f, &u, sizeof f);
  return f;
}

}  // namespace

CVector NormalizeOrUp(const CVector& v) {
  const float sum = v.x * v.x + v.y * v.y + v.z * v.z;
  double length = std::sqrt(static_cast<double>(sum));
  if (length > 0 && length < HUGE_VAL)
    return {static_cast<float>(v.x / length), static_cast<float>(v.y / length), static_cast<float>(v.z / length)};
  if (std::isinf(length)) {
    // The float squares overflowed; the vector still has a direction.
    const double x = v.x, y = v.y, z = v.z;
    length = std::sqrt(x * x + y * y + z * z);
  }
  if (!(length > 0)) return kUp;  // zero, or not a number
  return {static_cast<float>(v.x / length), static_cast<float>(v.y / length), static_cast<float>(v.z / length)};
}

CVector FaceNormal(const CModel& model, const CFace& face) {
  const size_t count = face.m_indices.size();
  if (count == 0) return kUp;
  int32_t corner[3];
  for (size_t i = 0; i < 3; ++i) {
    corner[i] = face.m_indices[i < count ? i : count - 1];
    if (!IsVertexIndex(model, corner[i])) return kUp;
  }
  const CVector& p0 = model.m_vertices[corner[0]];
  const CVector& p1 = model.m_vertices[corner[1]];
  const CVector& p2 = model.m_vertices[corner[2]];
  return NormalizeOrUp(Cross(p0 - p1, p0 - p2));
}

void ComputeFaceNormals(CModel& model) {
  for (CFace& face : model.m_faces) face.m_normal = FaceNormal(model, face);
}

bool FacesShareNormal(float dot, float angleRadians) {
  if (std::isnan(dot)) return false;
  const float clamped = dot > 1.0f ? 1.0f : (dot < -1.0f ? -1.0f : dot);
  const float angle = static_cast<float>(std::acos(static_cast<double>(clamped)));
  return angle < angleRadians;
}

SmoothingThreshold::SmoothingThreshold(float angleRadians) {
  // acos falls as the dot product rises, so the dot products that pass form an interval
  // [m_minDot, +inf). Binary search over the floats of [-1, 1] for its lower end.
  if (!FacesShareNormal(1.0f, angleRadians)) {
    m_minDot = INFINITY;  // nothing passes (an angle of 0 or less): flat shading
    return;
  }
  int32_t lo = OrderedBits(-1.0f);
  int32_t hi = OrderedBits(1.0f);  // passes
  if (FacesShareNormal(-1.0f, angleRadians)) {
    m_minDot = -INFINITY;  // everything passes, even dot products rounded below -1
    return;
  }
  while (hi - lo > 1) {  // lo fails, hi passes
    const int32_t mid = lo + (hi - lo) / 2;
    if (FacesShareNormal(FromOrderedBits(mid), angleRadians))
      hi = mid;
    else
      lo = mid;
  }
  m_minDot = FromOrderedBits(hi);
}

void RebuildSmoothingRecords(CModel& model) {
  const float angle = model.m_smoothingAngle * kDegreesToRadians;
  const size_t vertexCount = model.m_vertices.size();

  // Vertex records, sized exactly before filling.
  std::vector<uint32_t> uses(vertexCount, 0);
  for (const CFace& face : model.m_faces)
    for (int32_t v : face.m_indices)
      if (IsVertexIndex(model, v)) ++uses[v];
  model.m_vertexRecords.resize(vertexCount);
  for (size_t v = 0; v < vertexCount; ++v) {
    CVertex& record = model.m_vertexRecords[v];
    record.m_position = model.m_vertices[v];
    record.m_normal = CVector{};
    record.m_faces.clear();
    record.m_faces.reserve(uses[v]);
  }
  for (size_t f = 0; f < model.m_faces.size(); ++f)
    for (int32_t v : model.m_faces[f].m_indices)
      if (IsVertexIndex(model, v)) model.m_vertexRecords[v].m_faces.push_back(static_cast<int32_t>(f));
  if (model.m_faces.empty()) return;

  ComputeFaceNormals(model);

  const SmoothingThreshold threshold(angle);
  std::vector<int32_t> shared;  // one corner's list, copied out at its exact size
  for (size_t f = 0; f < model.m_faces.size(); ++f) {
    CFace& face = model.m_faces[f];
    const CVector nf = face.m_normal;
    face.m_cornerRecords.resize(face.m_indices.size());
    for (size_t j = 0; j < face.m_indices.size(); ++j) {
      const int32_t v = face.m_indices[j];
      CVertex& corner = face.m_cornerRecords[j];
      shared.clear();
      if (IsVertexIndex(model, v) && model.m_vertexRecords[v].m_faces.size() > kMaxSmoothedFacesPerVertex) {
        // A vertex shared by a huge number of faces (only hostile files have them) would cost the
        // square of that number in time and memory: its corners keep their own face normal.
        corner.m_position = model.m_vertices[v];
        shared.push_back(static_cast<int32_t>(f));
      } else if (IsVertexIndex(model, v)) {
        corner.m_position = model.m_vertices[v];
        for (int32_t g : model.m_vertexRecords[v].m_faces) {
          if (static_cast<size_t>(g) == f || threshold.Shares(Dot(model.m_faces[g].m_normal, nf)))
            shared.push_back(g);
        }
      } else {
        corner.m_position = CVector{};
        shared.push_back(static_cast<int32_t>(f));
      }
      corner.m_faces.assign(shared.begin(), shared.end());
    }
  }
}

void ComputeCornerNormals(CModel& model) {
  const size_t faceCount = model.m_faces.size();
  // On smooth surfaces all corners at a vertex carry the same face list, hence the same normal:
  // remember the last list and normal per vertex and reuse them when the next list is equal.
  struct Last {
    const std::vector<int32_t>* faces = nullptr;
    CVector normal;
  };
  std::vector<Last> last(model.m_vertices.size());
  for (CFace& face : model.m_faces) {
    for (size_t j = 0; j < face.m_cornerRecords.size(); ++j) {
      CVertex& corner = face.m_cornerRecords[j];
      const int32_t v = j < face.m_indices.size() ? face.m_indices[j] : -1;
      Last* seen = IsVertexIndex(model, v) ? &last[v] : nullptr;
      if (seen && seen->faces && *seen->faces == corner.m_faces) {
        corner.m_normal = seen->normal;
        continue;
      }
      CVector sum{0, 0, 0};
      for (int32_t g : corner.m_faces)
        if (g >= 0 && static_cast<size_t>(g) < faceCount) sum += model.m_faces[g].m_normal;
      corner.m_normal = NormalizeOrUp(sum);
      if (seen) *seen = {&corner.m_faces, corner.m_normal};
    }
  }
}

}  // namespace qv
