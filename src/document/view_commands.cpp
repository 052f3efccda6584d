// Playback, frame navigation, camera, shading and background commands of CMotionDoc, and files
// dropped on the main window.
#include <cctype>

#include "animation/interpolation.h"
#include "document/motion_doc.h"
#include "geometry/import_mqo.h"

namespace qv {

void CMotionDoc::OnPlay() {
  // Playback only steps through stored poses: they are filled here, once.
  RecomputeAllFrames(scene_);
  UpdateAllViews(Change::kPlaybackStarted);
}

void CMotionDoc::OnStop() { UpdateAllViews(Change::kPlaybackStopped); }

namespace {

void GoToFrame(CMotionDoc& doc, int32_t frame) {
  doc.scene().m_currentFrame = frame;
  RecomputeAllFrames(doc.scene());
  doc.UpdateAllViews(Change::kCurrentFrame);
}

}  // namespace

void CMotionDoc::OnFirstFrame() { GoToFrame(*this, 0); }

void CMotionDoc::OnLastFrame() { GoToFrame(*this, scene_.m_lastFrame); }

void CMotionDoc::OnNextFrame() {
  const int32_t next = scene_.m_currentFrame + 1;
  GoToFrame(*this, next > scene_.m_lastFrame ? 0 : next);
}

void CMotionDoc::OnPreviousFrame() {
  const int32_t previous = scene_.m_currentFrame - 1;
  GoToFrame(*this, previous < 0 ? scene_.m_lastFrame : previous);
}

void CMotionDoc::OnResetCamera() {
  scene_.ResetCamera();
  UpdateAllViews(Change::kCamera);
}

void CMotionDoc::OnToggleFollow() {
  scene_.m_followModel = !scene_.m_followModel;
  UpdateAllViews(Change::kFollow);
}

void CMotionDoc::OnToggleSmoothShading() {
  scene_.m_smoothShading = scene_.m_smoothShading == 1 ? 0 : 1;
  UpdateAllViews(Change::kAppearance);
}

void CMotionDoc::SetBackgroundColor(uint32_t color) {
  scene_.m_backgroundColor = color;
  UpdateAllViews(Change::kAppearance);
  SetModifiedFlag();
}

void CMotionDoc::OnCameraView(CameraView view) {
  ApplyCameraView(scene_, view);
  UpdateAllViews(Change::kCameraView);
}

namespace {

bool EndsWithNoCase(const std::string& text, std::string_view tail) {
  if (text.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
  return true;
}

}  // namespace

void CMotionDoc::OnDropFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (EndsWithNoCase(path, "qvlogo")) {
      OnOpenDocument(path);
      return;  // the rest of the drop is ignored
    }
    if (EndsWithNoCase(path, "mqo")) {
      MqoImportOptions options;
      options.showMessage = [this](const std::string& text) { ui_.ShowMessage(text); };
      options.programFolder = m_programFolder;
      ImportMQO(scene_, path, options);
      UpdateAllViews(Change::kModels);
      SetModifiedFlag();
    }
  }
}

}  // namespace qv
