#include "document/motion_doc.h"

#include <algorithm>

#include "animation/frame_editing.h"
#include "animation/interpolation.h"
#include "animation/key_editing.h"
#include "animation/undo.h"
#include "geometry/bounds.h"
#include "document/web_export_command.h"
#include "viewport/camera.h"

namespace qv {

CMotionDoc::CMotionDoc(UserInteraction& ui) : CMotionDoc(ui, nullptr) {}

CMotionDoc::CMotionDoc(UserInteraction& ui, Scene& scene) : CMotionDoc(ui, &scene) {}

CMotionDoc::CMotionDoc(UserInteraction& ui, Scene* borrowed)
    : ui_(ui),
      ownedScene_(borrowed ? nullptr : std::make_unique<Scene>()),
      scene_(borrowed ? *borrowed : *ownedScene_) {
  scene_.m_selectedModel = kNoModel;
  scene_.m_transformMode = 0;
  InstallWebExporter(*this);
}

void CMotionDoc::AddView(DocumentView* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CMotionDoc::RemoveView(DocumentView* view) { std::erase(views_, view); }

void CMotionDoc::UpdateAllViews(Change changes) {
  // The camera is put in front of a newly followed model before anyone draws: drawing only reads.
  ApplyFollowReset(scene_);
  // A view may detach itself while being notified: walk a copy.
  const std::vector<DocumentView*> views = views_;
  for (DocumentView* view : views) view->OnUpdate(*this, changes);
}

std::string CMotionDoc::Title() const { return path_.empty() ? kUntitledTitle : path_; }

void CMotionDoc::OnAddKey(bool allModels) {
  AddKey(scene_, allModels, scene_.m_currentFrame);
  UpdateAllViews(Change::kPoses);
  SetModifiedFlag();
}

void CMotionDoc::OnDeleteKey(bool allModels) {
  DeleteKey(scene_, allModels, scene_.m_currentFrame);
  UpdateAllViews(Change::kPoses);
  SetModifiedFlag();
}

void CMotionDoc::OnKeyFrameDialog() {
  // A signed comparison: the no-selection value passes, and the operations then do nothing.
  if (scene_.m_selectedModel >= static_cast<int32_t>(scene_.m_models.size())) return;
  auto choice = ui_.AskKeyFrame({scene_.m_currentFrame, KeyFrameChoice::kAddSelected});
  if (!choice) return;
  switch (choice->action) {
    case KeyFrameChoice::kAddSelected: AddKey(scene_, false, choice->frame); break;
    case KeyFrameChoice::kAddAll: AddKey(scene_, true, choice->frame); break;
    case KeyFrameChoice::kDeleteSelected: DeleteKey(scene_, false, choice->frame); break;
    case KeyFrameChoice::kDeleteAll: DeleteKey(scene_, true, choice->frame); break;
    default: break;
  }
  RecomputeAllFrames(scene_);
  UpdateAllViews(Change::kPoses);
  SetModifiedFlag();
}

void CMotionDoc::OnInsertFrames() {
  auto answer = ui_.AskInsertFrames(scene_.m_currentFrame, 1);
  if (!answer) return;
  if (!InsertFrames(scene_, answer->first, answer->second)) {
    // Within the frame range but beyond what the scene may hold: said as such.
    const bool inRange = answer->first >= 0 && answer->first <= scene_.m_lastFrame && answer->second >= 0 &&
                         answer->second <= kMaxLastFrame - scene_.m_lastFrame;
    ui_.ShowMessage(inRange ? kTooManyPosesMessage : kFrameOutOfRangeMessage);
    return;
  }
  UpdateAllViews(Change::kFrames);
  SetModifiedFlag();
}

void CMotionDoc::OnDeleteFrames() {
  auto answer = ui_.AskDeleteFrames(scene_.m_currentFrame, scene_.m_currentFrame);
  if (!answer) return;
  if (!DeleteFrames(scene_, answer->first, answer->second)) {
    ui_.ShowMessage(kFrameOutOfRangeMessage);
    return;
  }
  UpdateAllViews(Change::kFrames);
  SetModifiedFlag();
}

void CMotionDoc::OnCopyAllFrames() {
  if (!CopyAllFrames(scene_)) ui_.ShowMessage(kSelectModelMessage);
}

void CMotionDoc::OnPasteAllFrames() {
  if (!PasteAllFrames(scene_)) {
    ui_.ShowMessage(kSelectModelMessage);
    return;
  }
  UpdateAllViews(Change::kPoses);
}

void CMotionDoc::OnCopyCurrentPose() { CopyCurrentPose(scene_); }

void CMotionDoc::OnPasteCurrentPose() {
  PasteCurrentPose(scene_);
  UpdateAllViews(Change::kPoses);
}

void CMotionDoc::OnNextKey() {
  RecomputeAllFrames(scene_);
  NextKey(scene_);
  UpdateAllViews(Change::kCurrentFrame);
}

void CMotionDoc::OnPreviousKey() {
  RecomputeAllFrames(scene_);
  PreviousKey(scene_);
  UpdateAllViews(Change::kCurrentFrame);
}

void CMotionDoc::OnUndo() {
  if (scene_.m_undoStack.empty()) return;
  Undo(scene_);
  if (CModel* model = scene_.SelectedModel()) BuildBoxOutline(*model);
  UpdateAllViews(Change::kUndo);
  SetModifiedFlag();
}

void CMotionDoc::OnRedo() {
  if (scene_.m_redoStack.empty()) return;
  Redo(scene_);
  if (CModel* model = scene_.SelectedModel()) BuildBoxOutline(*model);
  UpdateAllViews(Change::kUndo);
  SetModifiedFlag();
}

void CMotionDoc::OnToggleHermite() {
  scene_.m_hermite = !scene_.m_hermite;
  RecomputeAllFrames(scene_);
}

void CMotionDoc::OnTransformMode(TransformMode mode) {
  if (mode < 0 || mode > 2) return;
  scene_.m_transformMode = mode;
  UpdateAllViews(Change::kTransformMode);
}

void CMotionDoc::OnMouseMode(MouseMode mode) {
  if (mode == kMouseCamera) {
    m_mouseMode = kMouseCamera;
    scene_.m_selectedModel = kNoModel;  // the camera mode lets go of the selection
  } else if (mode == kMouseAnimation) {
    m_mouseMode = kMouseAnimation;
  } else {
    return;
  }
  UpdateAllViews(Change::kSelection);
}

bool CMotionDoc::SetLastFrame(int32_t n) {
  if (!ApplyLastFrame(scene_, n)) {
    if (n >= 0 && n <= kMaxLastFrame) ui_.ShowMessage(kTooManyPosesMessage);
    return false;
  }
  UpdateAllViews(Change::kLastFrame);
  SetModifiedFlag();
  return true;
}

}  // namespace qv
