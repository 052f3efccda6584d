// A line of text set as type: spaces advance, the font's kerning, letter spacing, shaping
// (joining, conjuncts, marks), right-to-left runs and fonts standing in run by run.
#include <gtest/gtest.h>

#include <hb.h>

#include <algorithm>
#include <string>
#include <thread>

#include "geometry/bounds.h"
#include "geometry/glyph_outline.h"
#include "geometry/text_layout.h"
#include "geometry/text_model.h"
#include "glyph_checks.h"
#include "platform/font_catalog.h"
#include "scene/scene.h"

namespace qv {
namespace {

constexpr float kSize = 100.0f;

// Width of a text's mesh in model units at kSize.
double Width(PlatformFont& font, std::u32string_view text, bool kerning = true, int32_t tracking = 0,
             TextModelNotes* notes = nullptr) {
  TextParameters p;
  p.fontSize = kSize;
  p.thickness = 10.0f;
  p.kerning = kerning;
  p.tracking = tracking;
  CModel model;
  EXPECT_TRUE(BuildTextMesh(font, text, p, 0, model, notes));
  ComputeBounds(model);
  return double{model.m_boundsMax.x} - double{model.m_boundsMin.x};
}

std::vector<PlacedGlyph> Lay(PlatformFont& font, std::u32string_view text, TextModelNotes* notes = nullptr) {
  TextLayout layout(font);
  std::vector<PlacedGlyph> glyphs;
  layout.Lay(text, {}, notes, glyphs);
  return glyphs;
}

// The horizontal kerning between two characters as HarfBuzz gives it, in font units: the first
// glyph's advance shaped with the font's features less the same without kerning.
int32_t HarfBuzzKerning(const PlatformFont& font, std::u32string_view pair) {
  hb_blob_t* blob = hb_blob_create_from_file(font.File().c_str());
  hb_face_t* face = hb_face_create(blob, static_cast<unsigned>(font.FaceIndex()));
  hb_font_t* hbFont = hb_font_create(face);
  auto firstAdvance = [&](bool kerning) {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t*>(pair.data()), static_cast<int>(pair.size()), 0, -1);
    hb_buffer_guess_segment_properties(buffer);
    const hb_feature_t off{HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
    hb_shape(hbFont, buffer, kerning ? nullptr : &off, kerning ? 0 : 1);
    const int32_t advance = hb_buffer_get_glyph_positions(buffer, nullptr)[0].x_advance;
    hb_buffer_destroy(buffer);
    return advance;
  };
  const int32_t kerning = firstAdvance(true) - firstAdvance(false);
  hb_font_destroy(hbFont);
  hb_face_destroy(face);
  hb_blob_destroy(blob);
  return kerning;
}

TEST(TextShaping, BlanksAdvanceByTheirWidth) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  const double ab = Width(*font, U"AB", false);
  struct Case {
    std::u32string text;
    char32_t blank;
    int count;
  } cases[] = {{U"A B", U' ', 1}, {U"A  B", U' ', 2}, {U"A\u00A0B", U'\u00A0', 1}, {U"A\u2003\u2003\u2003B", U'\u2003', 3}};
  for (const Case& c : cases) {
    ASSERT_TRUE(font->HasGlyph(c.blank));
    const double blank = CharacterAdvance(*font, c.blank) * kSize;
    ASSERT_GT(blank, 10.0);
    EXPECT_NEAR(Width(*font, c.text, false) - ab, c.count * blank, 1e-3) << static_cast<uint32_t>(c.blank);
  }
  // A blank adds no geometry; controls and joiners are not drawn and do not move the pen.
  CModel spaced, plain;
  BuildTextMesh(*font, U"A B", 5, kSize, 10.0f, 0, spaced);
  BuildTextMesh(*font, U"AB", 5, kSize, 10.0f, 0, plain);
  EXPECT_EQ(spaced.m_vertices.size(), plain.m_vertices.size());
  EXPECT_NEAR(Width(*font, U"A\tB\u200B\u200D", false), ab, 1e-3);
}

TEST(TextShaping, KerningIsTheFontsOwnAndCanBeTurnedOff) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  const double unit = kSize / 2048.0;  // advances are whole cell units
  struct Case {
    std::u32string pair;
  } cases[] = {{U"AV"}, {U"To"}, {U"Wa"}, {U"HH"}};
  for (const Case& c : cases) {
    const int32_t kerning = HarfBuzzKerning(*font, c.pair);
    const double expected = kerning * double{kSize} / font->CellUnits();
    const double kerned = Width(*font, c.pair, true), plain = Width(*font, c.pair, false);
    EXPECT_NEAR(kerned - plain, expected, unit + 1e-3) << "kerning " << kerning;
    if (c.pair == U"HH") {
      EXPECT_EQ(kerning, 0);
      EXPECT_EQ(kerned, plain);
    } else {
      EXPECT_LT(kerning, 0);
    }
  }
  // Without kerning the glyphs stand at the sums of their advances, as character widths give them.
  const auto glyphs = [&] {
    TextLayout layout(*font);
    std::vector<PlacedGlyph> out;
    layout.Lay(U"AVAV", {false, 0}, nullptr, out);
    return out;
  }();
  ASSERT_EQ(glyphs.size(), 4u);
  double pen = 0.0;
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(glyphs[i].x, pen) << i;
    pen += CharacterAdvance(*font, U"AVAV"[i]);
  }
}

TEST(TextShaping, TrackingGoesBetweenCharactersOnly) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  const double plain = Width(*font, U"ABC");
  struct Case {
    std::u32string text;
    int32_t tracking;
    double wider;
  } cases[] = {{U"ABC", 100, 2 * 10.0}, {U"ABC", -50, 2 * -5.0}, {U"A", 500, 0.0}, {U"ABC", 0, 0.0}};
  for (const Case& c : cases)
    EXPECT_NEAR(Width(*font, c.text, true, c.tracking) - Width(*font, c.text), c.wider, 1e-3) << c.tracking;
  EXPECT_NEAR(Width(*font, U"ABC", true, 100) - plain, 20.0, 1e-3);
  // A mark stays on its base: "é" written as e and a combining acute takes one step, not two.
  EXPECT_NEAR(Width(*font, U"e\u0301e", true, 100), Width(*font, U"\u00E9e", true, 100), 1e-3);
}

TEST(TextShaping, ScriptsAreShapedAsTheFontAsks) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  // Arabic letters join: the word is narrower than its letters kept apart by non-joiners.
  const double joined = Width(*font, U"سلام");
  const double apart = Width(*font, U"س\u200Cل\u200Cا\u200Cم");
  EXPECT_LT(joined, apart - 1.0);
  // A combining mark sits on its base: as wide as the precomposed letter.
  EXPECT_NEAR(Width(*font, U"e\u0301"), Width(*font, U"\u00E9"), 1e-3);
  EXPECT_NEAR(Width(*font, U"Ae\u0301B"), Width(*font, U"A\u00E9B"), 1e-3);
}

TEST(TextShaping, RightToLeftRunsRunRightToLeft) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  struct Case {
    std::u32string text;
    uint32_t rightmost;  // the character whose glyph is furthest right
    uint32_t leftmost;
  } cases[] = {
      {U"שלום", 0, 3},     // Hebrew alone: its first letter on the right
      {U"سلام", 0, 3},     // Arabic too
      {U"AB שלום", 3, 0},  // a left-to-right line: the Hebrew word after the Latin one, read right to left
      {U"שלום AB", 0, 5},  // a right-to-left line: the Latin word on its left, still read left to right
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const auto glyphs = Lay(*font, c.text);
    ASSERT_FALSE(glyphs.empty());
    auto byX = [](const PlacedGlyph& a, const PlacedGlyph& b) { return a.x < b.x; };
    EXPECT_EQ(std::max_element(glyphs.begin(), glyphs.end(), byX)->character, c.rightmost) << "case " << i;
    EXPECT_EQ(std::min_element(glyphs.begin(), glyphs.end(), byX)->character, c.leftmost) << "case " << i;
  }
  // Latin in a right-to-left line keeps its own order.
  const auto mixed = Lay(*font, U"שלום AB");
  auto at = [&](uint32_t character) {
    return std::find_if(mixed.begin(), mixed.end(), [&](const PlacedGlyph& g) { return g.character == character; })->x;
  };
  EXPECT_LT(at(5), at(6));
  // The mesh agrees: the first letter's outline is the rightmost part of the model.
  CModel word, first;
  BuildTextMesh(*font, U"שלום", 5, kSize, 10.0f, 0, word);
  BuildTextMesh(*font, U"ש", 5, kSize, 10.0f, 0, first);
  ComputeBounds(first);
  ComputeBounds(word);
  const double wordWidth = word.m_boundsMax.x - word.m_boundsMin.x;
  const double letterWidth = first.m_boundsMax.x - first.m_boundsMin.x;
  // Caps are made in the order the glyphs stand, left to right: the first letter's comes last and
  // fills the right end of the word.
  const size_t wordCap = word.m_vertices.size() / 2, letterCap = first.m_vertices.size() / 2;
  double leftOfFirst = 1e9;
  for (size_t i = wordCap - letterCap; i < wordCap; ++i) leftOfFirst = std::min(leftOfFirst, double{word.m_vertices[i].x});
  EXPECT_NEAR(leftOfFirst, word.m_boundsMax.x - letterWidth, 1e-3);
  EXPECT_GT(wordWidth, 2 * letterWidth);
}

TEST(TextShaping, DevanagariConjunct) {
  QV_REQUIRE_FONT(font, "Lohit Devanagari");
  // ka, virama, ssa: one conjunct glyph, narrower than the two letters with a visible virama.
  const std::u32string conjunct = U"\u0915\u094D\u0937";
  const auto glyphs = Lay(*font, conjunct);
  EXPECT_LT(glyphs.size(), 3u);
  EXPECT_LT(Width(*font, conjunct), Width(*font, U"\u0915\u094D\u200C\u0937"));
  // A vowel sign before its consonant in reading order is drawn before it: i-matra left of ka.
  const auto ki = Lay(*font, U"\u0915\u093F");
  ASSERT_EQ(ki.size(), 2u);
  EXPECT_EQ(ki[0].character, 0u);  // the cluster of ka, reordered
  EXPECT_LT(ki[0].x, ki[1].x);
}

TEST(TextShaping, FallbackFontsTakeTheirOwnRuns) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  if (font->HasGlyph(U'ロ')) GTEST_SKIP() << "DejaVu Sans has kana here";
  TextModelNotes notes;
  // The layout owns the fallback fonts its glyphs point to: it lives as long as they are read.
  TextLayout layout(*font);
  std::vector<PlacedGlyph> glyphs;
  layout.Lay(U"Logo ロゴ", {}, &notes, glyphs);
  ASSERT_EQ(notes.substitutions.size(), 1u);
  EXPECT_EQ(notes.substitutions[0].characters, U"ロゴ");
  auto japanese = PlatformFont::Create(notes.substitutions[0].family, 400);
  ASSERT_TRUE(japanese && japanese->HasGlyph(U'漢')) << notes.substitutions[0].family;
  ASSERT_EQ(glyphs.size(), 7u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(glyphs[i].font, font.get());
  for (size_t i = 5; i < 7; ++i) EXPECT_EQ(glyphs[i].font->Family(), notes.substitutions[0].family);
  // The Latin run still kerns, by as much as the word alone does.
  const double kerned = Width(*font, U"Logo ロゴ") - Width(*font, U"Logo ロゴ", false);
  EXPECT_LT(kerned, -0.5);
  EXPECT_NEAR(kerned, Width(*font, U"Logo") - Width(*font, U"Logo", false), 1e-3);
}

// Opened faces are kept for the next font of the same file, but two fonts alive at once never
// share one, also on two threads (the viewport and a command making text at the same time).
TEST(TextShaping, KeptFacesAreNeverSharedByTwoFonts) {
  QV_REQUIRE_FONT(font, "DejaVu Sans");
  auto modelOf = [](const char* text) {
    TextParameters p;
    p.fontName = "DejaVu Sans";
    p.text = text;
    Scene scene;
    EXPECT_EQ(CreateTextModel(scene, p), 0);
    return scene.m_models.at(0).m_vertices;
  };
  const auto latin = modelOf("AVO ロゴ"), arabic = modelOf("سلام O");
  // Two fonts of one file side by side, each loading other glyphs between the other's reads.
  auto second = PlatformFont::Open(font->File());
  std::vector<uint8_t> a, b, a2;
  font->GlyphOutline(U'O', a);
  second->GlyphOutline(U'A', b);
  font->GlyphOutline(U'O', a2);
  EXPECT_EQ(a, a2);
  EXPECT_NE(a, b);
  std::vector<std::thread> threads;
  std::vector<int> mismatches(2, 0);
  for (int t = 0; t < 2; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 20; ++i)
        if (modelOf(t == 0 ? "AVO ロゴ" : "سلام O") != (t == 0 ? latin : arabic)) ++mismatches[t];
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(mismatches, (std::vector<int>{0, 0}));
}

}  // namespace
}  // namespace qv
