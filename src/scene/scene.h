#pragma once
// Scene: the scene, everything a document holds, with its timeline.
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

// What dragging a model's handle does, and what dragging in the viewport moves.
enum TransformMode : int32_t { kTransformMove = 0, kTransformRotate = 1, kTransformScale = 2 };
enum MouseMode : int32_t { kMouseCamera = 0, kMouseModel = 1, kMouseAnimation = 2 };

inline constexpr uint32_t kDefaultBackgroundColor = 0x005A411E;  // 0x00BBGGRR (scene/bgr_color.h)
inline constexpr const char* kDefaultAnimationName = "Animation_0";

class Scene {
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
  int32_t m_transformMode = kTransformMove;  // a TransformMode

  // The timeline: frame rate (stored in the document), where the scene stands and how many
  // frames the current animation has. A track of the current animation holds m_lastFrame + 1
  // poses. Drawing, picking, the control bar and the export read the pose at
  // (m_currentAnimation, m_currentFrame).
  float m_fps = 30.0f;
  int32_t m_currentFrame = 0;
  int32_t m_lastFrame = 60;
  int32_t m_previousLastFrame = 60;
  int32_t m_currentAnimation = 0;
  int32_t m_animationCount = 1;

  // The selection the camera was last put in front of while following (-1: none yet); a view
  // cache, never stored.
  int32_t m_lastFollowedModel = -1;

  Scene();

  // The new-scene state. Leaves m_fps and the frame range alone.
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

}  // namespace qv
