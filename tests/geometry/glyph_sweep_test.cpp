// Every glyph of real fonts through outline reading and triangulation: valid meshes, caps that
// cover exactly the glyph, and the ring-based triangulation equal to the plain list procedure.
//
// Kanji are sampled evenly to about 3,000 per font; QV_FULL_SWEEP=1 in the environment takes all
// of U+4E00 to U+9FFF (some 20,000 for Noto Sans CJK).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "geometry/glyph_outline.h"
#include "glyph_checks.h"
#include "reference_triangulation.h"

namespace qv {
namespace {

using testing::OutlineShape;

std::vector<char32_t> Characters(const PlatformFont& font, bool kana, bool kanji) {
  std::vector<char32_t> out;
  for (char32_t c = 0x21; c < 0x7F; ++c) out.push_back(c);
  if (kana)
    for (char32_t c = 0x3041; c <= 0x30FF; ++c) out.push_back(c);
  if (kanji) {
    std::vector<char32_t> all;
    for (char32_t c = 0x4E00; c <= 0x9FFF; ++c)
      if (font.HasGlyph(c)) all.push_back(c);
    const bool full = std::getenv("QV_FULL_SWEEP") && std::string(std::getenv("QV_FULL_SWEEP")) == "1";
    const size_t step = full ? 1 : std::max<size_t>(1, all.size() / 3000);
    for (size_t i = 0; i < all.size(); i += step) out.push_back(all[i]);
  }
  return out;
}

struct SweepResult {
  int glyphs = 0, crossing = 0, touching = 0;
  int simpleFailures = 0, touchingFailures = 0;
  int differentFromLists = 0;
  std::string touchingList;
};

// The area check: the caps' signed area, and the area they cover, equal the glyph's filled area
// within 0.5 %.
bool AreasMatch(const testing::CapAreas& areas, double filled) {
  return std::fabs(areas.signedArea - filled) <= 0.005 * filled && std::fabs(areas.coveredArea - filled) <= 0.005 * filled;
}

SweepResult Sweep(PlatformFont& font, const std::vector<char32_t>& characters) {
  SweepResult r;
  for (char32_t c : characters) {
    GlyphOutline outline;
    if (!outline.ReadGlyph(font, c, 5)) continue;
    ++r.glyphs;
    const OutlineShape shape = testing::ShapeOf(outline);
    const double filled = testing::FilledArea(outline);
    CModel model;
    outline.AddGlyphMesh(model, 0.0f, 0);
    EXPECT_TRUE(testing::IndicesValid(model)) << "U+" << std::hex << uint32_t(c);
    for (const auto& polygon : outline.m_polygons)
      if (polygon->m_triangles != testing::TriangulateByLists(*polygon)) ++r.differentFromLists;
    if (shape == OutlineShape::kCrossing) {
      ++r.crossing;
      continue;
    }
    const bool match = AreasMatch(testing::CapAreasOf(model), filled);
    if (shape == OutlineShape::kTouching) {
      ++r.touching;
      if (!match) {
        ++r.touchingFailures;
        std::ostringstream name;
        name << " U+" << std::hex << std::uppercase << uint32_t(c);
        r.touchingList += name.str();
      }
    } else if (!match) {
      ++r.simpleFailures;
      auto areas = testing::CapAreasOf(model);
      ADD_FAILURE() << "U+" << std::hex << uint32_t(c) << std::dec << ": filled " << filled << ", caps signed "
                    << areas.signedArea << ", covered " << areas.coveredArea;
    }
  }
  return r;
}

void Report(const char* family, const SweepResult& r) {
  std::cout << family << ": " << r.glyphs << " glyphs, " << r.crossing << " with crossing contours (not checked), "
            << r.touching << " with touching contours of which " << r.touchingFailures << " fail the area check"
            << (r.touchingList.empty() ? "" : ":") << r.touchingList << "\n";
  ::testing::Test::RecordProperty(std::string(family) + " glyphs", r.glyphs);
  ::testing::Test::RecordProperty(std::string(family) + " touching failures", r.touchingFailures);
}

struct FontCase {
  const char* family;
  bool kana, kanji;
};

class GlyphSweep : public ::testing::TestWithParam<FontCase> {};

TEST_P(GlyphSweep, EveryGlyphTriangulatesAndCoversItsArea) {
  const FontCase& c = GetParam();
  auto font = testing::InstalledFont(c.family);
  if (!font) GTEST_SKIP() << c.family << " is not installed";
  const SweepResult r = Sweep(*font, Characters(*font, c.kana, c.kanji));
  Report(c.family, r);
  EXPECT_GT(r.glyphs, 90);
  // Glyphs whose contours neither cross nor touch are all exact.
  EXPECT_EQ(r.simpleFailures, 0);
  // Touching contours (a hole sharing a point with its outer contour, a stroke ending on
  // another, a contour passing through one of its own points) are united first and come out
  // exact as well.
  EXPECT_EQ(r.touchingFailures, 0) << r.touchingList;
  // The ring-based triangulation gives exactly the triangles of the plain list procedure.
  EXPECT_EQ(r.differentFromLists, 0);
}

INSTANTIATE_TEST_SUITE_P(InstalledFonts, GlyphSweep,
                         ::testing::Values(FontCase{"DejaVu Sans", false, false}, FontCase{"IPAGothic", true, true},
                                           FontCase{"Noto Sans CJK JP", true, true}),
                         [](const ::testing::TestParamInfo<FontCase>& info) {
                           std::string name = info.param.family;
                           std::erase(name, ' ');
                           return name;
                         });

}  // namespace
}  // namespace qv
