#include "scene/scene.h"

#include <limits>

namespace qv {

CAnimation DefaultCameraPose() {
  CAnimation pose;
  pose.m_position = {0, 0, -1500};
  pose.m_rotation = {20, 10, 0};
  pose.m_scale = {1, 1, 1};
  return pose;
}

Scene::Scene() : m_cameras{DefaultCameraPose()}, m_animationNames{kDefaultAnimationName} {}

void Scene::ResetCamera() {
  m_cameras.resize(1);
  m_cameras[0].CopyPoseFrom(DefaultCameraPose());  // the key flag stays as it was
}

void Scene::Reset() {
  m_materials.clear();
  m_models.clear();
  m_hierarchyWalk.clear();
  m_undoStack.clear();
  m_redoStack.clear();
  m_currentFrame = 0;
  ResetCamera();
  m_animationNames.assign(1, kDefaultAnimationName);
  m_currentAnimation = 0;
  m_animationCount = 1;
  m_canvasWidth = 800;
  m_canvasHeight = 600;
  m_fieldOfView = 20.0f;
  m_smoothShading = 1;
  m_nextModelId = 5;
  m_nextMaterialId = 0;
  m_axisLock = -1;
  m_followModel = false;
  m_followTarget = {0, 0, 0};
  m_backgroundColor = kDefaultBackgroundColor;
  m_hermite = true;
}

std::string Scene::ParentNameOf(int32_t index) const {
  if (index < 0 || index >= static_cast<int32_t>(m_models.size())) return kNoParentName;
  return m_models[index].m_name;
}

void Scene::RefreshParentNames() {
  for (CModel& model : m_models) model.m_parentName = ParentNameOf(model.m_parent);
}

void Scene::RenumberMaterials() {
  for (size_t i = 0; i < m_materials.size(); ++i) m_materials[i].m_number = static_cast<int32_t>(i);
}

int32_t Scene::TakeModelId() {
  if (m_nextModelId == std::numeric_limits<int32_t>::max()) {
    for (size_t i = 0; i < m_models.size(); ++i) m_models[i].m_id = static_cast<int32_t>(i) + 1;
    m_nextModelId = static_cast<int32_t>(m_models.size());
  }
  return ++m_nextModelId;
}

int32_t Scene::TakeMaterialNumber() {
  if (m_nextMaterialId == std::numeric_limits<int32_t>::max()) {
    RenumberMaterials();
    m_nextMaterialId = static_cast<int32_t>(m_materials.size());
  }
  return m_nextMaterialId++;
}

}  // namespace qv
