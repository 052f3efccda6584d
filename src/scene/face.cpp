#include "scene/face.h"

#include "scene/archive.h"
#include "scene/stored_sizes.h"

namespace qv {

void CFace::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteBytes(&m_normal, sizeof m_normal);
    ar.WriteInt32(m_material);
    ar.WriteUInt32(static_cast<uint32_t>(m_indices.size()));
    ar.WriteBytes(m_indices.data(), m_indices.size() * sizeof(int32_t));
    ar.WriteUInt32(static_cast<uint32_t>(m_uvs.size()));
    ar.WriteBytes(m_uvs.data(), m_uvs.size() * sizeof(CUV));
  } else {
    ar.ReadBytes(&m_normal, sizeof m_normal);
    m_material = ar.ReadInt32();
    m_indices.resize(ar.ReadCount(kStoredIndexBytes));
    ar.ReadBytes(m_indices.data(), m_indices.size() * sizeof(int32_t));
    m_uvs.resize(ar.ReadCount(kStoredUvBytes));
    ar.ReadBytes(m_uvs.data(), m_uvs.size() * sizeof(CUV));
  }
}

}  // namespace qv
