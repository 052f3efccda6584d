#pragma once
// CMotionDoc: the one document. It owns no scene data: it edits the process-wide scene
// (g_scene) through the operations of the animation and geometry code, keeps the path and the
// modified flag, and notifies every attached view after each change. Dialogs and message boxes
// are asked through UserInteraction, so the same document serves the desktop program, the
// command line and the tests.
#include <cstdint>
#include <functional>
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

  // Life cycle. Each returns whether it went through.
  // New: asks to save a modified document first, then the new-scene state (hint 101).
  bool OnNewDocument();
  // Opens a .qvlogo document or imports a .mqo file (hint 102). A failed open shows its message
  // and leaves the document as it was.
  bool OnOpenDocument(const std::string& path);
  // "開く": the open dialog, then OnOpenDocument without asking to save.
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  // Writes the document to `path` (replacing it only when all was written); shows the message
  // and returns false on failure.
  bool DoStore(const std::string& path);
  // Before the document is closed or replaced: asks to save a modified document. False when the
  // user cancels or saving failed.
  bool SaveModified();
  // Frees GPU resources made from the scene: every view is told, the handles are cleared.
  void ReleaseResources();

  // Writes a web page of the scene; installed by the front end (the export lives above the
  // document). Without one, the web types of save-as do nothing.
  using WebExporter = std::function<void(CMotionDoc&, const std::string& path, SaveType type)>;
  void SetWebExporter(WebExporter exporter) { webExporter_ = std::move(exporter); }
  // Folder of the program (TEXTURE folders); empty: the running executable's.
  std::string m_programFolder;
  // Folder of the open document: its textures resolve against it.
  std::string m_documentFolder;
  // Off: opening leaves the texture images undecoded (command-line edits that draw nothing).
  bool m_loadTexturesOnOpen = true;

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

  // Transform and mouse modes of the viewport.
  void OnTransformMode(int32_t mode);  // 0 move, 1 rotate, 2 scale
  void OnMouseMode(int32_t mode);      // 0 camera, 2 animation (1 is never selectable)

  // The control bar's last-frame field; false when n is refused.
  bool SetLastFrame(int32_t n);

  int32_t m_mouseMode = 0;  // 0 camera, 1 model, 2 animation

 private:
  UserInteraction& ui_;
  CZiduderizo& scene_;
  std::vector<DocumentView*> views_;
  bool modified_ = false;
  std::string path_;
  WebExporter webExporter_;
};

// The extension of a path's last component, after its last period; empty without one.
std::string PathExtensionOf(const std::string& path);

inline constexpr const char* kFrameOutOfRangeMessage = "フレーム番号が範囲外です！";
inline constexpr const char* kSelectModelMessage = "モデルを選択してください！";
inline constexpr const char* kUntitledTitle = "無題";

}  // namespace qv
