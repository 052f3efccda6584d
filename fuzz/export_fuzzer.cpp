// libFuzzer target: any document the loader accepts exports without memory faults to glTF (JSON
// that reads back, every buffer view and accessor inside the binary buffer, no NaN or infinity)
// and to both kinds of web page (scripts in UTF-8 whose brackets pair up outside their strings and
// comments, without a number printf would write as "nan" or "inf").
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "animation/interpolation.h"
#include "export/gltf_export.h"
#include "export/model_script.h"
#include "export/page_writers.h"
#include "scene/document_file.h"
#include "script_checks.h"

namespace {

using qv::fuzz::Check;

// Big scenes are valid but slow: the fuzzer looks for faults, not for the limits' speed.
bool SmallEnough(const qv::Scene& scene) {
  size_t faces = 0;
  size_t poses = 0;
  for (const qv::CModel& model : scene.m_models) {
    faces += model.m_faces.size();
    for (const auto& track : model.m_tracks) poses += track.size();
  }
  return faces <= 2000 && poses <= 5000;
}

QV_FUZZ_CHECK_CODE void CheckNoNonFinite(const nlohmann::json& value) {
  if (value.is_number_float()) Check(std::isfinite(value.get<double>()));
  if (value.is_structured())
    for (const auto& item : value) CheckNoNonFinite(item);
}

QV_FUZZ_CHECK_CODE size_t ComponentBytes(int componentType) {
  switch (componentType) {
    case 5120: case 5121: return 1;
    case 5122: case 5123: return 2;
    case 5125: case 5126: return 4;
  }
  std::abort();
}

QV_FUZZ_CHECK_CODE size_t TypeComponents(const std::string& type) {
  if (type == "SCALAR") return 1;
  if (type == "VEC2") return 2;
  if (type == "VEC3") return 3;
  if (type == "VEC4") return 4;
  if (type == "MAT4") return 16;
  std::abort();
}

QV_FUZZ_CHECK_CODE void CheckGltfJson(const qv::GltfAsset& asset) {
  const nlohmann::json reread = nlohmann::json::parse(asset.json.dump());
  CheckNoNonFinite(reread);
  const size_t binary = asset.binary.size();
  const nlohmann::json views = reread.value("bufferViews", nlohmann::json::array());
  for (const auto& view : views) {
    const size_t offset = view.value("byteOffset", size_t{0});
    const size_t length = view.at("byteLength").get<size_t>();
    Check(offset <= binary && length <= binary - offset);
  }
  for (const auto& accessor : reread.value("accessors", nlohmann::json::array())) {
    const auto& view = views.at(accessor.at("bufferView").get<size_t>());
    const size_t count = accessor.at("count").get<size_t>();
    const size_t element = ComponentBytes(accessor.at("componentType").get<int>()) *
                           TypeComponents(accessor.at("type").get<std::string>());
    const size_t stride = view.value("byteStride", element);
    const size_t end = accessor.value("byteOffset", size_t{0}) + (count ? stride * (count - 1) + element : 0);
    Check(count > 0 && end <= view.at("byteLength").get<size_t>());
  }
}

void CheckGltf(const qv::Scene& scene) {
  qv::GltfExportOptions options;
  options.fps = scene.m_fps > 0.0f && std::isfinite(scene.m_fps) ? scene.m_fps : 30.0f;
  options.textures = {"/nonexistent", "/nonexistent"};  // names in the input must not read files
  qv::GltfAsset asset;
  try {
    asset = qv::BuildGltfAsset(scene, options, true, "fuzz");
  } catch (const qv::GltfExportError&) {
    return;  // refused with a message, as for a scene without models
  }
  CheckGltfJson(asset);
  Check(!qv::PackGlb(asset).empty());
}

QV_FUZZ_CHECK_CODE std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string text(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  Check(in.good());
  return text;
}

void CheckWebScripts(qv::Scene& scene, const std::filesystem::path& folder) {
  const std::string model = (folder / "Model_fuzz.js").string();
  const std::string page = (folder / "fuzz.js").string();
  Check(qv::WriteModelScript(scene, model, 1.0f));
  qv::fuzz::CheckScript(ReadAll(model));
  Check(qv::WriteModelClass(scene, model, 1.0f));
  qv::fuzz::CheckScript(ReadAll(model));
  Check(qv::WriteWebGLScene(scene, page, "fuzz"));
  qv::fuzz::CheckScript(ReadAll(page));
  Check(qv::WriteWebGPUScene(scene, page, "fuzz"));
  qv::fuzz::CheckScript(ReadAll(page));
}

// Every input writes four scripts and reads them back: in memory (/dev/shm) where the system has
// it, as opening and writing files on a disk's file system took longer than making them. The
// folder goes when the process ends normally; it owns its path, so the removal cannot outlive it.
class ScratchFolder {
 public:
  const std::filesystem::path& Path() {
    if (path_.empty()) {
      const std::filesystem::path base = access("/dev/shm", W_OK | X_OK) == 0 ? std::filesystem::path("/dev/shm")
                                                                               : std::filesystem::temp_directory_path();
      std::string pattern = (base / "qv-export-fuzz-XXXXXX").string();
      Check(mkdtemp(pattern.data()) != nullptr);
      path_ = pattern;
    }
    return path_;
  }
  ~ScratchFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
  }

 private:
  std::filesystem::path path_;
} scratch;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv;
  Scene scene;
  MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    CArchive ar(source);
    LoadScene(ar, scene);
  } catch (const ArchiveException&) {
    return 0;
  }
  if (scene.m_models.empty() || !SmallEnough(scene)) return 0;
  RecomputeAllFrames(scene);
  CheckGltf(scene);
  CheckWebScripts(scene, scratch.Path());
  return 0;
}
