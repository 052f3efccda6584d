// libFuzzer target: any byte sequence given to the Metasequoia importer ends in a scene that
// keeps the model invariants, without memory faults, hangs or unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "geometry/import_mqo.h"
#include "scene/scene.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv;
  Scene scene;
  if (size == 0) return 0;  // fmemopen refuses an empty buffer; the unit tests cover empty files
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  MqoImportOptions options;
  options.loadTextures = false;  // names in the input must not make the fuzzer read files
  const MqoImportResult result = ImportMQO(scene, file, "/nonexistent", options);
  std::fclose(file);

  Check(result.opened);
  Check(result.code <= 0 && result.code >= kMqoTooLarge);
  // A refused header changes nothing; anything else leaves at least the default material.
  const bool refused = result.code == kMqoNotMetasequoia || result.code == kMqoUnsupportedVersion;
  Check(scene.m_materials.empty() == refused);
  for (const CModel& model : scene.m_models) {
    Check(!model.m_faces.empty());
    Check(model.m_tracks.size() == static_cast<size_t>(scene.m_animationCount));
    Check(model.m_tracks[0].size() == static_cast<size_t>(scene.m_lastFrame + 1));
    Check(model.m_vertexRecords.size() == model.m_vertices.size());
    for (const CFace& face : model.m_faces) {
      Check(face.m_indices.size() == 3 || face.m_indices.size() == 4);
      Check(face.m_uvs.empty() || face.m_uvs.size() == face.m_indices.size());
      for (int32_t index : face.m_indices) Check(index >= 0 && static_cast<size_t>(index) < model.m_vertices.size());
    }
  }
  return 0;
}
