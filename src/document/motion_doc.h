#pragma once
// CMotionDoc: the document. It edits its scene through the operations of the animation,
// geometry and export code, keeps the path and the modified flag, and notifies every attached
// view after each change. Dialogs and message boxes
// are asked through UserInteraction, so the same document serves the desktop program, the
// command line and the tests.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document_view.h"
#include "document/recent_files.h"
#include "document/settings_dialog.h"
#include "document/document_view.h"
#include "document/recent_files.h"
#include "document/settings_dialog.h"
#include "geometry/text_model.h"
#include "viewport/camera.h"
#include "scene/scene.h"
#include "scene/changes.h"
#include "scene/interface_text.h"
#include "scene/user_interaction.h"

namespace qv {

class CMotionDoc {
 public:
  // A document with a scene of its own.
  explicit CMotionDoc(UserInteraction& ui);
  // A document over a scene that the caller owns and keeps alive (tests, tools).
  CMotionDoc(UserInteraction& ui, Scene& scene);
  CMotionDoc(const CMotionDoc&) = delete;
  CMotionDoc& operator=(const CMotionDoc&) = delete;

  Scene& scene() { return scene_; }
  const Scene& scene() const { return scene_; }
  UserInteraction& ui() { return ui_; }

  // Views
  void AddView(DocumentView* view);
  void RemoveView(DocumentView* view);
  void UpdateAllViews(Change changes);

  // Modified flag and path
  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }
  const std::string& path() const { return path_; }  // UTF-8, empty when untitled
  void SetPath(const std::string& path) { path_ = path; }
  std::string Title() const;  // the path, or "無題"

  // Life cycle. Each returns whether it went through.
  // New: asks to save a modified document first, then the new-scene state (kDocument).
  bool OnNewDocument();
  // Opens a .qvlogo document or imports a .mqo file (kDocument and kModels). A failed open shows its message
  // and leaves the document as it was.
  bool OnOpenDocument(const std::string& path);
  // "開く": the open dialog, then OnOpenDocument without asking to save.
  void OnFileOpen();
  // Entry `index` of the recent-file list (0 the most recent): asks to save a modified document
  // first, then opens it; an entry that fails to open leaves the list. Nothing past the list's end.
  void OnOpenRecentFile(size_t index);
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

  // Writes a web page of the scene for the web types of save-as: the web export by default
  // (document/web_export_command.h); tests put their own in to watch the route.
  using WebExporter = std::function<void(CMotionDoc&, const std::string& path, SaveType type)>;
  void SetWebExporter(WebExporter exporter) { webExporter_ = std::move(exporter); }
  // Writes a glTF file or a movie for those types of save-as (IsFileExportType): set by the front
  // end, which asks the options and shows the progress; without one these types do nothing.
  // Exporting leaves the path, the title and the modified flag alone.
  void SetFileExporter(WebExporter exporter) { fileExporter_ = std::move(exporter); }
  // Folder of the program (TEXTURE folders); empty: the running executable's.
  std::string m_programFolder;
  // Documents opened or saved, most recent first; the front end loads and saves it with its
  // settings.
  RecentFileList m_recentFiles;
  // Folder of the open document: its textures resolve against it.
  std::string m_documentFolder;
  // Off: opening leaves the texture images undecoded (command-line edits that draw nothing).
  bool m_loadTexturesOnOpen = true;

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
  void OnTransformMode(TransformMode mode);
  void OnMouseMode(MouseMode mode);  // camera or animation (the model mode is never selectable)

  // The create-text command after the dialog's OK: with a font name and a text of at most
  // kMaxTextCharacters characters, and a bevel that CheckBevel takes (else its message is told),
  // remembers the values (all but the text) in m_textDefaults, adds the model, clears the undo
  // history and goes to frame 0; fonts and characters that stood in for missing ones are told through the user
  // interaction. The views get kModels whether or not a model was made; the document is marked
  // modified only when one was. Returns whether a model was made.
  bool CreateText(const TextParameters& parameters);
  // The settings dialog closed: with OK's values the canvas, the field of view (whole degrees)
  // and every model's smoothing angle change and the document is modified; kSettings either way (with kGeometry when accepted).
  void OnSettingsDialogClosed(const std::optional<SettingsDialogValues>& accepted);
  // The create-text dialog's values, remembered while the document lives (never the text); the
  // dialog opens with them. Cancel is CreateText with an empty text (kModels only).
  TextParameters m_textDefaults;
  // What the create-text dialog opens with: the remembered values without a text. A remembered
  // family that is not installed (the Windows font "メイリオ" of the start-up values) gives way
  // to the family fontconfig chooses for Japanese sans-serif text, which is remembered in its
  // place; without any outline font the name stays.
  TextParameters TextDialogPreset();

  // Playback and frame navigation. None marks the document modified; the control bar starts and
  // stops its timer on the changes (kPlaybackStarted, kPlaybackStopped; kCurrentFrame, any navigation, stops playback).
  void OnPlay();           // in-between frames filled once, then kPlaybackStarted
  void OnStop();           // kPlaybackStopped
  void OnFirstFrame();     // frame 0
  void OnLastFrame();      // the last frame
  void OnNextFrame();      // one on, to 0 after the last
  void OnPreviousFrame();  // one back, to the last before 0

  // View commands: camera, follow, shading, background, the main frame's six camera views.
  void OnResetCamera();           // kCamera, not modified
  void OnToggleFollow();          // kFollow, not modified
  void OnToggleSmoothShading();   // 1 <-> 0 (any non-zero becomes 0), kAppearance, not modified
  // The colour dialog's OK (0x00BBGGRR): kAppearance, modified.
  void SetBackgroundColor(uint32_t color);
  // The camera pose of a fixed view; kCameraView so that the control bar shows the position.
  void OnCameraView(CameraView view);

  // Files dropped on the main window, in the order given: a path ending in "qvlogo" (any case)
  // is opened without asking to save, and the rest of the drop is ignored; one ending in "mqo"
  // (any case; a bare "mqo" too) is imported (kModels, modified); anything else is ignored.
  void OnDropFiles(const std::vector<std::string>& paths);

  // The control bar's last-frame field; false when n is refused.
  bool SetLastFrame(int32_t n);

  MouseMode m_mouseMode = kMouseCamera;
  bool m_playing = false;   // playback running

 private:
  CMotionDoc(UserInteraction& ui, Scene* borrowed);
  UserInteraction& ui_;
  std::unique_ptr<Scene> ownedScene_;
  Scene& scene_;
  std::vector<DocumentView*> views_;
  bool modified_ = false;
  std::string path_;
  WebExporter webExporter_;
  WebExporter fileExporter_;
};

// The extension of a path's last component, after its last period; empty without one.
std::string PathExtensionOf(const std::string& path);

inline constexpr const char* kFrameOutOfRangeMessage = QV_TRANSLATE_NOOP("Messages", "フレーム番号が範囲外です！");
inline constexpr const char* kSelectModelMessage = QV_TRANSLATE_NOOP("Messages", "モデルを選択してください！");
inline constexpr const char* kUntitledTitle = QV_TRANSLATE_NOOP("Messages", "無題");
// A model or material renamed to a name another one has (any letter case).
inline constexpr const char* kSameNameMessage = QV_TRANSLATE_NOOP("Messages", "同名のアイテムが存在します！");

}  // namespace qv
