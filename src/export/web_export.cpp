#include "export/web_export.h"

#include <filesystem>
#include <system_error>

#include "animation/interpolation.h"
#include "export/model_script.h"
#include "export/page_writers.h"
#include "export/path_helpers.h"

namespace qv {

namespace fs = std::filesystem;

WebExportKind WebExportKindOf(SaveType type) {
  return type == SaveType::kWebGPU ? WebExportKind::kWebGPU : WebExportKind::kWebGL;
}

const char* FolderWord(WebExportKind kind) { return kind == WebExportKind::kWebGPU ? "webgpu" : "webgl"; }

const std::vector<std::string>& RuntimeFileNames(WebExportKind kind) {
  static const std::vector<std::string> kWebGLFiles{"BoneModel3D.js", "Material.js", "Matrix3D.js", "Model3D.js",
                                                    "GLSL.js",        "Orvakis3D.js", "Vector3D.js"};
  static const std::vector<std::string> kWebGPUFiles{"BoneModel3D.js", "Material.js", "Matrix3D.js", "Model3D.js",
                                                     "Zentrel3D.js",   "Vector3D.js", "WGSL.js"};
  return kind == WebExportKind::kWebGPU ? kWebGPUFiles : kWebGLFiles;
}

namespace {

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string ProgramFolder(const WebExportOptions& options) {
  if (!options.programFolder.empty()) return WithTrailingSlash(options.programFolder);
  return ModuleFolder();
}

void Record(WebExportResult& result, const std::string& path, bool ok) {
  (ok ? result.written : result.failures).push_back(path);
}

}  // namespace

WebExportResult ExportWebSite(CZiduderizo& scene, UserInteraction& ui, WebExportKind kind,
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
  const std::string word = FolderWord(kind);
  const std::string scriptFolder = folder + word + "/";

  RecomputeAllFrames(scene);

  for (const std::string& made : {folder + word, folder + "css"}) {
    std::error_code error;
    fs::create_directory(made, error);
    if (error) result.failures.push_back(made);
  }

  const std::string styleSheet = folder + "css/styles.css";
  Record(result, styleSheet, WriteStyleSheet(scene, styleSheet));

  const std::string runtimeFolder = ProgramFolder(options) + "DoNotTouch/" + word + "/";
  for (const std::string& name : RuntimeFileNames(kind)) {
    std::error_code error;
    const std::string destination = scriptFolder + name;
    fs::copy_file(runtimeFolder + name, destination, fs::copy_options::overwrite_existing, error);
    Record(result, destination, !error);
  }

  const std::string modelScript = scriptFolder + "Model_" + title + ".js";
  const bool modelWritten = kind == WebExportKind::kWebGPU ? WriteModelClass(scene, modelScript, 1.0f)
                                                           : WriteModelScript(scene, modelScript, 1.0f);
  if (modelWritten) {
    result.written.push_back(modelScript);
  } else {
    result.modelScriptFailed = true;
    ui.ShowMessage(kind == WebExportKind::kWebGPU ? kWebGPUScriptFailedMessage : kWebGLScriptFailedMessage);
    if (kind == WebExportKind::kWebGL) return result;
  }

  const std::string page = folder + title + ".html";
  Record(result, page, WriteHtmlPage(page, word, title));
  const std::string sceneScript = scriptFolder + title + ".js";
  Record(result, sceneScript,
         kind == WebExportKind::kWebGPU ? WriteWebGPUScene(scene, sceneScript, title)
                                        : WriteWebGLScene(scene, sceneScript, title));

  result.completed = true;
  return result;
}

}  // namespace qv
