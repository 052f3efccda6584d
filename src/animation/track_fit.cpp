#include "animation/track_fit.h"

#include <algorithm>
#include <cstddef>

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

void FitFrames(const CZiduderizo& scene, CModel& model, int32_t first) {
  FitFrames(model, first, scene.m_animationCount, scene.m_currentAnimation, scene.m_lastFrame);
}

}  // namespace qv
