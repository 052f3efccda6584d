#include "geometry/normals.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "platform/parallel_for.h"

namespace qv {

namespace {

constexpr CVector kUp{0, 1, 0};

// Normals computed per thread start: below twice this many, one thread does them all.
constexpr size_t kNormalsPerRange = 8192;
// Vertices whose corner lists are made per thread start.
constexpr size_t kVerticesPerRange = 2048;

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
  ParallelFor(model.m_faces.size(), kNormalsPerRange, [&](size_t begin, size_t end) {
    for (size_t f = begin; f < end; ++f) model.m_faces[f].m_normal = FaceNormal(model, model.m_faces[f]);
  });
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

namespace {

// Lists made for a range of vertices, numbered from 0 within the range: `first` holds where each
// list starts in `faces` (the end of the last one is the end of `faces`).
struct ListStore {
  std::vector<uint32_t> first;
  std::vector<int32_t> faces;
};

// Builds the corner records vertex by vertex. Faces whose normals are bit for bit equal pass or
// fail the angle test alike, so the test runs once per pair of distinct normals at a vertex (a
// text's cap has one normal, each wall another), and the corners whose face shares its normal
// with itself all get the same list, made once.
class CornerListBuilder {
 public:
  // `normals`: the face normals, side by side (faces are large, and each vertex reads a few).
  // `listOf`: every corner's list, of which the builder sets those of the vertices it is given.
  CornerListBuilder(std::span<const CVector> normals, ListStore& store, std::vector<uint32_t>& listOf,
                    const SmoothingThreshold& threshold)
      : m_faceNormals(normals), m_store(store), m_listOf(listOf), m_threshold(threshold) {}

  // The lists of the corners at one vertex: `faces` and `corners` give each corner's face and
  // its number among all corners, in the order of the vertex record.
  void AtVertex(std::span<const int32_t> faces, std::span<const uint32_t> corners) {
    const size_t count = faces.size();
    if (count > kMaxSmoothedFacesPerVertex) {
      // A vertex shared by a huge number of faces (only hostile files have them) would cost the
      // square of that number in time and memory: its corners keep their own face normal.
      for (size_t k = 0; k < count; ++k) OwnList(corners[k], faces[k]);
      return;
    }
    m_normals.clear();
    m_class.resize(count);
    for (size_t k = 0; k < count; ++k) {
      const CVector& n = m_faceNormals[faces[k]];
      size_t c = 0;
      while (c < m_normals.size() && !SameBits(m_normals[c], n)) ++c;
      if (c == m_normals.size()) m_normals.push_back(n);
      m_class[k] = static_cast<uint32_t>(c);
    }
    const size_t classes = m_normals.size();
    m_shares.resize(classes * classes);
    bool allShare = true;
    for (size_t c = 0; c < classes; ++c)
      for (size_t d = 0; d < classes; ++d) {
        const bool shares = m_threshold.Shares(Dot(m_normals[d], m_normals[c]));
        m_shares[c * classes + d] = shares;
        allShare = allShare && shares;
      }
    if (allShare && count > 0) {
      // A smooth vertex (a bevel's, or a cap's next to it): every corner would make the list of
      // all its faces and find it equal to the first corner's, so that one list serves them all.
      const uint32_t list = StartList(corners[0]);
      m_store.faces.insert(m_store.faces.end(), faces.begin(), faces.end());
      for (size_t k = 1; k < count; ++k) m_listOf[corners[k]] = list;
      return;
    }
    m_made.assign(classes, kNone);
    const uint32_t made = static_cast<uint32_t>(m_store.first.size());  // the first list of this vertex

    for (size_t k = 0; k < count; ++k) {
      const uint32_t c = m_class[k];
      const char* shares = &m_shares[c * classes];
      if (shares[c] && m_made[c] != kNone) {
        m_listOf[corners[k]] = m_made[c];
        continue;
      }
      const uint32_t list = StartList(corners[k]);
      for (size_t i = 0; i < count; ++i)
        if (faces[i] == faces[k] || shares[m_class[i]]) m_store.faces.push_back(faces[i]);
      const uint32_t kept = KeepOnce(corners[k], list, made);
      if (shares[c]) m_made[c] = kept;
    }
  }

  // A list of the corner's own face alone.
  void OwnList(uint32_t corner, int32_t face) {
    StartList(corner);
    m_store.faces.push_back(face);
  }

 private:
  static constexpr uint32_t kNone = UINT32_MAX;

  uint32_t StartList(uint32_t corner) {
    const uint32_t list = static_cast<uint32_t>(m_store.first.size());
    m_store.first.push_back(static_cast<uint32_t>(m_store.faces.size()));
    m_listOf[corner] = list;
    return list;
  }

  // The list just made for `corner`, or an equal one made earlier at the same vertex (two walls
  // meeting at a smooth bend list each other, in the same order): then the new one is dropped
  // and the corner refers to the earlier one.
  uint32_t KeepOnce(uint32_t corner, uint32_t list, uint32_t firstOfVertex) {
    std::vector<int32_t>& faces = m_store.faces;
    std::vector<uint32_t>& first = m_store.first;
    const auto made = faces.begin() + first[list];
    const uint32_t length = static_cast<uint32_t>(faces.end() - made);
    for (uint32_t earlier = firstOfVertex; earlier < list; ++earlier) {
      if (first[earlier + 1] - first[earlier] != length || !std::equal(made, faces.end(), faces.begin() + first[earlier]))
        continue;
      faces.resize(first[list]);
      first.pop_back();
      m_listOf[corner] = earlier;
      return earlier;
    }
    return list;
  }

  static bool SameBits(const CVector& a, const CVector& b) {
    return std::bit_cast<uint32_t>(a.x) == std::bit_cast<uint32_t>(b.x) &&
           std::bit_cast<uint32_t>(a.y) == std::bit_cast<uint32_t>(b.y) &&
           std::bit_cast<uint32_t>(a.z) == std::bit_cast<uint32_t>(b.z);
  }

  std::span<const CVector> m_faceNormals;
  ListStore& m_store;
  std::vector<uint32_t>& m_listOf;
  const SmoothingThreshold& m_threshold;
  std::vector<CVector> m_normals;  // the distinct normals at the vertex
  std::vector<uint32_t> m_class;   // per corner: its face's normal among them
  std::vector<char> m_shares;      // per pair of normals: the angle test
  std::vector<uint32_t> m_made;    // per normal: the list its corners share, once made
};

}  // namespace

void RebuildSmoothingRecords(CModel& model) {
  const float angle = model.m_smoothingAngle * kDegreesToRadians;
  const size_t vertexCount = model.m_vertices.size();
  const size_t faceCount = model.m_faces.size();
  VertexRecords& vertices = model.m_vertexRecords;
  CornerRecords& corners = model.m_cornerRecords;

  // Corners are numbered face by face.
  corners = CornerRecords{};
  corners.m_firstCorner.resize(faceCount + 1);
  corners.m_firstCorner[0] = 0;
  for (size_t f = 0; f < faceCount; ++f)
    corners.m_firstCorner[f + 1] = corners.m_firstCorner[f] + static_cast<uint32_t>(model.m_faces[f].m_indices.size());

  // Vertex records, counted first and then filled in face order; alongside each entry, the
  // number of the corner it comes from.
  vertices.m_first.assign(vertexCount + 1, 0);
  for (const CFace& face : model.m_faces)
    for (int32_t v : face.m_indices)
      if (IsVertexIndex(model, v)) ++vertices.m_first[v + 1];
  for (size_t v = 0; v < vertexCount; ++v) vertices.m_first[v + 1] += vertices.m_first[v];
  vertices.m_faces.resize(vertices.m_first[vertexCount]);
  std::vector<uint32_t> cornerOf(vertices.m_faces.size());
  {
    std::vector<uint32_t> fill(vertices.m_first.begin(), vertices.m_first.end() - 1);
    for (size_t f = 0; f < faceCount; ++f) {
      const IndexList& indices = model.m_faces[f].m_indices;
      for (size_t j = 0; j < indices.size(); ++j) {
        const int32_t v = indices[j];
        if (!IsVertexIndex(model, v)) continue;
        vertices.m_faces[fill[v]] = static_cast<int32_t>(f);
        cornerOf[fill[v]++] = corners.m_firstCorner[f] + static_cast<uint32_t>(j);
      }
    }
  }
  if (faceCount == 0) {
    corners.m_firstCorner.clear();
    return;
  }

  ComputeFaceNormals(model);
  std::vector<CVector> normals(faceCount);
  for (size_t f = 0; f < faceCount; ++f) normals[f] = model.m_faces[f].m_normal;
  const size_t cornerCount = corners.m_firstCorner[faceCount];
  corners.m_listOf.resize(cornerCount);

  // The lists of each range of vertices are made side by side, numbered within the range, then
  // joined in vertex order and renumbered: the same lists, in the same order, as made in turn.
  const SmoothingThreshold threshold(angle);
  std::vector<ListStore> stores((vertexCount + kVerticesPerRange - 1) / kVerticesPerRange);
  ParallelFor(vertexCount, kVerticesPerRange, [&](size_t begin, size_t end) {
    ListStore& store = stores[begin / kVerticesPerRange];
    CornerListBuilder builder(normals, store, corners.m_listOf, threshold);
    for (size_t v = begin; v < end; ++v) {
      const uint32_t from = vertices.m_first[v], to = vertices.m_first[v + 1];
      builder.AtVertex({vertices.m_faces.data() + from, to - from}, {cornerOf.data() + from, to - from});
    }
  });
  std::vector<uint32_t> firstListOf(stores.size());
  size_t lists = 0, listFaces = 0;
  for (const ListStore& store : stores) {
    lists += store.first.size();
    listFaces += store.faces.size();
  }
  corners.m_listFirst.reserve(lists + cornerCount - vertices.m_faces.size() + 1);
  corners.m_listFaces.reserve(listFaces + cornerCount - vertices.m_faces.size());
  for (size_t r = 0; r < stores.size(); ++r) {
    firstListOf[r] = static_cast<uint32_t>(corners.m_listFirst.size());
    const uint32_t facesBefore = static_cast<uint32_t>(corners.m_listFaces.size());
    for (uint32_t start : stores[r].first) corners.m_listFirst.push_back(facesBefore + start);
    corners.m_listFaces.insert(corners.m_listFaces.end(), stores[r].faces.begin(), stores[r].faces.end());
  }
  ParallelFor(vertexCount, kVerticesPerRange, [&](size_t begin, size_t end) {
    const uint32_t offset = firstListOf[begin / kVerticesPerRange];
    for (uint32_t k = vertices.m_first[begin]; k < vertices.m_first[end]; ++k) corners.m_listOf[cornerOf[k]] += offset;
  });
  // A corner whose index is outside the vertices lists only its own face.
  for (size_t f = 0; f < faceCount; ++f) {
    const IndexList& indices = model.m_faces[f].m_indices;
    for (size_t j = 0; j < indices.size(); ++j) {
      if (IsVertexIndex(model, indices[j])) continue;
      corners.m_listOf[corners.m_firstCorner[f] + j] = static_cast<uint32_t>(corners.m_listFirst.size());
      corners.m_listFirst.push_back(static_cast<uint32_t>(corners.m_listFaces.size()));
      corners.m_listFaces.push_back(static_cast<int32_t>(f));
    }
  }
  corners.m_listFirst.push_back(static_cast<uint32_t>(corners.m_listFaces.size()));
  corners.m_listNormals.assign(corners.m_listFirst.size() - 1, CVector{});
}

void ComputeCornerNormals(CModel& model) {
  // Corners with the same list share it, so each list's normal is computed once.
  CornerRecords& corners = model.m_cornerRecords;
  const size_t faceCount = model.m_faces.size();
  ParallelFor(corners.m_listNormals.size(), kNormalsPerRange, [&](size_t begin, size_t end) {
    for (size_t list = begin; list < end; ++list) {
      CVector sum{0, 0, 0};
      for (uint32_t i = corners.m_listFirst[list]; i < corners.m_listFirst[list + 1]; ++i) {
        const int32_t g = corners.m_listFaces[i];
        if (g >= 0 && static_cast<size_t>(g) < faceCount) sum += model.m_faces[g].m_normal;
      }
      corners.m_listNormals[list] = NormalizeOrUp(sum);
    }
  });
}

}  // namespace qv
