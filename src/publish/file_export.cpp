#include "publish/file_export.h"

#include <algorithm>
#include <cstring>

#include "animation/interpolation.h"
#include "export/gltf_export.h"
#include "platform/file_error.h"

namespace qv {

namespace {

// Thrown from the progress callback to stop a cancelled movie between two frames.
struct MovieCancelled {};

}  // namespace

std::vector<std::string> ExportDocumentGltf(CMotionDoc& doc, const std::string& path,
                                            const std::function<void(const std::string&)>& warn) {
  Scene& scene = doc.scene();
  if (scene.m_models.empty()) throw FileExportError(kGltfEmptySceneMessage);
  RecomputeAllFrames(scene);
  GltfExportOptions options;
  options.fps = scene.m_fps;
  options.restAnimation = static_cast<size_t>(std::max(scene.m_currentAnimation, 0));
  options.textures = MakeTextureLookup(doc.m_documentFolder);
  if (!doc.m_programFolder.empty()) options.textures.programFolder = doc.m_programFolder;
  if (warn) options.warn = warn;
  try {
    return ExportGltf(scene, path, options);
  } catch (const GltfExportError& e) {
    throw FileExportError(e.what());
  }
}

void WriteDocumentMovie(Scene& scene, const MovieSettings& settings, const std::string& path,
                        const MovieProgress& progress) {
  try {
    WriteMovie(scene, settings, scene.m_lastFrame, path, progress);
  } catch (const MovieError& e) {
    throw FileExportError(e.what());
  } catch (const FileException& e) {
    throw FileExportError("cannot write " + path + (e.error() ? std::string(": ") + std::strerror(e.error()) : ""));
  }
}

MovieExportJob::MovieExportJob(const Scene& scene, const MovieSettings& settings, std::string path,
                               std::function<void(int64_t done)> frameDrawn)
    : m_scene(scene), m_settings(settings), m_path(std::move(path)), m_frameDrawn(std::move(frameDrawn)) {
  // The copy draws as the command line's freshly opened document: no selection, no history.
  m_scene.m_selectedModel = kNoModel;
  m_scene.m_undoStack.clear();
  m_scene.m_redoStack.clear();
  m_scene.m_frameClipboard.clear();
}

MovieExportJob::~MovieExportJob() {
  Cancel();
  Wait();
}

void MovieExportJob::Start() {
  if (!m_thread.joinable() && !m_finished) m_thread = std::thread([this] { Run(); });
}

void MovieExportJob::Wait() {
  if (m_thread.joinable()) m_thread.join();
}

void MovieExportJob::Run() {
  try {
    WriteDocumentMovie(m_scene, m_settings, m_path, [this](int64_t done, int64_t total) {
      m_total = total;
      m_done = done;
      if (m_frameDrawn) m_frameDrawn(done);
      if (m_cancel) throw MovieCancelled{};
    });
    m_outcome = Outcome::kWritten;
  } catch (const MovieCancelled&) {
    m_outcome = Outcome::kCancelled;
  } catch (const FileExportError& e) {
    m_error = e.what();
    m_outcome = Outcome::kFailed;
  } catch (const std::exception& e) {
    m_error = e.what();
    m_outcome = Outcome::kFailed;
  }
  m_finished = true;
}

}  // namespace qv
