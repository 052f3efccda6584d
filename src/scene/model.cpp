#include "scene/model.h"

#include "scene/archive.h"
#include "scene/stored_sizes.h"

namespace qv {

namespace {
constexpr int kPosesOfEmptyTrack = 10;  // a track stored without poses loads as ten identity poses
}

void CModel::Serialize(CArchive& ar, TrackSizeCheck* check) {
  if (ar.IsStoring()) {
    ar.WriteInt32(m_id);
    ar.WriteString(m_name);
    ar.WriteInt32(m_parent);
    ar.WriteString(m_parentName);
    ar.WriteUInt32(static_cast<uint32_t>(m_vertices.size()));
    ar.WriteUInt32(static_cast<uint32_t>(m_faces.size()));
    ar.WriteUInt32(static_cast<uint32_t>(m_tracks.size()));
    for (const Track& track : m_tracks) {
      ar.WriteUInt32(static_cast<uint32_t>(track.size()));
      ar.WriteBytes(track.data(), track.size() * sizeof(CAnimation));
    }
    ar.WriteInt32(m_visible);
    ar.WriteFloat(m_smoothingAngle);
    m_origin.Serialize(ar);
    ar.WriteBytes(m_vertices.data(), m_vertices.size() * sizeof(CVector));
    for (CFace& face : m_faces) face.Serialize(ar);
    return;
  }

  m_id = ar.ReadInt32();
  m_name = ar.ReadString();
  m_parent = ar.ReadInt32();
  m_parentName = ar.ReadString();
  const uint32_t vertexCount = ar.ReadUInt32();
  const uint32_t faceCount = ar.ReadUInt32();
  const uint32_t trackCount = ar.ReadUInt32();
  // The vertices and faces follow the tracks: all of them must fit in what is left.
  const uint64_t needed = uint64_t{vertexCount} * kStoredVectorBytes + uint64_t{faceCount} * kStoredFaceBytes +
                          uint64_t{trackCount} * kStoredCountBytes;
  if (needed > ar.BytesLeft()) throw ArchiveException(ArchiveCause::kEndOfFile);
  m_vertices.resize(vertexCount);
  m_faces.clear();
  m_faces.reserve(faceCount);  // built one by one below, each while it is in the cache
  if (check) check->TrackCount(trackCount);
  m_tracks.resize(trackCount);
  for (uint32_t t = 0; t < trackCount; ++t) {
    Track& track = m_tracks[t];
    const uint32_t poseCount = ar.ReadCount(kStoredPoseBytes);
    if (check) check->PoseCount(t, poseCount == 0 ? kPosesOfEmptyTrack : poseCount);
    if (poseCount == 0) {
      track.assign(kPosesOfEmptyTrack, IdentityPose());
      continue;
    }
    track.resize(poseCount);
    ar.ReadBytes(track.data(), track.size() * sizeof(CAnimation));
  }
  m_visible = ar.ReadInt32();
  m_smoothingAngle = ar.ReadFloat();
  m_origin.Serialize(ar);
  ar.ReadBytes(m_vertices.data(), m_vertices.size() * sizeof(CVector));
  for (uint32_t f = 0; f < faceCount; ++f) {
    CFace& face = m_faces.emplace_back();
    face.Serialize(ar);
    // Indices outside the model would be read out of bounds by everything downstream: such a
    // file is refused. Checked here, while the face is still in the cache.
    for (int32_t index : face.m_indices)
      if (static_cast<uint32_t>(index) >= vertexCount) throw ArchiveException(ArchiveCause::kBadIndex);
  }
}

}  // namespace qv
