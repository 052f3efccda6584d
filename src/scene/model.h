#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/face.h"
#include "scene/matrix4.h"
#include "scene/pose.h"
#include "scene/smoothing_records.h"
#include "scene/vector.h"

namespace qv {

constexpr int32_t kNoModel = -10000;
inline constexpr const char* kNoParentName = "<NULL>";

// One drawn vertex of a model's vertex array: position, normal, texture coordinates (32 bytes).
struct MeshVertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
  bool operator==(const MeshVertex&) const = default;
};
static_assert(sizeof(MeshVertex) == 32);

// One vertex of the selection box outline (28 bytes).
struct OutlineVertex {
  float x, y, z;
  float nx, ny, nz;
  uint32_t color;
};
static_assert(sizeof(OutlineVertex) == 28);

using Track = std::vector<CAnimation>;

// The export's per-animation, per-frame matrices of a model: scratch that belongs to the export
// run that made it. A copy of the model starts without any (the matrices are owned), so the model
// itself copies field by field on its own.
class ExportMatrixCache : public std::vector<std::vector<std::unique_ptr<Matrix4>>> {
 public:
  ExportMatrixCache() = default;
  ExportMatrixCache(const ExportMatrixCache&) : vector() {}
  ExportMatrixCache& operator=(const ExportMatrixCache&) {
    clear();
    return *this;
  }
  ExportMatrixCache(ExportMatrixCache&&) noexcept = default;
  ExportMatrixCache& operator=(ExportMatrixCache&&) noexcept = default;
};

// Told what a model being read is about to allocate, before it does; throws to refuse it.
class TrackSizeCheck {
 public:
  virtual ~TrackSizeCheck() = default;
  virtual void TrackCount(uint32_t tracks) = 0;
  virtual void PoseCount(uint32_t track, uint32_t poses) = 0;
};

struct CModel {
  int32_t m_id = 0;
  std::string m_name;  // code page 932 bytes
  int32_t m_parent = kNoModel;
  std::string m_parentName = kNoParentName;
  CVector m_origin;  // pivot of rotation and scale, offset of the children

  // Derived vertex array: grouped by material, see BuildVertexArray.
  std::vector<MeshVertex> m_meshVertices;
  uint32_t m_vertexBuffer = 0;  // GPU buffer owned by the viewport, 0 = none

  CVector m_boundsMax;
  CVector m_boundsMin;
  std::array<OutlineVertex, 24> m_boxOutline{};

  int32_t m_mirrorAxis = 0;
  float m_smoothingAngle = 0.0f;  // degrees
  int32_t m_visible = 1;
  int32_t m_treeMark = 0;

  std::vector<CVector> m_vertices;
  std::vector<CFace> m_faces;
  std::vector<int32_t> m_trianglesPerMaterial;
  std::vector<Track> m_tracks;  // one per animation, one pose per frame

  Matrix4 m_worldMatrix;   // kept by the renderer for picking
  Matrix4 m_handleMatrix;  // scale-free matrix of the transform handle

  // Derived smoothing records, see RebuildSmoothingRecords.
  VertexRecords m_vertexRecords;
  CornerRecords m_cornerRecords;
  // Export's per-animation, per-frame matrices.
  ExportMatrixCache m_exportMatrices;
  CAnimation m_poseClipboard;
  bool m_hasChild = false;
  bool m_hasNextSibling = false;

  // Loading asks `check` (when given) before the tracks and each track's poses are allocated.
  void Serialize(CArchive& ar, TrackSizeCheck* check = nullptr);
};

}  // namespace qv
