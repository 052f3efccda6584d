#pragma once
// Scenes of named models with fitted tracks, for the editing tests.
#include <initializer_list>
#include <string>

#include "animation/track_fit.h"
#include "scene/scene.h"

namespace qv::testing {

// Resets `scene` with `lastFrame` as its last frame and gives `scene` one model per name, each with a fitted
// track (identity poses, key at frame 0).
inline void MakeAnimatedScene(Scene& scene, std::initializer_list<const char*> names, int32_t lastFrame = 60) {
  scene.Reset();
  scene.m_fps = 30.0f;
  scene.m_lastFrame = scene.m_previousLastFrame = lastFrame;
  for (const char* name : names) {
    CModel model;
    model.m_name = name;
    model.m_id = ++scene.m_nextModelId;
    FitFrames(scene, model, 0);
    scene.m_models.push_back(std::move(model));
  }
}

inline Track& CurrentTrack(Scene& scene, int model) {
  return scene.m_models[model].m_tracks[scene.m_currentAnimation];
}

}  // namespace qv::testing
