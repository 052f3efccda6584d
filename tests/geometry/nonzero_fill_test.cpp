// Outlines filled as the font means them (nonzero winding) and solids without holes in their
// sides: hand-made contours that cross, overlap or nest the same way round, then every glyph of
// fonts that draw that way (brush strokes, overlapping components, pixel squares, synthetic bold).
//
// Each font is sampled to about 250 glyphs; QV_FULL_SWEEP=1 in the environment takes every glyph.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "geometry/glyph_outline.h"
#include "geometry/text_model.h"
#include "glyph_checks.h"

namespace qv {
namespace {

using testing::Polygon;
using testing::Rectangle;

struct GlyphCheck {
  double filled = 0;   // nonzero area of the contours, by the rasteriser
  double signedCap = 0, coveredCap = 0;
  int badEdges = 0;    // open edges of the welded slab
  int pinchedEdges = 0;  // edges of the welded slab not shared by exactly two faces
  int flatFaces = 0;     // cap triangles with their corners on one line
  bool AreaOk() const {
    return std::fabs(signedCap - filled) <= 0.005 * filled && std::fabs(coveredCap - filled) <= 0.005 * filled;
  }
};

GlyphCheck Check(GlyphOutline& outline) {
  GlyphCheck r;
  r.filled = testing::RasterFilledArea(testing::CopyContours(outline));
  CModel model;
  outline.AddGlyphMesh(model, 0.0f, 0);
  const auto areas = testing::CapAreasOf(model);
  r.signedCap = areas.signedArea;
  r.coveredCap = areas.coveredArea;
  r.flatFaces = testing::FlatFaces(model);
  ExtrudeCap(model, 0.25f, 0);
  r.badEdges = testing::OpenEdges(model);
  r.pinchedEdges = testing::EdgesNotSharedByTwo(model);
  return r;
}

struct OutlineCase {
  const char* name;
  std::vector<std::vector<PointF>> contours;
  double area;  // filled under the nonzero rule
};

GlyphOutline Make(const OutlineCase& c) {
  GlyphOutline outline;
  for (const auto& contour : c.contours) {
    outline.m_polygons.push_back(std::make_unique<OutlineContour>());
    outline.m_polygons.back()->m_points = contour;
  }
  return outline;
}

class HandMadeOutline : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(HandMadeOutline, CapCoversTheNonzeroAreaAndTheSlabIsClosed) {
  GlyphOutline outline = Make(GetParam());
  const GlyphCheck r = Check(outline);
  EXPECT_NEAR(r.filled, GetParam().area, GetParam().area * 1e-3) << "the rasteriser reference itself";
  // United boundaries are drawn in by a millionth of the cell.
  EXPECT_NEAR(r.signedCap, GetParam().area, GetParam().area * 1e-4);
  EXPECT_NEAR(r.coveredCap, GetParam().area, GetParam().area * 1e-4);
  EXPECT_EQ(r.badEdges, 0);
  EXPECT_EQ(r.pinchedEdges, 0);
  EXPECT_EQ(r.flatFaces, 0);
}

// Clockwise, like TrueType outer contours.
std::vector<PointF> Box(float x0, float y0, float x1, float y1) { return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}}; }
std::vector<PointF> Reversed(std::vector<PointF> v) { return {v.rbegin(), v.rend()}; }

INSTANTIATE_TEST_SUITE_P(
    Contours, HandMadeOutline,
    ::testing::Values(
        // Two strokes drawn over each other, as brush fonts do.
        OutlineCase{"OverlappingStrokes", {Box(0, 0, 2, 2), Box(1, 1, 3, 3)}, 7.0},
        OutlineCase{"CrossingBars", {Box(0, 2, 6, 3), Box(2, 0, 3, 6)}, 11.0},
        // A contour crossing itself: both lobes are filled.
        OutlineCase{"BowTie", {{{0, 0}, {0, 2}, {2, 0}, {2, 2}}}, 2.0},
        // A loop of a stroke (a brush "o" drawn as one self-crossing contour).
        OutlineCase{"SelfOverlappingLoop", {{{0, 0}, {0, 3}, {3, 3}, {3, 1}, {1, 1}, {1, 4}, {4, 4}, {4, 0}}}, 15.0},
        // The same direction inside: an accent on its letter, not a hole.
        OutlineCase{"NestedSameWay", {Box(0, 0, 4, 4), Box(1, 1, 2, 2)}, 16.0},
        OutlineCase{"SameContourTwice", {Box(0, 0, 1, 1), Box(0, 0, 1, 1)}, 1.0},
        // A contour whose first point is repeated (seen after synthetic bold) is not a line.
        OutlineCase{"RepeatedFirstPoint", {{{0, 0}, {0, 0}, {0, 2}, {2, 2}, {2, 0}}, Reversed(Box(0.5f, 0.5f, 1, 1))}, 3.75},
        // Squares sharing an edge (pixel fonts): one solid, no wall between them.
        OutlineCase{"SquaresSharingAnEdge", {Box(0, 0, 1, 1), Box(1, 0, 2, 1)}, 2.0},
        // An overlapping stroke across a hole: the hole is partly filled.
        OutlineCase{"StrokeAcrossAHole", {Box(0, 0, 6, 6), Reversed(Box(1, 1, 5, 5)), Box(2, -1, 3, 7)}, 20.0 + 4.0 + 2.0}),
    [](const ::testing::TestParamInfo<OutlineCase>& info) { return std::string(info.param.name); });

TEST(ShortContours, MakeNoSliversAndNoOpenEdges) {
  // The two-point contours of quote marks, a single point and a flat three-point contour inside
  // a square.
  OutlineCase c{"", {Box(0, 0, 4, 4), {{1, 1}, {1, 3}}, {{2, 2}}, {{3, 1}, {3, 2}, {3, 3}}}, 16.0};
  GlyphOutline outline = Make(c);
  const GlyphCheck r = Check(outline);
  EXPECT_NEAR(r.coveredCap, 16.0, 1e-6);
  EXPECT_EQ(r.badEdges, 0);
  EXPECT_EQ(r.pinchedEdges, 0);
}

// A glyph of a real font with its check, for the failure list.
struct SweepResult {
  int glyphs = 0, areaFailures = 0, wallFailures = 0, pinchFailures = 0;
  std::string failed;
};

void SweepGlyph(PlatformFont& font, char32_t c, SweepResult& r) {
  GlyphOutline outline;
  if (!outline.ReadGlyph(font, c, 5)) return;
  if (outline.m_polygons.empty()) return;
  ++r.glyphs;
  const GlyphCheck check = Check(outline);
  if (check.filled <= 0) return;  // nothing inked (contours of no area)
  const bool area = check.AreaOk(), walls = check.badEdges == 0;
  const bool manifold = check.pinchedEdges == 0 && check.flatFaces == 0;
  if (!area) ++r.areaFailures;
  if (!walls) ++r.wallFailures;
  if (!manifold) ++r.pinchFailures;
  if ((!area || !walls || !manifold) && r.failed.size() < 400) {
    std::ostringstream s;
    s << " U+" << std::hex << std::uppercase << uint32_t(c) << std::dec;
    if (!area) s << "(area " << check.coveredCap / check.filled << ")";
    if (!walls) s << "(" << check.badEdges << " edges)";
    if (!manifold) s << "(" << check.pinchedEdges << " edges not shared by two faces, " << check.flatFaces << " flat)";
    r.failed += s.str();
  }
}

bool FullSweep() { return std::getenv("QV_FULL_SWEEP") && std::string(std::getenv("QV_FULL_SWEEP")) == "1"; }

struct FontCase {
  const char* family;
  int32_t weight;
  const char* label;
};

class FontSweep : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontSweep, EveryGlyphFillsItsAreaWithClosedWalls) {
  const FontCase& c = GetParam();
  auto font = testing::InstalledFont(c.family, c.weight);
  if (!font || font->Family() != c.family) GTEST_SKIP() << c.family << " is not installed (scripts/deps.sh)";
  const std::vector<char32_t> all = font->Characters();
  const size_t step = FullSweep() ? 1 : std::max<size_t>(1, all.size() / 250);
  SweepResult r;
  for (size_t i = 0; i < all.size(); i += step) SweepGlyph(*font, all[i], r);
  std::cout << c.family << " " << c.weight << (font->Emboldened() ? " (synthetic bold)" : "") << ": " << r.glyphs
            << " glyphs, " << r.areaFailures << " fail the area check, " << r.wallFailures << " have open walls, "
            << r.pinchFailures << " have edges not shared by exactly two faces" << (r.failed.empty() ? "" : ":")
            << r.failed << "\n";
  EXPECT_GT(r.glyphs, 50);
  EXPECT_EQ(r.areaFailures, 0) << r.failed;
  EXPECT_EQ(r.wallFailures, 0) << r.failed;
  EXPECT_EQ(r.pinchFailures, 0) << r.failed;
}

INSTANTIATE_TEST_SUITE_P(
    InstalledFonts, FontSweep,
    ::testing::Values(FontCase{"KouzanBrushFont", 400, "KouzanBrush"},
                      FontCase{"KouzanBrushFontSousyo", 400, "KouzanBrushSousyo"},
                      FontCase{"AoyagiSosekiFont2", 400, "AoyagiSoseki"},
                      FontCase{"Kaushan Script", 400, "KaushanScript"}, FontCase{"MisakiGothic", 400, "MisakiGothic"},
                      FontCase{"IPAexMincho", 400, "IPAexMincho"}, FontCase{"IPAexMincho", 700, "IPAexMinchoBold"},
                      FontCase{"DejaVu Sans", 400, "DejaVuSans"}, FontCase{"DejaVu Sans", 700, "DejaVuSansBold"}),
    [](const ::testing::TestParamInfo<FontCase>& info) { return std::string(info.param.label); });

// Brush glyphs whose strokes loop through a point of their own contour: the loop closes on an
// existing point (or a point on another edge of the same contour), so no edges cross, yet the
// contour's turning and its area disagree and the plain procedure folds the cap.
struct GlyphCase {
  const char* family;
  char32_t character;
  const char* label;
};

std::string GlyphCaseName(const ::testing::TestParamInfo<GlyphCase>& info) { return info.param.label; }

// Reads the case's glyph (5 steps per curve) and checks its cap and walls; false when the font is
// not installed (or only a substitute is).
bool ReadAndCheck(const GlyphCase& glyph, GlyphCheck& result) {
  auto font = testing::InstalledFont(glyph.family);
  if (!font || font->Family() != glyph.family) return false;
  GlyphOutline outline;
  EXPECT_TRUE(outline.ReadGlyph(*font, glyph.character, 5));
  result = Check(outline);
  return true;
}

class BrushGlyphLoopingThroughItself : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(BrushGlyphLoopingThroughItself, FillsItsAreaWithClosedWalls) {
  GlyphCheck r;
  if (!ReadAndCheck(GetParam(), r)) GTEST_SKIP() << GetParam().family << " is not installed (scripts/deps.sh)";
  EXPECT_TRUE(r.AreaOk()) << "filled " << r.filled << ", caps signed " << r.signedCap << ", covered " << r.coveredCap;
  EXPECT_EQ(r.badEdges, 0);
  EXPECT_EQ(r.pinchedEdges, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, BrushGlyphLoopingThroughItself,
    ::testing::Values(
        // A small loop closed on a point of a later edge (the cap covered 5.4 times the glyph).
        GlyphCase{"KouzanBrushFont", U'ゐ', "KouzanWi"}, GlyphCase{"KouzanBrushFont", U'信', "KouzanShin"},
        // Two points of one contour at the same place, turning and area agreeing.
        GlyphCase{"KouzanBrushFont", U'膚', "KouzanFu"},
        // A stroke end doubling back onto an edge two steps away.
        GlyphCase{"KouzanBrushFont", U'錤', "KouzanKi"},
        GlyphCase{"AoyagiSosekiFont2", U'民', "AoyagiMin"}, GlyphCase{"AoyagiSosekiFont2", U'犀', "AoyagiSai"}),
    GlyphCaseName);

// Synthetic bold grows neighbouring strokes of kana and kanji into each other.
TEST(SyntheticBold, KanaAndKanjiOfAFontWithoutABoldFace) {
  auto font = testing::InstalledFont("IPAexMincho", 700);
  if (!font || font->Family() != "IPAexMincho") GTEST_SKIP() << "IPAexMincho is not installed (scripts/deps.sh)";
  ASSERT_TRUE(font->Emboldened());
  SweepResult r;
  for (char32_t c : std::u32string(U"あいうえおかきくけこさしすせそなぬねのはまみむめもゆよらるれろわをん"
                                   U"アイウエオカキクケコサシセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨワヲン"
                                   U"日本語漢字書道永東京都国際鬱薔薇露議識購響驚鑑曜"))
    SweepGlyph(*font, c, r);
  EXPECT_EQ(r.areaFailures, 0) << r.failed;
  EXPECT_EQ(r.wallFailures, 0) << r.failed;
  EXPECT_EQ(r.pinchFailures, 0) << r.failed;
}

// Glyphs whose contours repeat a point (the font stores it twice in a row), or pass through one
// of their own points: the solid is closed, every edge the hinge of exactly two faces, with no
// flat triangle lying along the outline.
class GlyphWithARepeatedPoint : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(GlyphWithARepeatedPoint, MakesAClosedSolidWithoutPinches) {
  GlyphCheck r;
  if (!ReadAndCheck(GetParam(), r)) GTEST_SKIP() << GetParam().family << " is not installed (scripts/deps.sh)";
  EXPECT_TRUE(r.AreaOk()) << "filled " << r.filled << ", caps signed " << r.signedCap << ", covered " << r.coveredCap;
  EXPECT_EQ(r.badEdges, 0);
  EXPECT_EQ(r.pinchedEdges, 0);
  EXPECT_EQ(r.flatFaces, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, GlyphWithARepeatedPoint,
    ::testing::Values(
        // The same point twice in a row.
        GlyphCase{"KouzanBrushFont", U'ェ', "KouzanSmallE"}, GlyphCase{"KouzanBrushFont", U'ゞ', "KouzanVoicedRepeat"},
        GlyphCase{"KouzanBrushFont", U'依', "KouzanI"}, GlyphCase{"KouzanBrushFont", U'ﾜ', "KouzanHalfwidthWa"},
        GlyphCase{"KouzanBrushFontGyousyo", U'ズ', "KouzanGyousyoZu"},
        GlyphCase{"AoyagiSosekiFont2", U'ﾃ', "AoyagiHalfwidthTe"}, GlyphCase{"AoyagiSosekiFont2", U'皛', "AoyagiKyou"},
        // A contour passing through its own first point, hole-bridged into a part that folded.
        GlyphCase{"IPAGothic", U'駲', "IPAGothicShuu"}),
    GlyphCaseName);

}  // namespace
}  // namespace qv
