#include "scene/model.h"

namespace qv {

// Copies everything but the export's owned matrices, which belong to the export run that made
// them; the GPU handle is copied without taking ownership.
CModel::CModel(const CModel& o)
    : m_id(o.m_id),
      m_name(o.m_name),
      m_parent(o.m_parent),
      m_parentName(o.m_parentName),
      m_origin(o.m_origin),
      m_meshVertices(o.m_meshVertices),
      m_vertexBuffer(o.m_vertexBuffer),
      m_boundsMax(o.m_boundsMax),
      m_boundsMin(o.m_boundsMin),
      m_boxOutline(o.m_boxOutline),
      m_mirrorAxis(o.m_mirrorAxis),
      m_smoothingAngle(o.m_smoothingAngle),
      m_visible(o.m_visible),
      m_treeMark(o.m_treeMark),
      m_vertices(o.m_vertices),
      m_faces(o.m_faces),
      m_trianglesPerMaterial(o.m_trianglesPerMaterial),
      m_tracks(o.m_tracks),
      m_worldMatrix(o.m_worldMatrix),
      m_handleMatrix(o.m_handleMatrix),
      m_vertexRecords(o.m_vertexRecords),
      m_poseClipboard(o.m_poseClipboard),
      m_hasChild(o.m_hasChild),
      m_hasNextSibling(o.m_hasNextSibling) {}

CModel& CModel::operator=(const CModel& o) {
  if (this != &o) {
    CModel copy(o);
    *this = std::move(copy);
  }
  return *this;
}

}  // namespace qv
