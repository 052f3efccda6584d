// New, open, save and save as of CMotionDoc.
#include <algorithm>

#include "animation/undo.h"
#include "geometry/import_mqo.h"
#include "geometry/model_geometry.h"
#include "geometry/texture_loader.h"
#include "animation/track_fit.h"
#include "platform/atomic_file.h"
#include "platform/text_codec.h"
#include "scene/document_file.h"
#include "scene/hierarchy_walk.h"
#include "document/motion_doc.h"
#include "document/save_types.h"

namespace qv {

std::string PathExtensionOf(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i) {
    const char c = path[i - 1];
    if (c == '/' || c == '\\') break;
    if (c == '.') return path.substr(i);
  }
  return {};
}

void CMotionDoc::ReleaseResources() {
  for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnReleaseResources(*this);
  for (CModel& model : scene_.m_models) model.m_vertexBuffer = 0;
  for (CMaterial& material : scene_.m_materials) material.m_textureHandle = 0;
}

bool CMotionDoc::OnNewDocument() {
  if (!SaveModified()) return false;
  ReleaseResources();
  path_.clear();
  m_documentFolder.clear();
  modified_ = false;
  scene_.m_currentFrame = 0;
  m_playing = false;
  scene_.m_lastFrame = scene_.m_previousLastFrame = 60;
  scene_.Reset();  // m_fps stays: a new document keeps the frame rate in effect
  UpdateAllViews(Change::kDocument);
  return true;
}

void CMotionDoc::OnFileOpen() {
  if (auto path = ui_.AskOpenPath()) OnOpenDocument(*path);
}

void CMotionDoc::OnOpenRecentFile(size_t index) {
  const std::vector<std::string>& entries = m_recentFiles.Entries();
  if (index >= entries.size()) return;
  const std::string path = entries[index];  // a copy: opening changes the list
  if (!SaveModified()) return;
  if (!OnOpenDocument(path)) m_recentFiles.Remove(path);
}

bool CMotionDoc::OnOpenDocument(const std::string& path) {
  const std::string extension = PathExtensionOf(path);
  const auto showMessage = [this](const std::string& text) { ui_.ShowMessage(text); };
  if (EqualsNoCase(extension, "qvlogo")) {
    // The file is read into a separate scene and moved in only when all of it was read: a failed
    // open leaves the document as it was.
    if (auto failure = LoadDocumentFile(path, scene_)) {
      ui_.ShowMessage(failure->text);
      return false;
    }
    ReleaseResources();
    modified_ = false;
    path_ = path;
    m_recentFiles.Add(path);
    m_documentFolder = FolderOfPath(path);
    TextureLookup lookup = MakeTextureLookup(m_documentFolder);
    if (!m_programFolder.empty()) lookup.programFolder = m_programFolder;
    if (m_loadTexturesOnOpen) ReloadAllTextures(scene_, lookup, showMessage);
  } else if (EqualsNoCase(extension, "mqo")) {
    ReleaseResources();
    MqoImportOptions options;
    options.showMessage = showMessage;
    options.programFolder = m_programFolder;
    ImportMQO(scene_, path, options);
    modified_ = true;
  }
  // Whatever was opened (or nothing, for another extension), the frame range, the selection and
  // the history start afresh.
  ClearHistory(scene_, true);
  int32_t poses = 61;
  if (!scene_.m_models.empty() && !scene_.m_models[0].m_tracks.empty() && !scene_.m_models[0].m_tracks[0].empty())
    poses = static_cast<int32_t>(scene_.m_models[0].m_tracks[0].size());
  scene_.m_lastFrame = scene_.m_previousLastFrame = poses - 1;
  scene_.m_animationCount = static_cast<int32_t>(scene_.m_animationNames.size());
  scene_.RefreshParentNames();
  scene_.m_currentAnimation = 0;
  scene_.m_selectedModel = kNoModel;
  for (CModel& model : scene_.m_models) FitFrames(scene_, model, scene_.m_previousLastFrame + 1);
  UpdateLightingOfAllMaterials(scene_.m_materials);
  for (CModel& model : scene_.m_models) RebuildModelGeometry(model, scene_.m_materials.size());
  RebuildHierarchyWalk(scene_);
  UpdateAllViews(Change::kDocument | Change::kModels);
  return true;
}

bool CMotionDoc::DoStore(const std::string& path) {
  if (auto failure = StoreDocumentFile(path, scene_)) {
    ui_.ShowMessage(failure->text);
    return false;
  }
  modified_ = false;
  return true;
}

void CMotionDoc::OnFileSave() {
  if (EqualsNoCase(PathExtensionOf(path_), "qvlogo")) {
    DoStore(path_);
    m_recentFiles.Add(path_);
    return;
  }
  OnFileSaveAs();
  modified_ = true;
}

void CMotionDoc::OnFileSaveAs() {
  auto choice = ui_.AskSavePath(false);
  if (!choice) return;
  switch (choice->type) {
    case SaveType::kDocument:
      DoStore(choice->path);
      path_ = choice->path;  // taken even when storing failed
      m_recentFiles.Add(path_);
      m_documentFolder = FolderOfPath(choice->path);
      break;
    case SaveType::kWebGL:
    case SaveType::kWebGPU:
      if (webExporter_) webExporter_(*this, choice->path, choice->type);
      break;
    default:
      if (fileExporter_ && IsFileExportType(choice->type)) fileExporter_(*this, choice->path, choice->type);
      break;
  }
}

bool CMotionDoc::SaveModified() {
  if (!modified_) return true;
  switch (ui_.AskSaveChanges(Title())) {
    case SaveChangesAnswer::kCancel: return false;
    case SaveChangesAnswer::kNo: return true;
    case SaveChangesAnswer::kYes: break;
  }
  if (!path_.empty()) return DoStore(path_);
  auto choice = ui_.AskSavePath(true);
  if (!choice) return false;
  if (!DoStore(choice->path)) return false;
  path_ = choice->path;
  return true;
}

}  // namespace qv
