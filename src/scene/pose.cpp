#include "scene/pose.h"

#include "scene/archive.h"

namespace qv {

void CAnimation::Serialize(CArchive& ar) {
  m_position.Serialize(ar);
  m_rotation.Serialize(ar);
  m_scale.Serialize(ar);
  if (ar.IsStoring())
    ar.WriteInt32(m_key);
  else
    m_key = ar.ReadInt32();
}

}  // namespace qv
