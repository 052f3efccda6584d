#pragma once
// CMotionDoc: the one document. It owns no scene data: it edits the process-wide scene
// (g_scene) through the operations of the animation and geometry code, keeps the path and the
// modified flag, and notifies every attached view after each change. Dialogs and message boxes
// are asked through UserInteraction, so the same document serves the desktop program, the
// command line and the tests.
#include <cstdint>
#include <string>
#include <vector>

#include "scene/document_view.h"
#include "scene/scene.h"
#include "scene/update_hints.h"
#include "scene/user_interaction.h"

namespace qv {

class CMotionDoc {
 public:
  explicit CMotionDoc(UserInteraction& ui, CZiduderizo& scene = *g_scene);

  CZiduderizo& scene() { return scene_; }
  UserInteraction& ui() { return ui_; }

  // Views
  void AddView(DocumentView* view);
  void RemoveView(DocumentView* view);
  void UpdateAllViews(int32_t hint);

  // Modified flag and path
  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }
  const std::string& path() const { return path_; }  // UTF-8, empty when untitled
  void SetPath(const std::string& path) { path_ = path; }
  std::string Title() const;  // the path, or "無題"

  // Whether a command is enabled, and whether its menu item carries a check mark.
  bool IsCommandEnabled(int32_t command) const;
  bool IsCommandChecked(int32_t command) const;

  // Key and frame commands
  void OnAddKey(bool allModels);
  void OnDeleteKey(bool allModels);
  void OnKeyFrameDialog();
  void OnInsertFrames();
  void OnDeleteFrames();
  void OnCopyAllFrames();
  void OnPasteAllFrames();
  void OnCopyCurrentPose();
  void OnPasteCurrentPose();
  void OnNextKey();
  void OnPreviousKey();
  void OnUndo();
  void OnRedo();
  void OnToggleHermite();

  // The control bar's last-frame field; false when n is refused.
  bool SetLastFrame(int32_t n);

  int32_t m_mouseMode = 0;  // 0 camera, 1 model, 2 animation

 private:
  UserInteraction& ui_;
  CZiduderizo& scene_;
  std::vector<DocumentView*> views_;
  bool modified_ = false;
  std::string path_;
};

inline constexpr const char* kFrameOutOfRangeMessage = "フレーム番号が範囲外です！";
inline constexpr const char* kSelectModelMessage = "モデルを選択してください！";
inline constexpr const char* kUntitledTitle = "無題";

}  // namespace qv
