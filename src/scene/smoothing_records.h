#pragma once
// Which faces share a smooth normal at each vertex and at each face corner. Derived from a
// model's faces and never stored.
//
// The records are kept flat, a few arrays per model rather than a list per vertex and corner: a
// text of a hundred characters has some 80,000 corners, and most corners at a vertex have the same
// list (every corner of the front cap at a vertex lists the same cap faces), so each such list is
// kept once and the corners refer to it.
#include <cstdint>
#include <span>
#include <vector>

#include "scene/vector.h"

namespace qv {

// The faces using each vertex, ascending; a face using a vertex twice is listed twice.
class VertexRecords {
 public:
  size_t size() const { return m_first.empty() ? 0 : m_first.size() - 1; }
  std::span<const int32_t> operator[](size_t vertex) const {
    return {m_faces.data() + m_first[vertex], m_faces.data() + m_first[vertex + 1]};
  }

  // The faces of vertex v are m_faces[m_first[v]] ... m_faces[m_first[v + 1] - 1].
  std::vector<uint32_t> m_first;
  std::vector<int32_t> m_faces;
};

// Every corner's face list (the faces whose normals are averaged into its normal) and its normal.
// Corners are numbered face by face, in corner order.
class CornerRecords {
 public:
  // Whether the records were built for a face with this corner.
  bool Has(size_t face, size_t corner) const {
    return face + 1 < m_firstCorner.size() && corner < m_firstCorner[face + 1] - m_firstCorner[face];
  }
  std::span<const int32_t> Faces(size_t face, size_t corner) const {
    const uint32_t list = m_listOf[m_firstCorner[face] + corner];
    return {m_listFaces.data() + m_listFirst[list], m_listFaces.data() + m_listFirst[list + 1]};
  }
  const CVector& Normal(size_t face, size_t corner) const { return m_listNormals[m_listOf[m_firstCorner[face] + corner]]; }
  // The corner's normal; `fallback` for a corner without records.
  CVector NormalOr(size_t face, size_t corner, const CVector& fallback) const {
    return Has(face, corner) ? Normal(face, corner) : fallback;
  }
  size_t ListCount() const { return m_listNormals.size(); }

  // Corners of face f: m_firstCorner[f] ... m_firstCorner[f + 1] - 1. Corner k uses list
  // m_listOf[k], whose faces are m_listFaces[m_listFirst[l]] ... m_listFaces[m_listFirst[l + 1] - 1]
  // and whose normal is m_listNormals[l].
  std::vector<uint32_t> m_firstCorner;
  std::vector<uint32_t> m_listOf;
  std::vector<uint32_t> m_listFirst;
  std::vector<int32_t> m_listFaces;
  std::vector<CVector> m_listNormals;
};

}  // namespace qv
