#include "geometry/bounds.h"

#include <cstddef>

namespace qv {

void ComputeBounds(CModel& model) {
  if (model.m_vertices.empty()) {
    model.m_boundsMax = {100, 100, 100};
    model.m_boundsMin = {-100, -100, -100};
    return;
  }
  CVector hi = model.m_vertices[0];
  CVector lo = hi;
  for (const CVector& p : model.m_vertices) {
    if (p.x > hi.x) hi.x = p.x;
    if (p.y > hi.y) hi.y = p.y;
    if (p.z > hi.z) hi.z = p.z;
    if (p.x < lo.x) lo.x = p.x;
    if (p.y < lo.y) lo.y = p.y;
    if (p.z < lo.z) lo.z = p.z;
  }
  model.m_boundsMax = hi;
  model.m_boundsMin = lo;
}

void BuildBoxOutline(CModel& model) {
  const CVector& M = model.m_boundsMax;
  const CVector& m = model.m_boundsMin;
  // Three edges from each of four corners: (X,Y,Z), (x,Y,z), (X,y,z), (x,y,Z).
  const CVector corners[24] = {
      {M.x, M.y, M.z}, {m.x, M.y, M.z}, {M.x, M.y, M.z}, {M.x, m.y, M.z}, {M.x, M.y, M.z}, {M.x, M.y, m.z},
      {m.x, M.y, m.z}, {M.x, M.y, m.z}, {m.x, M.y, m.z}, {m.x, M.y, M.z}, {m.x, M.y, m.z}, {m.x, m.y, m.z},
      {M.x, m.y, m.z}, {m.x, m.y, m.z}, {M.x, m.y, m.z}, {M.x, m.y, M.z}, {M.x, m.y, m.z}, {M.x, M.y, m.z},
      {m.x, m.y, M.z}, {m.x, m.y, m.z}, {m.x, m.y, M.z}, {M.x, m.y, M.z}, {m.x, m.y, M.z}, {m.x, M.y, M.z},
  };
  for (size_t i = 0; i < 24; ++i)
    model.m_boxOutline[i] = {corners[i].x, corners[i].y, corners[i].z, 0, 0, 1, kBoxOutlineColor};
}

}  // namespace qv
