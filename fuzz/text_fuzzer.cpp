// libFuzzer target: any string in any of a few installed fonts (a plain sans face, a Japanese
// face, brush fonts whose strokes cross, pixel squares meeting at corners), at any weight, size,
// thickness, subdivision count, kerning and letter spacing, makes a text model whose faces point at its own vertices, whose
// coordinates are finite and whose solid is closed: every edge belongs to exactly two faces.
//
// Input: four option bytes, then the text (UTF-8; malformed bytes are skipped).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "geometry/text_model.h"
#include "platform/parallel_for.h"
#include "scene/scene.h"
#include "script_checks.h"

namespace {

using qv::fuzz::Check;

constexpr const char* kFamilies[] = {"DejaVu Sans", "IPAGothic", "KouzanBrushFont", "MisakiGothic",
                                     "Kaushan Script", "IPAexMincho", "AoyagiSosekiFont2", "NoSuchFamily"};
// Longer texts only repeat what shorter ones find, more slowly.
constexpr size_t kMaxTextBytes = 48;

void CheckClosedSolid(const qv::CModel& model) {
  // Every edge once per face it borders, smaller vertex first; sorted, each must come in a pair.
  std::vector<uint64_t> edges;
  size_t corners = 0;
  for (const qv::CFace& face : model.m_faces) corners += face.m_indices.size();
  edges.reserve(corners);
  for (const qv::CFace& face : model.m_faces) {
    const size_t n = face.m_indices.size();
    for (size_t i = 0; i < n; ++i) {
      int32_t a = face.m_indices[i];
      int32_t b = face.m_indices[(i + 1) % n];
      Check(a >= 0 && static_cast<size_t>(a) < model.m_vertices.size());
      if (a > b) std::swap(a, b);
      edges.push_back(uint64_t{static_cast<uint32_t>(a)} << 32 | static_cast<uint32_t>(b));
    }
  }
  std::sort(edges.begin(), edges.end());
  for (size_t i = 0; i < edges.size(); i += 2)
    Check(i + 1 < edges.size() && edges[i] == edges[i + 1] && (i + 2 == edges.size() || edges[i + 2] != edges[i]));
}

}  // namespace

// The glyphs of one short text are made on the fuzzing thread: starting helper threads for each
// input cost more than the work they shared, and a campaign's jobs already fill the cores.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qv::LimitParallelThreads(1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qv;
  if (size < 4 || size > 4 + kMaxTextBytes) return 0;
  TextParameters parameters;
  parameters.fontName = kFamilies[data[0] % std::size(kFamilies)];
  parameters.subdivisions = 1 + data[1] % 8;
  // The bits left over: kerning, and letter spacing from glyphs piled up to far apart.
  parameters.kerning = (data[0] / 8) % 2 == 0;
  parameters.tracking = (data[1] / 8 - 10) * 100;
  parameters.weight = 1 + (data[2] * 1000) / 255;
  parameters.fontSize = 1.0f + static_cast<float>(data[3] % 16) * 25.0f;
  parameters.thickness = 1.0f + static_cast<float>(data[3] / 16) * 10.0f;
  parameters.text.assign(reinterpret_cast<const char*>(data) + 4, size - 4);

  Scene scene;
  TextModelNotes notes;
  const int32_t index = CreateTextModel(scene, parameters, &notes);
  if (index < 0) return 0;  // refused (too long, nothing the font can outline)
  const CModel& model = scene.m_models.at(index);
  for (const CVector& v : model.m_vertices) Check(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
  CheckClosedSolid(model);
  return 0;
}
