// Speed of 3D text: whole texts (font opening excluded), opening a font, and every kanji of the
// installed Japanese fonts.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <string>

#include "geometry/glyph_outline.h"
#include "geometry/normals.h"
#include "geometry/text_layout.h"
#include "geometry/text_model.h"
#include "geometry/vertex_array.h"
#include "platform/memory_reuse.h"
#include "platform/platform_font.h"
#include "scene/model.h"
#include "scene/scene.h"

namespace {

using namespace qv;

// The allocator set up as the desktop program and qvlogo set it up at start.
const bool kAllocatorAsInThePrograms = (KeepLargeBlocksForReuse(), true);

const char* kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* kNotoSansCjk = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";
const char* kKouzanBrush = "/usr/share/fonts/truetype/kouzan-mouhitsu/kouzan-mouhitsu.ttf";
const char* kIpaexMincho = "/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf";

// 100 characters of ordinary Japanese prose: kanji, hiragana, katakana and punctuation.
std::u32string JapaneseText(size_t length) {
  const std::u32string prose =
      U"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所で"
      U"ニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを見た。しかもあとで"
      U"聞くとそれは書生という人間中で一番獰悪な種族であったそうだ。";
  std::u32string out;
  while (out.size() < length) out += prose;
  return out.substr(0, length);
}

// 100 characters of English with the pairs kerning is for (AV, To, Wa, Ty, LT ...).
std::u32string LatinText(size_t length) {
  const std::u32string prose =
      U"AVANT TOWARDS WAVY LATTE: Today, Yves Vallot wrote to Tanya about a very lovely AWAY TEAM victory. ";
  std::u32string out;
  while (out.size() < length) out += prose;
  return out.substr(0, length);
}

std::unique_ptr<PlatformFont> OpenOrSkip(benchmark::State& state, const char* file) {
  auto font = PlatformFont::Open(file);
  if (!font) state.SkipWithError("font not installed");
  return font;
}

// The first font of the process, as the create-text command meets it: fontconfig loads its
// configuration and caches, the font is chosen by name, opened, and its first glyph outlined
// and triangulated. Registered first so that it runs first; one iteration, as only the first
// one is cold.
void BM_FirstFontOfProcess(benchmark::State& state) {
  for (auto _ : state) {
    auto font = PlatformFont::Create("メイリオ", 400, U"文");
    if (!font) {
      state.SkipWithError("no font");
      return;
    }
    GlyphOutline outline;
    benchmark::DoNotOptimize(outline.ReadGlyph(*font, U'文', 5));
    CModel model;
    outline.AddGlyphMesh(model, 0.0f, 0);
  }
}
BENCHMARK(BM_FirstFontOfProcess)->Unit(benchmark::kMillisecond)->Iterations(1);

// The mesh of the text: outlines, triangulation, extrusion, centring.
void BM_TextMesh_Japanese(benchmark::State& state) {
  auto font = OpenOrSkip(state, kIpaGothic);
  if (!font) return;
  const std::u32string text = JapaneseText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    CModel model;
    BuildTextMesh(*font, text, 5, 100.0f, 50.0f, 0, model);
    benchmark::DoNotOptimize(model.m_faces.data());
  }
  state.SetComplexityN(state.range(0));
  state.counters["chars"] = static_cast<double>(text.size());
}
BENCHMARK(BM_TextMesh_Japanese)->Arg(25)->Arg(50)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// Everything the create-text command does to a model once the font is open: the mesh plus
// smoothing records and the vertex array (about 8 MB for this text).
//
// Whether the memory of the previous iteration's model is still in the process decides how much
// of the model's memory is touched for the first time: the allocator may keep it or give it
// back. ReusedMemory keeps it (as for a second text in a running program), FreshMemory gives it
// back before each iteration (as for the first text: every page of the model is new, which is
// expensive on virtual machines). The plain case leaves it to the allocator and lands on either.
enum class ModelMemory { LeftToTheAllocator, Reused, Fresh };

void BM_TextModel(benchmark::State& state, ModelMemory memory, const char* file, bool latin) {
  auto font = OpenOrSkip(state, file);
  if (!font) return;
  const std::u32string text = latin ? LatinText(100) : JapaneseText(100);
  if (memory == ModelMemory::Reused) {
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
  }
  for (auto _ : state) {
    if (memory == ModelMemory::Fresh) {
      state.PauseTiming();
      malloc_trim(0);
      state.ResumeTiming();
    }
    CModel model;
    model.m_smoothingAngle = 89.5f;
    BuildTextMesh(*font, text, 5, 100.0f, 50.0f, 0, model);
    RebuildSmoothingRecords(model);
    BuildVertexArray(model, 1);
    benchmark::DoNotOptimize(model.m_meshVertices.data());
  }
  if (memory == ModelMemory::Reused) {  // glibc's defaults
    mallopt(M_MMAP_THRESHOLD, 128 << 10);
    mallopt(M_TRIM_THRESHOLD, 128 << 10);
  }
}
BENCHMARK_CAPTURE(BM_TextModel, Japanese100, ModelMemory::LeftToTheAllocator, kIpaGothic, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextModel, Japanese100_ReusedMemory, ModelMemory::Reused, kIpaGothic, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextModel, Japanese100_FreshMemory, ModelMemory::Fresh, kIpaGothic, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextModel, LatinKerned100_ReusedMemory, ModelMemory::Reused, kDejaVuSans, true)
    ->Unit(benchmark::kMillisecond);

// The layout alone (fonts per character, bidirectional levels, shaping, the pen walk): the part
// of the text model that shaping adds.
void BM_TextLayout(benchmark::State& state, const char* file, bool latin) {
  auto font = OpenOrSkip(state, file);
  if (!font) return;
  const std::u32string text = latin ? LatinText(100) : JapaneseText(100);
  TextLayout layout(*font);
  std::vector<PlacedGlyph> glyphs;
  for (auto _ : state) {
    layout.Lay(text, {}, nullptr, glyphs);
    benchmark::DoNotOptimize(glyphs.data());
  }
}
BENCHMARK_CAPTURE(BM_TextLayout, Japanese100, kIpaGothic, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TextLayout, LatinKerned100, kDejaVuSans, true)->Unit(benchmark::kMicrosecond);

// A short text made into a scene's model from the font's name, as the command line and the text
// fuzzer make one per run: the font chosen, opened, a fallback font found for the kanji, the model
// made. Remembered: the same text again (fontconfig's answers and the opened faces are kept).
// NewKanji: a kanji not asked for before each time, so fontconfig sorts its fonts for it again.
void BM_CreateTextModel(benchmark::State& state, bool newKanji) {
  char32_t kanji = 0x4E00;
  for (auto _ : state) {
    TextParameters p;
    p.fontName = "DejaVu Sans";
    std::u32string text = U"Logo ";
    text += newKanji ? kanji++ : U'文';
    p.text.clear();
    for (char32_t c : text) {
      if (c < 0x80) {
        p.text += static_cast<char>(c);
      } else {
        p.text += static_cast<char>(0xE0 | (c >> 12));
        p.text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        p.text += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    Scene scene;
    benchmark::DoNotOptimize(CreateTextModel(scene, p));
  }
}
BENCHMARK_CAPTURE(BM_CreateTextModel, Remembered, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreateTextModel, NewKanji, true)->Unit(benchmark::kMillisecond);

// Fonts whose glyphs are mostly united first: a brush font's overlapping strokes, and synthetic
// bold growing strokes into each other.
void BM_TextMesh_United100(benchmark::State& state, const char* file, bool embolden) {
  auto font = PlatformFont::Open(file, 0, embolden);
  if (!font) {
    state.SkipWithError("font not installed (scripts/deps.sh)");
    return;
  }
  const std::u32string text = JapaneseText(100);
  for (auto _ : state) {
    CModel model;
    BuildTextMesh(*font, text, 5, 100.0f, 50.0f, 0, model);
    benchmark::DoNotOptimize(model.m_faces.data());
  }
}
BENCHMARK_CAPTURE(BM_TextMesh_United100, KouzanBrush, kKouzanBrush, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextMesh_United100, IpaexMinchoSyntheticBold, kIpaexMincho, true)->Unit(benchmark::kMillisecond);

void BM_TextMesh_Capitals(benchmark::State& state) {
  auto font = OpenOrSkip(state, kDejaVuSans);
  if (!font) return;
  const std::u32string text = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (auto _ : state) {
    CModel model;
    BuildTextMesh(*font, text, 12, 100.0f, 50.0f, 0, model);
    benchmark::DoNotOptimize(model.m_faces.data());
  }
}
BENCHMARK(BM_TextMesh_Capitals)->Unit(benchmark::kMillisecond);

// Choosing the font by name (fontconfig), opening it and outlining a first character. The first
// iteration includes loading fontconfig's configuration and caches.
void BM_OpenFontFirstGlyph(benchmark::State& state) {
  for (auto _ : state) {
    auto font = PlatformFont::Create("IPAGothic", 400, U"文");
    if (!font) {
      state.SkipWithError("no font");
      return;
    }
    GlyphOutline outline;
    benchmark::DoNotOptimize(outline.ReadGlyph(*font, U'文', 5));
    CModel model;
    outline.AddGlyphMesh(model, 0.0f, 0);
  }
}
BENCHMARK(BM_OpenFontFirstGlyph)->Unit(benchmark::kMillisecond);

// Every kanji (U+4E00 to U+9FFF) the font has, outlined and triangulated at subdivision 5.
void BM_AllKanji(benchmark::State& state, const char* file, int face) {
  auto font = PlatformFont::Open(file, face);
  if (!font) {
    state.SkipWithError("font not installed");
    return;
  }
  int64_t glyphs = 0, triangles = 0;
  for (auto _ : state) {
    glyphs = triangles = 0;
    for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) {
      GlyphOutline outline;
      if (!outline.ReadGlyph(*font, c, 5)) continue;
      CModel model;
      outline.AddGlyphMesh(model, 0.0f, 0);
      ++glyphs;
      triangles += static_cast<int64_t>(model.m_faces.size());
    }
  }
  state.counters["glyphs"] = static_cast<double>(glyphs);
  state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK_CAPTURE(BM_AllKanji, IpaGothic, kIpaGothic, 0)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_AllKanji, NotoSansCjkJp, kNotoSansCjk, 0)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
