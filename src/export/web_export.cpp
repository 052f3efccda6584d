#include "export/web_export.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "animation/interpolation.h"
#include "export/model_script.h"
#include "export/page_writers.h"
#include "export/path_helpers.h"
#include "export/runtime_file_list.h"
#include "platform/staging_folder.h"

namespace qv {

namespace fs = std::filesystem;

WebExportKind WebExportKindOf(SaveType type) {
  return type == SaveType::kWebGPU ? WebExportKind::kWebGPU : WebExportKind::kWebGL;
}

const char* FolderWord(WebExportKind kind) { return kind == WebExportKind::kWebGPU ? "webgpu" : "webgl"; }

const std::vector<std::string>& RuntimeFileNames(WebExportKind kind) {
  // The build makes the list from web_runtime/runtime_files.json, the one list of these files.
  static const std::vector<std::string> kWebGLFiles{QV_RUNTIME_FILES_WEBGL};
  static const std::vector<std::string> kWebGPUFiles{QV_RUNTIME_FILES_WEBGPU};
  return kind == WebExportKind::kWebGPU ? kWebGPUFiles : kWebGLFiles;
}

namespace {

// A site being written: every file goes to a hidden staging folder inside the site's folder and
// is moved into place only when all of them were written, so a failure at any step leaves
// nothing new behind (files of an earlier export stay as they were). The staging folders that
// killed exports left in the site are removed first: they would be published with it.
class StagedSite {
 public:
  explicit StagedSite(const std::string& folder)
      : folder_(folder), staging_((RemoveAbandonedStagingFolders(folder), folder)) {}

  bool Ready() const { return staging_.Ready(); }
  // Where the file `relative` (below the site's folder) is written for now.
  std::string Stage(const std::string& relative) {
    relatives_.push_back(relative);
    const fs::path staged = fs::path(staging_.path() + relative);
    std::error_code error;
    fs::create_directories(staged.parent_path(), error);
    return staged.string();
  }
  // Moves the staged files into the site, replacing older ones; false (with the path that failed)
  // when a destination cannot take its file. Every destination is checked before the first move.
  bool Commit(std::vector<std::string>& written, std::string& failed) {
    for (const std::string& relative : relatives_) {
      const fs::path destination = folder_ + relative;
      std::error_code error;
      fs::create_directories(destination.parent_path(), error);
      if (fs::is_directory(fs::symlink_status(destination, error)) ||
          !fs::is_directory(destination.parent_path(), error)) {
        failed = destination.string();
        return false;
      }
    }
    for (const std::string& relative : relatives_) {
      const std::string destination = folder_ + relative;
      std::error_code error;
      fs::rename(staging_.path() + relative, destination, error);
      if (error) {
        failed = destination;
        return false;
      }
      written.push_back(destination);
    }
    return true;
  }

 private:
  std::string folder_;
  StagingFolder staging_;
  std::vector<std::string> relatives_;
};

}  // namespace

WebExportResult ExportWebSite(Scene& scene, UserInteraction& ui, WebExportKind kind,
                              const std::string& chosenPath, const WebExportOptions& options) {
  WebExportResult result;
  std::string title;
  if (!PathTitle(chosenPath, title)) {
    result.refused = true;
    ui.ShowMessage(kEmptyTitleMessage);
    return result;
  }
  std::string folder = "./";
  PathFolder(chosenPath, folder);
  // A backslash would split the title into folders (..\..\x): such a name is refused.
  if (chosenPath.find('\\') != std::string::npos) {
    result.refused = true;
    ui.ShowMessage(kBackslashInNameMessage);
    return result;
  }
  const std::string word = FolderWord(kind);
  const char* failedMessage = kind == WebExportKind::kWebGPU ? kWebGPUScriptFailedMessage : kWebGLScriptFailedMessage;

  RecomputeAllFrames(scene);

  StagedSite site(folder);
  if (!site.Ready()) {
    result.failures.push_back(folder);
    ui.ShowMessage(failedMessage);
    return result;
  }
  auto fail = [&](const std::string& relative) {
    result.failures.push_back(folder + relative);
    ui.ShowMessage(failedMessage);
    return result;
  };

  const std::string styleSheet = "css/styles.css";
  if (!WriteStyleSheet(scene, site.Stage(styleSheet))) return fail(styleSheet);

  const std::string runtimeFolder = ProgramFolderOr(options.programFolder) + kWebRuntimeFolder + "/" + word + "/";
  for (const std::string& name : RuntimeFileNames(kind)) {
    const std::string relative = word + "/" + name;
    std::error_code error;
    fs::copy_file(runtimeFolder + name, site.Stage(relative), fs::copy_options::overwrite_existing, error);
    if (error) return fail(relative);
  }

  const std::string modelScript = word + "/Model_" + title + ".js";
  const std::string stagedModel = site.Stage(modelScript);
  const bool modelWritten = kind == WebExportKind::kWebGPU ? WriteModelClass(scene, stagedModel, 1.0f)
                                                           : WriteModelScript(scene, stagedModel, 1.0f);
  if (!modelWritten) {
    result.modelScriptFailed = true;
    return fail(modelScript);
  }

  const std::string page = title + ".html";
  if (!WriteHtmlPage(site.Stage(page), word, title)) return fail(page);
  const std::string sceneScript = word + "/" + title + ".js";
  const std::string stagedScene = site.Stage(sceneScript);
  if (!(kind == WebExportKind::kWebGPU ? WriteWebGPUScene(scene, stagedScene, title)
                                       : WriteWebGLScene(scene, stagedScene, title)))
    return fail(sceneScript);

  std::string failed;
  if (!site.Commit(result.written, failed)) {
    result.failures.push_back(failed);
    ui.ShowMessage(failedMessage);
    return result;
  }

  result.completed = true;
  result.page = folder + page;
  return result;
}

}  // namespace qv
