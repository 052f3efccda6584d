#include "animation/undo.h"

#include "scene/scene.h"

namespace qv {

namespace {

CAnimation* PoseAt(CModel& model, int32_t animation, int32_t frame) {
  if (animation < 0 || animation >= static_cast<int32_t>(model.m_tracks.size())) return nullptr;
  Track& track = model.m_tracks[animation];
  if (frame < 0 || frame >= static_cast<int32_t>(track.size())) return nullptr;
  return &track[frame];
}

// Whether making `parent` the parent of `model` would close a loop of parent links.
bool MakesCycle(const Scene& scene, int32_t model, int32_t parent) {
  const auto count = static_cast<int32_t>(scene.m_models.size());
  for (int32_t i = parent, steps = 0; i >= 0 && i < count && steps <= count; i = scene.m_models[i].m_parent, ++steps)
    if (i == model) return true;
  return false;
}

bool Restore(Scene& scene, std::vector<UndoEntry>& from, std::vector<UndoEntry>& to) {
  if (scene.m_models.empty() || from.empty()) return false;
  const UndoEntry entry = from.back();
  from.pop_back();

  int32_t found = -1;
  for (size_t i = 0; i < scene.m_models.size(); ++i)
    if (scene.m_models[i].m_name == entry.modelName) {
      found = static_cast<int32_t>(i);
      break;
    }
  // The model was renamed or deleted since: the step is dropped.
  if (found < 0) return false;
  CModel& model = scene.m_models[found];
  CAnimation* pose = PoseAt(model, entry.animation, entry.frame);
  if (!pose) return false;  // its frame no longer exists

  scene.m_selectedModel = found;
  to.push_back({model.m_name, model.m_parent, entry.frame, *pose, entry.animation});
  // A parent link that would now point nowhere or close a loop is not restored.
  const bool parentValid = entry.parent == kNoModel ||
                           (entry.parent >= 0 && entry.parent < static_cast<int32_t>(scene.m_models.size()) &&
                            !MakesCycle(scene, found, entry.parent));
  if (parentValid) model.m_parent = entry.parent;
  scene.m_currentFrame = entry.frame;
  *pose = entry.pose;
  return true;
}

}  // namespace

void RecordUndo(Scene& scene, int32_t model, int32_t frame) {
  if (model < 0 || model >= static_cast<int32_t>(scene.m_models.size())) return;
  CModel& m = scene.m_models[model];
  const CAnimation* pose = PoseAt(m, scene.m_currentAnimation, frame);
  if (!pose) return;
  scene.m_undoStack.push_back({m.m_name, m.m_parent, frame, *pose, scene.m_currentAnimation});
  scene.m_redoStack.clear();
}

void RecordUndoSelected(Scene& scene) {
  if (scene.HasValidSelection()) RecordUndo(scene, scene.m_selectedModel, scene.m_currentFrame);
}

void ClearHistory(Scene& scene, bool resetFrame) {
  if (resetFrame) scene.m_currentFrame = 0;
  scene.m_undoStack.clear();
  scene.m_redoStack.clear();
}

bool Undo(Scene& scene) { return Restore(scene, scene.m_undoStack, scene.m_redoStack); }
bool Redo(Scene& scene) { return Restore(scene, scene.m_redoStack, scene.m_undoStack); }

}  // namespace qv
