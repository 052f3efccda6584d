// Speed of bevelled 3D text beside the flat slab: the whole text model the create-text command
// makes (mesh, smoothing records, vertex array) for 100 characters of Japanese in IPAGothic.
//
// With `--typeface FILE` it writes instead the outlines of that text (curves cut into 5 steps, as
// the models are made) as a typeface file for three.js, which bench/text_bevel_three.mjs
// extrudes with three.js's own bevel for comparison.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "geometry/glyph_outline.h"
#include "geometry/normals.h"
#include "geometry/text_model.h"
#include "geometry/vertex_array.h"
#include "platform/memory_reuse.h"
#include "platform/platform_font.h"
#include "scene/model.h"

namespace {

using namespace qv;

// The allocator set up as the desktop program and qvlogo set it up at start.
const bool kAllocatorAsInThePrograms = (KeepLargeBlocksForReuse(), true);

const char* kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

std::u32string JapaneseText(size_t length) {
  const std::u32string prose =
      U"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所で"
      U"ニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを見た。しかもあとで"
      U"聞くとそれは書生という人間中で一番獰悪な種族であったそうだ。";
  std::u32string out;
  while (out.size() < length) out += prose;
  return out.substr(0, length);
}

// The bevel both programs are measured with: 2 units into the glyph, 2 along the thickness.
BevelParameters RoundBevel(int32_t segments) { return {2.0f, 2.0f, segments, BevelShape::kRound}; }

void BM_TextModel(benchmark::State& state, BevelParameters bevel) {
  auto font = PlatformFont::Open(kIpaGothic);
  if (!font) {
    state.SkipWithError("IPAGothic is not installed (scripts/deps.sh)");
    return;
  }
  const std::u32string text = JapaneseText(100);
  TextParameters parameters;
  parameters.fontSize = 100.0f;
  parameters.thickness = 50.0f;
  parameters.bevel = bevel;
  size_t faces = 0;
  for (auto _ : state) {
    CModel model;
    model.m_smoothingAngle = 89.5f;
    BuildTextMesh(*font, text, parameters, 0, model);
    RebuildSmoothingRecords(model);
    BuildVertexArray(model, 1);
    faces = model.m_faces.size();
    benchmark::DoNotOptimize(model.m_meshVertices.data());
  }
  state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK_CAPTURE(BM_TextModel, Japanese100_Flat, BevelParameters{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextModel, Japanese100_Round4, RoundBevel(4))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextModel, Japanese100_Round1, RoundBevel(1))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextModel, Japanese100_Round16, RoundBevel(16))->Unit(benchmark::kMillisecond);

// Coordinates in thousandths of the cell height, as three.js's typeface files give them.
int WriteTypeface(const char* path) {
  auto font = PlatformFont::Open(kIpaGothic);
  if (!font) {
    std::fprintf(stderr, "IPAGothic is not installed\n");
    return 1;
  }
  const std::u32string text = JapaneseText(100);
  std::ofstream out(path);
  out << "{\"familyName\":\"IPAGothic\",\"resolution\":1000,\"ascender\":880,\"descender\":-120,"
         "\"underlineThickness\":50,\"boundingBox\":{\"xMin\":0,\"yMin\":-120,\"xMax\":1000,\"yMax\":880},"
         "\"text\":\"";
  auto utf8 = [](char32_t c) {
    std::string s;
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else if (c < 0x800) {
      s += static_cast<char>(0xC0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      s += static_cast<char>(0xE0 | (c >> 12));
      s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
  };
  for (char32_t c : text) out << utf8(c);
  out << "\",\"glyphs\":{";
  std::set<char32_t> written;
  bool first = true;
  for (char32_t c : text) {
    if (!written.insert(c).second) continue;
    GlyphOutline outline;
    std::string o;
    if (outline.ReadGlyph(*font, c, 5)) {
      for (const auto& polygon : outline.m_polygons) {
        for (size_t i = 0; i < polygon->m_points.size(); ++i) {
          char buffer[64];
          std::snprintf(buffer, sizeof buffer, "%s %.3f %.3f ", i == 0 ? "m" : "l", polygon->m_points[i].x * 1000.0,
                        polygon->m_points[i].y * 1000.0);
          o += buffer;
        }
        if (!polygon->m_points.empty()) {
          char buffer[64];
          std::snprintf(buffer, sizeof buffer, "l %.3f %.3f ", polygon->m_points[0].x * 1000.0,
                        polygon->m_points[0].y * 1000.0);
          o += buffer;
        }
      }
    }
    out << (first ? "" : ",") << "\"" << utf8(c) << "\":{\"ha\":" << CharacterAdvance(*font, c) * 1000.0
        << ",\"o\":\"" << o << "\"}";
    first = false;
  }
  out << "}}\n";
  return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string_view(argv[i]) == "--typeface") return WriteTypeface(argv[i + 1]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
