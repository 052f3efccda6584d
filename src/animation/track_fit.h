#pragma once
// Fitting a model's tracks to the scene's animations and frame range.
#include <cstdint>

#include "scene/model.h"
#include "scene/scene.h"

namespace qv {

// Makes the model hold `animationCount` tracks (new ones empty, surplus ones removed), resizes
// the track of `currentAnimation` to lastFrame + 1 poses, sets its poses `first`..lastFrame to
// the identity pose (key 0) and makes its pose 0 a key. first = 0 clears the track;
// first = old last frame + 1 only initialises the new frames.
// Negative counts and frames are taken as 0 (a track always keeps pose 0); an out-of-range
// `currentAnimation` only resizes the track list.
void FitFrames(CModel& model, int32_t first, int32_t animationCount, int32_t currentAnimation,
               int32_t lastFrame);

// With the scene's m_animationCount, m_currentAnimation and m_lastFrame.
void FitFrames(const Scene& scene, CModel& model, int32_t first);

// The poses the scene would hold once every model, and `newModels` more, were fitted to
// `animationCount` tracks with lastFrame + 1 poses in the scene's current one (the other tracks
// keep theirs; an empty track counts as one pose). Counted before anything grows, against
// kMaxStoredPoses.
int64_t FittedPoseCount(const Scene& scene, int32_t animationCount, int32_t lastFrame, int64_t newModels = 0);
// FittedPoseCount within kMaxStoredPoses.
bool FittedPosesAllowed(const Scene& scene, int32_t animationCount, int32_t lastFrame, int64_t newModels = 0);

}  // namespace qv
