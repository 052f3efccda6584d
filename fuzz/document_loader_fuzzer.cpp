// libFuzzer target: any byte sequence given to the document loader either loads into a scene
// whose face indices and parent links are safe to use, or fails cleanly leaving the scene as it
// was; a loaded scene stores and loads again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scene/document_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv;
  Scene scene;
  MemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
  try {
    CArchive ar(source);
    LoadScene(ar, scene);
  } catch (const ArchiveException&) {
    Check(scene.m_models.empty());  // nothing half-read
    return 0;
  }
  const auto models = static_cast<int32_t>(scene.m_models.size());
  for (const CModel& model : scene.m_models) {
    Check(model.m_parent == kNoModel || (model.m_parent >= 0 && model.m_parent < models));
    for (const CFace& face : model.m_faces)
      for (int32_t index : face.m_indices) Check(index >= 0 && index < static_cast<int32_t>(model.m_vertices.size()));
  }
  StringSink first;
  {
    CArchive ar(first);
    StoreScene(ar, scene);
    ar.Close();
  }
  Scene again;
  MemorySource reread(first.bytes);
  CArchive ar(reread);
  LoadScene(ar, again);
  StringSink second;
  CArchive out(second);
  StoreScene(out, again);
  out.Close();
  Check(first.bytes == second.bytes);
  return 0;
}
