#include "geometry/import_mqo.h"

#include <cerrno>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "geometry/bounds.h"
#include "geometry/unique_names.h"
#include "geometry/vertex_array.h"
#include "platform/program_folder.h"
#include "platform/regular_file.h"
#include "scene/scene.h"

namespace qv {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

MqoImportResult ImportMQO(Scene& scene, const std::string& path, const MqoImportOptions& options) {
  // Folders, FIFOs and devices are refused before anything is read.
  std::unique_ptr<std::FILE, FileCloser> file(OpenRegularFileStream(path));
  if (!file) {
    MqoImportResult refused;
    refused.openError = errno;
    return refused;
  }
  // Relative texture names resolve against the file's own folder, passed along explicitly.
  return ImportMQO(scene, file.get(), std::filesystem::path(path).parent_path().string(), options);
}

MqoImportResult ImportMQO(Scene& scene, std::FILE* file, const std::string& folder,
                          const MqoImportOptions& options) {
  MqoImportResult result;
  if (!file) return result;
  result.opened = true;

  TextureLookup lookup;
  lookup.documentFolder = folder;
  lookup.programFolder = ProgramFolderOr(options.programFolder);

  const size_t modelsBefore = scene.m_models.size();
  const size_t materialsBefore = scene.m_materials.size();
  MqoLoader loader(scene, file, static_cast<int32_t>(scene.m_materials.size()));
  TextureProblems textureProblems;  // told once, after the whole file was read
  if (options.loadTextures) {
    loader.m_loadTexture = [&, cache = TextureCache{}](CMaterial& material) mutable {
      TextureLoadReport report;
      LoadTexture(material, lookup, {}, &report, &cache);
      textureProblems.Add(material, report);
    };
  }
  // A file that is no Metasequoia text file changes nothing at all.
  result.code = loader.ReadHeader();
  if (result.code != kMqoOk) {
    result.line = loader.LineNumber();
    return result;
  }
  scene.RenumberMaterials();
  const int32_t nextModelId = scene.m_nextModelId;
  const int32_t nextMaterialId = scene.m_nextMaterialId;
  result.code = loader.ReadBody();
  if (result.code != kMqoOk) result.line = loader.LineNumber();
  if (result.code == kMqoTooLarge || result.code == kMqoTooManyPoses || result.code == kMqoTooManyMaterials) {
    // Refused as a whole: what was read of it goes again.
    scene.m_models.resize(modelsBefore);
    scene.m_materials.resize(materialsBefore);
    scene.m_nextModelId = nextModelId;
    scene.m_nextMaterialId = nextMaterialId;
    // The scene's own limits are told; a file too large in itself ends as other parse errors do.
    if (options.showMessage && result.code == kMqoTooManyPoses) options.showMessage(kTooManyPosesMessage);
    if (options.showMessage && result.code == kMqoTooManyMaterials) options.showMessage(kTooManyMaterialsMessage);
  } else {
    textureProblems.ShowTo(options.showMessage);
  }

  if (scene.m_materials.empty()) {
    scene.m_materials.emplace_back();
    scene.TakeMaterialNumber();
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
