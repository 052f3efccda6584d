#pragma once
#include <cstdint>
#include <vector>

#include "scene/vector.h"

namespace qv {

// Smoothing record: a vertex (or a face corner) with the faces that share it and its normal.
// Never part of a document.
struct CVertex {
  CVector m_position;
  CVector m_normal;
  std::vector<int32_t> m_faces;
  void Serialize(CArchive& ar);
};

struct CFace {
  int32_t m_material = 0;
  CVector m_normal{0, 0, 1};
  std::vector<int32_t> m_indices;  // vertex indices in winding order
  std::vector<CUV> m_uvs;          // empty, or one per index
  std::vector<CVertex> m_cornerRecords;  // derived: one per corner

  void Serialize(CArchive& ar);
};

}  // namespace qv
