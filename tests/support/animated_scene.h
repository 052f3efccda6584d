#pragma once
// Scenes of named models with fitted tracks, for the editing tests.
#include <initializer_list>
#include <string>

#include "animation/track_fit.h"
#include "scene/scene.h"

namespace qv::testing {

// Sets the globals for `lastFrame` and gives `scene` one model per name, each with a fitted
// track (identity poses, key at frame 0).
inline void MakeAnimatedScene(CZiduderizo& scene, std::initializer_list<const char*> names, int32_t lastFrame = 60) {
  ResetSceneGlobals();
  scene.Reset();
  g_lastFrame = g_previousLastFrame = lastFrame;
  for (const char* name : names) {
    CModel model;
    model.m_name = name;
    model.m_id = ++scene.m_nextModelId;
    FitFrames(model, 0);
    scene.m_models.push_back(std::move(model));
  }
}

inline Track& CurrentTrack(CZiduderizo& scene, int model) { return scene.m_models[model].m_tracks[g_currentAnimation]; }

}  // namespace qv::testing
