#pragma once
// CZiduderizo: the scene, everything a document holds, and the scene-wide globals.
#include <cstdint>
#include <string>
#include <vector>

#include "scene/material.h"
#include "scene/matrix4.h"
#include "scene/model.h"
#include "scene/pose.h"
#include "scene/undo_entry.h"

namespace qv {

// Kinds of the hierarchy walk's steps.
enum WalkStepKind : int32_t { kWalkStart = 0, kWalkEnter = 1, kWalkLeave = 2, kWalkEnd = 3 };

struct WalkStep {
  int32_t kind = 0;
  int32_t model = 0;
  bool operator==(const WalkStep&) const = default;
};

inline constexpr uint32_t kDefaultBackgroundColor = 0x005A411E;  // 0x00BBGGRR
inline constexpr const char* kDefaultAnimationName = "Animation_0";

class CZiduderizo {
 public:
  int32_t m_canvasWidth = 800;
  int32_t m_canvasHeight = 600;
  float m_fieldOfView = 20.0f;
  uint32_t m_backgroundColor = kDefaultBackgroundColor;
  Matrix4 m_inverseView;
  bool m_inverseViewValid = false;  // false until a viewport has drawn
  std::vector<CAnimation> m_cameras;
  CVector m_lightDirection;
  bool m_hermite = true;
  float m_version = 2.7f;
  std::vector<CMaterial> m_materials;
  std::vector<WalkStep> m_hierarchyWalk;
  std::vector<CModel> m_models;
  std::vector<CAnimation> m_frameClipboard;
  std::vector<std::string> m_animationNames;
  int32_t m_selectedModel = kNoModel;
  int32_t m_selectedMaterial = -1;
  int32_t m_nextModelId = 5;
  int32_t m_nextMaterialId = 0;
  int32_t m_smoothShading = 1;
  std::vector<UndoEntry> m_undoStack;
  std::vector<UndoEntry> m_redoStack;
  int32_t m_axisEnabledX = 1;
  int32_t m_axisEnabledY = 0;
  int32_t m_axisEnabledZ = 0;
  int32_t m_axisLock = -1;  // -1 none, 0 X, 1 Y, 2 Z, 3 centre
  bool m_followModel = false;
  CVector m_followTarget;
  int32_t m_transformMode = 0;  // 0 move, 1 rotate, 2 scale

  CZiduderizo();

  // The new-scene state. Leaves g_fps alone.
  void Reset();
  void ResetCamera();
  // m_parentName of every model from its m_parent.
  void RefreshParentNames();
  std::string ParentNameOf(int32_t index) const;
  void RenumberMaterials();
  // The id of a new model and the number of a new material, counting on from the stored
  // counters. A damaged file may leave a counter at the largest int32: the models (materials)
  // are then numbered afresh from their index, which keeps them distinct without overflowing.
  int32_t TakeModelId();
  int32_t TakeMaterialNumber();
  bool HasValidSelection() const {
    return m_selectedModel >= 0 && m_selectedModel < static_cast<int32_t>(m_models.size());
  }
  CModel* SelectedModel() { return HasValidSelection() ? &m_models[m_selectedModel] : nullptr; }
};

CAnimation DefaultCameraPose();

// Scene-wide globals.
extern CZiduderizo* g_scene;
extern float g_fps;
extern int32_t g_currentFrame;
extern int32_t g_lastFrame;
extern int32_t g_previousLastFrame;
extern int32_t g_currentAnimation;
extern int32_t g_animationCount;
extern int32_t g_playing;

// Restores every global to its start-up value (tests and tools that reuse the process).
void ResetSceneGlobals();

}  // namespace qv
