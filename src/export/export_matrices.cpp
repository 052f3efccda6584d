#include "export/export_matrices.h"

#include <algorithm>
#include <memory>

#include "animation/pose_matrix.h"

namespace qv {

void ResizeExportMatrixLists(CModel& model, size_t animations) { model.m_exportMatrices.resize(animations); }

bool ResizeExportMatrices(CModel& model, size_t animation, size_t frames) {
  if (animation >= model.m_exportMatrices.size()) return false;
  model.m_exportMatrices[animation].resize(frames);
  return true;
}

bool SetExportMatrix(CModel& model, size_t animation, size_t frame, const Matrix4& matrix) {
  if (animation >= model.m_exportMatrices.size()) return false;
  auto& list = model.m_exportMatrices[animation];
  if (frame >= list.size()) return false;
  list[frame] = std::make_unique<Matrix4>(matrix);
  return true;
}

const Matrix4* ExportMatrix(const CModel& model, size_t animation, size_t frame) {
  if (animation >= model.m_exportMatrices.size()) return nullptr;
  const auto& list = model.m_exportMatrices[animation];
  return frame < list.size() ? list[frame].get() : nullptr;
}

void FreeExportMatrices(CModel& model) { model.m_exportMatrices.clear(); }

size_t TrackLength(const CModel& model, size_t animation) {
  return animation < model.m_tracks.size() ? model.m_tracks[animation].size() : 0;
}

CAnimation PoseAt(const CModel& model, size_t animation, size_t frame) {
  const size_t length = TrackLength(model, animation);
  if (length == 0) return IdentityPose();
  return model.m_tracks[animation][std::min(frame, length - 1)];
}

}  // namespace qv
