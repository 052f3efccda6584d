#include "animation/track_fit.h"

#include <algorithm>
#include <cstddef>

#include "scene/limits.h"
#include "scene/scene.h"

namespace qv {

void FitFrames(CModel& model, int32_t first, int32_t animationCount, int32_t currentAnimation,
               int32_t lastFrame) {
  model.m_tracks.resize(static_cast<size_t>(std::max(animationCount, 0)));
  if (currentAnimation < 0 || static_cast<size_t>(currentAnimation) >= model.m_tracks.size()) return;
  Track& track = model.m_tracks[currentAnimation];
  const size_t poses = static_cast<size_t>(std::max(lastFrame, 0)) + 1;
  track.resize(poses, IdentityPose());
  for (size_t f = static_cast<size_t>(std::max(first, 0)); f < poses; ++f) track[f] = IdentityPose();
  track[0].m_key = 1;
}

void FitFrames(const Scene& scene, CModel& model, int32_t first) {
  FitFrames(model, first, scene.m_animationCount, scene.m_currentAnimation, scene.m_lastFrame);
}

int64_t FittedPoseCount(const Scene& scene, int32_t animationCount, int32_t lastFrame, int64_t newModels) {
  const int64_t tracks = std::max(animationCount, 0);
  const int32_t current = scene.m_currentAnimation;
  const bool fitted = current >= 0 && current < tracks;
  const int64_t currentPoses = int64_t{std::max(lastFrame, 0)} + 1;
  // A new model: empty tracks, the current one fitted.
  const int64_t perNewModel = fitted ? tracks - 1 + currentPoses : tracks;
  int64_t total = std::max<int64_t>(newModels, 0) * perNewModel;
  for (const CModel& model : scene.m_models) {
    for (int64_t t = 0; t < tracks; ++t) {
      if (fitted && t == current)
        total += currentPoses;
      else
        total += t < static_cast<int64_t>(model.m_tracks.size())
                     ? std::max<int64_t>(1, static_cast<int64_t>(model.m_tracks[t].size()))
                     : 1;
    }
  }
  return total;
}

bool FittedPosesAllowed(const Scene& scene, int32_t animationCount, int32_t lastFrame, int64_t newModels) {
  return FittedPoseCount(scene, animationCount, lastFrame, newModels) <= kMaxStoredPoses;
}

}  // namespace qv
