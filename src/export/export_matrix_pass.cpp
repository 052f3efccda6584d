#include "export/export_matrix_pass.h"

#include <algorithm>
#include <vector>

#include "animation/pose_matrix.h"
#include "export/export_matrices.h"

namespace qv {

void FillExportMatrices(Scene& scene, float scale) {
  std::vector<CModel>& models = scene.m_models;
  const size_t animations = scene.m_animationNames.size();
  const size_t modelCount = models.size();
  for (CModel& model : models) {
    FreeExportMatrices(model);
    ResizeExportMatrixLists(model, animations);
  }
  std::vector<Matrix4> stack;
  for (size_t a = 0; a < animations; ++a) {
    size_t frames = 0;
    for (CModel& model : models) {
      const size_t length = TrackLength(model, a);
      ResizeExportMatrices(model, a, length);
      frames = std::max(frames, length);
    }
    for (size_t k = 0; k < frames; ++k) {
      stack.assign(1, Matrix4::Identity());
      for (const WalkStep& step : scene.m_hierarchyWalk) {
        // A step naming no model (a walk older than the model list) is passed over.
        const bool named = step.model >= 0 && static_cast<size_t>(step.model) < modelCount;
        switch (step.kind) {
          case kWalkStart: stack.back() = Matrix4::Identity(); break;
          case kWalkEnter: {
            if (!named) break;
            const CModel& model = models[step.model];
            const Matrix4 local = PoseModelMatrix(PoseAt(model, a, k), model.m_origin * scale);
            const Matrix4 top = stack.back();
            stack.push_back(local * top);
            break;
          }
          case kWalkLeave: {
            if (!named) break;
            CModel& model = models[step.model];
            if (k < TrackLength(model, a)) SetExportMatrix(model, a, k, stack.back());
            if (stack.size() > 1) stack.pop_back();
            break;
          }
          default: break;
        }
      }
    }
  }
}

Matrix4 WrittenExportMatrix(const CModel& model, size_t animation, size_t frame) {
  if (animation < model.m_exportMatrices.size()) {
    const auto& list = model.m_exportMatrices[animation];
    if (!list.empty()) {
      if (const Matrix4* m = list[std::min(frame, list.size() - 1)].get()) return *m;
    }
  }
  return Matrix4::Identity();
}

size_t WrittenFrameCount(const Scene& scene, size_t animation) {
  return scene.m_models.empty() ? 0 : TrackLength(scene.m_models[0], animation);
}

}  // namespace qv
