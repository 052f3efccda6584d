#pragma once
// What one drawing shows besides the document itself. The viewport shows the editor's choices;
// a still image or a movie frame states its own, so drawing it never changes the scene (nothing
// to put back, nothing left changed when a drawing fails half-way).
#include <cstdint>

#include "scene/scene.h"

namespace qv {

struct ShownFrame {
  int32_t animation = 0;
  int32_t frame = 0;
  int32_t selectedModel = kNoModel;  // its box outline and handle, and the model the camera follows
  int32_t transformMode = kTransformMove;  // which handle
  uint32_t backgroundColor = kDefaultBackgroundColor;
};

// The frame, selection, handle and background the editor shows now.
inline ShownFrame EditorShownFrame(const Scene& scene) {
  return {scene.m_currentAnimation, scene.m_currentFrame, scene.m_selectedModel, scene.m_transformMode,
          scene.m_backgroundColor};
}

// The shown selection's model, or null when it names none.
inline CModel* ShownSelection(Scene& scene, const ShownFrame& shown) {
  const int32_t i = shown.selectedModel;
  return i >= 0 && i < static_cast<int32_t>(scene.m_models.size()) ? &scene.m_models[i] : nullptr;
}

}  // namespace qv
