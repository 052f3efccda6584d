#pragma once
#include <cstdint>
#include <vector>

#include <boost/container/small_vector.hpp>

#include "scene/vector.h"

namespace qv {

// Faces are nearly always triangles or quadrilaterals: their corners live inside the face, so a
// mesh of a million faces does not take two million small allocations.
using IndexList = boost::container::small_vector<int32_t, 4>;
using UvList = boost::container::small_vector<CUV, 4>;

struct CFace {
  int32_t m_material = 0;
  CVector m_normal{0, 0, 1};
  IndexList m_indices;  // vertex indices in winding order
  UvList m_uvs;         // empty, or one per index

  CFace() = default;
  CFace(const CFace&) = default;
  CFace& operator=(const CFace&) = default;
  // Inline corner lists move without throwing; saying so lets growing face arrays move.
  CFace(CFace&&) noexcept = default;
  CFace& operator=(CFace&&) noexcept = default;

  void Serialize(CArchive& ar);
};

}  // namespace qv
