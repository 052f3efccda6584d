#include "geometry/import_mqo.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "geometry/bounds.h"
#include "geometry/unique_names.h"
#include "geometry/vertex_array.h"
#include "platform/file_probe.h"
#include "platform/program_folder.h"
#include "scene/scene.h"

namespace qv {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

MqoImportResult ImportMQO(CZiduderizo& scene, const std::string& path, const MqoImportOptions& options) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  // A folder opens for reading on this system but is no file to import.
  if (!file || IsFolderOrUnknown(file.get())) return MqoImportResult{};
  // Relative texture names resolve against the file's own folder, passed along explicitly.
  return ImportMQO(scene, file.get(), std::filesystem::path(path).parent_path().string(), options);
}

MqoImportResult ImportMQO(CZiduderizo& scene, std::FILE* file, const std::string& folder,
                          const MqoImportOptions& options) {
  MqoImportResult result;
  if (!file) return result;
  result.opened = true;

  TextureLookup lookup;
  lookup.documentFolder = folder;
  lookup.programFolder = options.programFolder.empty() ? ModuleFolder() : options.programFolder;

  const size_t modelsBefore = scene.m_models.size();
  const size_t materialsBefore = scene.m_materials.size();
  scene.RenumberMaterials();
  LoaderMQO loader(scene, file, static_cast<int32_t>(scene.m_materials.size()));
  if (options.loadTextures) {
    loader.m_loadTexture = [&](CMaterial& material) { LoadTexture(material, lookup, options.showMessage); };
  }
  result.code = loader.Load();
  if (result.code != kMqoOk) result.line = loader.LineNumber();

  if (scene.m_materials.empty()) {
    scene.m_materials.emplace_back();
    ++scene.m_nextMaterialId;
  }
  UpdateLightingOfAllMaterials(scene.m_materials);
  for (CModel& model : scene.m_models) {
    ComputeBounds(model);
    BuildVertexArray(model, scene.m_materials.size());
  }
  MakeNamesUnique(scene);
  scene.RefreshParentNames();

  result.modelsAdded = static_cast<int32_t>(scene.m_models.size() - modelsBefore);
  result.materialsAdded = static_cast<int32_t>(scene.m_materials.size() - materialsBefore);
  return result;
}

}  // namespace qv
