#include "cli/document_io.h"

#include "cli/cli_command.h"
#include "scene/document_file.h"
#include "scene/scene.h"

namespace qv::cli {

void NewDocument() {
  g_currentFrame = 0;
  g_lastFrame = g_previousLastFrame = 60;
  g_scene->Reset();
}

void OpenDocumentOrFail(const std::string& path) {
  if (auto failure = LoadDocumentFile(path, *g_scene)) throw CommandFailure{failure->text};
  // Frame range as after opening: the first model's first track decides.
  int32_t poses = 61;
  if (!g_scene->m_models.empty() && !g_scene->m_models[0].m_tracks.empty())
    poses = static_cast<int32_t>(g_scene->m_models[0].m_tracks[0].size());
  g_lastFrame = g_previousLastFrame = poses - 1;
  g_animationCount = static_cast<int32_t>(g_scene->m_animationNames.size());
  g_currentAnimation = 0;
  g_scene->RefreshParentNames();
}

void SaveDocumentOrFail(const std::string& path) {
  if (auto failure = StoreDocumentFile(path, *g_scene)) throw CommandFailure{failure->text};
}

}  // namespace qv::cli
