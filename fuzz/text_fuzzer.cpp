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

// Not the code under test: without coverage of its own, its branches are no new behaviour of an
// input, and it runs at full speed.
__attribute__((no_sanitize("coverage"))) void CheckClosedSolid(const qv::CModel& model) {
  const size_t vertices = model.m_vertices.size();
  for (const qv::CFace& face : model.m_faces)
    for (const int32_t v : face.m_indices) Check(v >= 0 && static_cast<size_t>(v) < vertices);
  // The edges grouped by their smaller vertex (a counting sort); each group's other ends must
  // come in pairs, each edge bordering exactly two faces.
  auto forEachEdge = [&](auto visit) {
    for (const qv::CFace& face : model.m_faces) {
      const size_t n = face.m_indices.size();
      for (size_t i = 0; i < n; ++i) {
        const auto a = static_cast<uint32_t>(face.m_indices[i]);
        const auto b = static_cast<uint32_t>(face.m_indices[(i + 1) % n]);
        visit(std::min(a, b), std::max(a, b));
      }
    }
  };
  std::vector<uint32_t> first(vertices + 1, 0);
  forEachEdge([&](uint32_t low, uint32_t) { ++first[low + 1]; });
  for (size_t v = 0; v < vertices; ++v) first[v + 1] += first[v];
  std::vector<uint32_t> others(first[vertices]);
  std::vector<uint32_t> next(first.begin(), first.end() - 1);
  forEachEdge([&](uint32_t low, uint32_t high) { others[next[low]++] = high; });
  for (size_t v = 0; v < vertices; ++v) {
    uint32_t* const begin = others.data() + first[v];
    uint32_t* const end = others.data() + first[v + 1];
    if (end - begin > 32) {
      std::sort(begin, end);
    } else {
      for (uint32_t* p = begin + 1; p < end; ++p)
        for (uint32_t* q = p; q > begin && q[-1] > q[0]; --q) std::swap(q[-1], q[0]);
    }
    for (uint32_t* p = begin; p < end; p += 2) Check(end - p >= 2 && p[0] == p[1] && (end - p == 2 || p[2] != p[0]));
  }
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
