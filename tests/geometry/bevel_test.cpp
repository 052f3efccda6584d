// Bevelled text: the solid is closed, its cap is the outline drawn in by the width, its sections
// through the bevel are simple rings at the profile's inset and through the walls the outline
// itself. The expectations come from the glyph's own outline offset by a Clipper call of the
// test's, never from the bevel code.
#include <gtest/gtest.h>

#include <polyclipping/clipper.hpp>

#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <string>

#include "geometry/bevel_profile.h"
#include "geometry/glyph_outline.h"
#include "geometry/text_model.h"
#include "glyph_checks.h"
#include "platform/font_catalog.h"
#include "scene/model.h"
#include "scene/scene.h"

namespace qv {
namespace {

constexpr float kSize = 100.0f;
constexpr double kGrid = 65536.0;  // test grid steps per model unit

// The glyph's filled area (nonzero) drawn in by `inset` model units, as the test computes it:
// FreeType's contours at the font size, united, then offset with round joins of fine arcs.
double InsetArea(const GlyphOutline& glyph, double inset) {
  ClipperLib::Paths paths;
  for (const auto& polygon : glyph.m_polygons) {
    ClipperLib::Path path;
    for (const PointF& p : polygon->m_points)
      path.emplace_back(std::llround(p.x * kSize * kGrid), std::llround(p.y * kSize * kGrid));
    paths.push_back(path);
  }
  ClipperLib::Paths united;
  ClipperLib::SimplifyPolygons(paths, united, ClipperLib::pftNonZero);
  if (inset > 0) {
    ClipperLib::ClipperOffset offset(2.0, inset * kGrid * 1e-3);
    offset.AddPaths(united, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths drawnIn;
    offset.Execute(drawnIn, -inset * kGrid);
    united = drawnIn;
  }
  double area = 0;
  for (const auto& path : united) area += ClipperLib::Area(path);
  return area / (kGrid * kGrid);
}

// The profile as the bevel is described: quarter circle or straight line, in equal steps, read
// at a rise above the wall's end by linear interpolation between its steps.
double ProfileInsetAt(const BevelParameters& bevel, double rise) {
  double lastInset = 0, lastRise = 0;
  for (int k = 1; k <= bevel.segments; ++k) {
    const double t = std::numbers::pi / 2 * k / bevel.segments;
    const double inset = bevel.shape == BevelShape::kRound ? bevel.width * (1 - std::cos(t)) : bevel.width * k / bevel.segments;
    const double r = bevel.shape == BevelShape::kRound ? bevel.depth * std::sin(t) : bevel.depth * k / bevel.segments;
    if (rise <= r) return lastInset + (inset - lastInset) * (rise - lastRise) / (r - lastRise);
    lastInset = inset, lastRise = r;
  }
  return bevel.width;
}

// The rise of the first profile step above `rise`.
double NextStepRise(const BevelParameters& bevel, double rise) {
  for (int k = 1; k <= bevel.segments; ++k) {
    const double t = std::numbers::pi / 2 * k / bevel.segments;
    const double r = bevel.shape == BevelShape::kRound ? bevel.depth * std::sin(t) : bevel.depth * k / bevel.segments;
    if (r > rise) return r;
  }
  return bevel.depth;
}

// Front cap: the faces lying wholly at the front face's height, by their area.
double CapArea(const CModel& model, float front) {
  double area = 0;
  for (const CFace& face : model.m_faces) {
    bool atFront = true;
    for (int32_t v : face.m_indices) atFront = atFront && model.m_vertices[v].z == front;
    if (atFront && face.m_indices.size() == 3) area += std::fabs(testing::CapFaceArea(model, face));
  }
  return area;
}

struct Section {
  double area = 0;        // enclosed, the rings' orientation taken from the faces
  int openEnds = 0;       // ends of section segments not met by exactly one other segment
  int crossings = 0;      // pairs of segments that cross or touch away from a shared end
  size_t segments = 0;
};

// The solid cut by the plane at height z (no vertex may lie on it).
Section SectionAt(const CModel& model, float z) {
  struct Segment {
    std::pair<int32_t, int32_t> from, to;  // the edges the ends lie on
    double ax, ay, bx, by;
  };
  auto crossing = [&](int32_t a, int32_t b, double& x, double& y) {
    if (a > b) std::swap(a, b);  // the same point from both faces of an edge
    const CVector& p = model.m_vertices[a];
    const CVector& q = model.m_vertices[b];
    const double t = (double{z} - p.z) / (double{q.z} - p.z);
    x = p.x + t * (double{q.x} - p.x);
    y = p.y + t * (double{q.y} - p.y);
  };
  std::vector<Segment> segments;
  for (const CFace& face : model.m_faces) {
    const size_t n = face.m_indices.size();
    Segment s{};
    int ends = 0;
    for (size_t i = 0; i < n; ++i) {
      const int32_t a = face.m_indices[i], b = face.m_indices[(i + 1) % n];
      const bool aBelow = model.m_vertices[a].z < z, bBelow = model.m_vertices[b].z < z;
      if (aBelow == bBelow) continue;
      const std::pair<int32_t, int32_t> edge{std::min(a, b), std::max(a, b)};
      if (aBelow) {
        s.from = edge;
        crossing(a, b, s.ax, s.ay);
      } else {
        s.to = edge;
        crossing(a, b, s.bx, s.by);
      }
      ++ends;
    }
    if (ends == 2) segments.push_back(s);
  }
  Section section;
  section.segments = segments.size();
  std::map<std::pair<int32_t, int32_t>, int> starts, finishes;
  for (const Segment& s : segments) {
    section.area += (s.ax * s.by - s.bx * s.ay) / 2;
    ++starts[s.from];
    ++finishes[s.to];
  }
  section.area = std::fabs(section.area);
  for (const auto& [edge, count] : starts)
    if (count != 1 || finishes[edge] != 1) ++section.openEnds;
  for (const auto& [edge, count] : finishes)
    if (count != 1 || starts[edge] != 1) ++section.openEnds;
  auto orient = [](double ax, double ay, double bx, double by, double cx, double cy) {
    const double v = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    return (v > 0) - (v < 0);
  };
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    for (size_t j = i + 1; j < segments.size(); ++j) {
      const Segment& t = segments[j];
      if (s.to == t.from || t.to == s.from) continue;  // neighbours in a ring
      if (std::max(s.ax, s.bx) < std::min(t.ax, t.bx) || std::max(t.ax, t.bx) < std::min(s.ax, s.bx) ||
          std::max(s.ay, s.by) < std::min(t.ay, t.by) || std::max(t.ay, t.by) < std::min(s.ay, s.by))
        continue;
      const int o1 = orient(s.ax, s.ay, s.bx, s.by, t.ax, t.ay), o2 = orient(s.ax, s.ay, s.bx, s.by, t.bx, t.by);
      const int o3 = orient(t.ax, t.ay, t.bx, t.by, s.ax, s.ay), o4 = orient(t.ax, t.ay, t.bx, t.by, s.bx, s.by);
      if (o1 * o2 <= 0 && o3 * o4 <= 0 && !(o1 == 0 && o2 == 0)) ++section.crossings;
    }
  }
  return section;
}

double SignedVolume(const CModel& model) {
  double volume = 0;
  for (const CFace& face : model.m_faces) {
    const CVector& a = model.m_vertices[face.m_indices[0]];
    for (size_t i = 1; i + 1 < face.m_indices.size(); ++i) {
      const CVector& b = model.m_vertices[face.m_indices[i]];
      const CVector& c = model.m_vertices[face.m_indices[i + 1]];
      volume += (double{a.x} * (double{b.y} * c.z - double{b.z} * c.y) - double{a.y} * (double{b.x} * c.z - double{b.z} * c.x) +
                 double{a.z} * (double{b.x} * c.y - double{b.y} * c.x)) / 6;
    }
  }
  return volume;
}

struct BevelCase {
  const char* name;
  const char* family;
  int32_t weight;
  char32_t character;
  float width;
  float depth = 6.0f;
  float thickness = 40.0f;
  BevelShape shape = BevelShape::kRound;
  int32_t segments = 4;
  bool strokesReachEveryStep = true;  // no stroke is thinner than twice the cut's next step
};

class BevelledGlyph : public ::testing::TestWithParam<BevelCase> {};

TEST_P(BevelledGlyph, ClosedSolidWithTheOutlineDrawnInAlongTheProfile) {
  const BevelCase& c = GetParam();
  auto font = testing::InstalledFont(c.family, c.weight);
  if (!font || font->Family() != c.family) GTEST_SKIP() << c.family << " is not installed (scripts/deps.sh)";
  TextParameters p;
  p.fontSize = kSize;
  p.thickness = c.thickness;
  p.bevel = {c.width, c.depth, c.segments, c.shape};
  CModel model;
  ASSERT_TRUE(BuildTextMesh(*font, std::u32string(1, c.character), p, 0, model));
  ASSERT_FALSE(model.m_faces.empty());
  GlyphOutline glyph;
  ASSERT_TRUE(glyph.ReadGlyph(*font, c.character, p.subdivisions));

  EXPECT_EQ(testing::OpenEdges(model), 0);
  EXPECT_EQ(testing::EdgesNotSharedByTwo(model), 0);
  CModel flat;
  ASSERT_TRUE(BuildTextMesh(*font, std::u32string(1, c.character), p.subdivisions, kSize, c.thickness, 0, flat));
  EXPECT_GT(SignedVolume(model) * SignedVolume(flat), 0) << "the solid is turned inside out";
  EXPECT_LT(std::fabs(SignedVolume(model)), std::fabs(SignedVolume(flat)));

  const double outline = InsetArea(glyph, 0);
  // The cap is the outline drawn in by the width (nothing where every stroke is thinner than
  // twice the width).
  const double cap = InsetArea(glyph, c.width);
  EXPECT_NEAR(CapArea(model, c.thickness / 2), cap, 0.01 * outline) << "cap " << cap << " of " << outline;

  // Half-way through the front bevel: simple rings at the profile's inset there. A stroke too
  // thin to reach the next step ends flat at the last step it reaches, below the cut: the cut
  // then lies between the outline drawn in to the next step and the outline at the inset.
  const Section half = SectionAt(model, c.thickness / 2 - c.depth / 2);
  const double inset = ProfileInsetAt(p.bevel, c.depth / 2);
  EXPECT_EQ(half.openEnds, 0);
  EXPECT_EQ(half.crossings, 0);
  if (c.strokesReachEveryStep) {
    EXPECT_NEAR(half.area, InsetArea(glyph, inset), 0.01 * outline) << "inset " << inset;
  } else {
    EXPECT_LE(half.area, InsetArea(glyph, inset) + 0.01 * outline) << "inset " << inset;
    EXPECT_GE(half.area, InsetArea(glyph, ProfileInsetAt(p.bevel, NextStepRise(p.bevel, c.depth / 2))) - 0.01 * outline);
  }
  // The same half-way through the back bevel.
  const Section backHalf = SectionAt(model, -c.thickness / 2 + c.depth / 2);
  EXPECT_EQ(backHalf.openEnds, 0);
  EXPECT_EQ(backHalf.crossings, 0);
  EXPECT_NEAR(backHalf.area, half.area, 1e-6 * outline);

  // Through the middle: the outline itself (the walls, or the edge where the bevels meet).
  const Section middle = SectionAt(model, c.depth * 2 < c.thickness ? 0.0f : -c.thickness / 2 + c.depth / 4);
  EXPECT_EQ(middle.openEnds, 0);
  EXPECT_EQ(middle.crossings, 0);
  if (c.depth * 2 < c.thickness) {
    EXPECT_NEAR(middle.area, outline, 1e-4 * outline);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Glyphs, BevelledGlyph,
    ::testing::Values(
        // Width 1.5 is a thin bevel; 8 is past half of these strokes, whose drawn-in outlines
        // lose parts or vanish.
        BevelCase{"ThinI", "DejaVu Sans", 400, U'I', 1.5f}, BevelCase{"WideI", "DejaVu Sans", 400, U'I', 8.0f},
        BevelCase{"ThinL", "DejaVu Sans", 400, U'L', 1.5f}, BevelCase{"WideL", "DejaVu Sans", 400, U'L', 8.0f},
        BevelCase{"ThinO", "DejaVu Sans", 400, U'O', 1.5f}, BevelCase{"WideO", "DejaVu Sans", 400, U'O', 8.0f},
        BevelCase{"ThinB", "DejaVu Sans", 400, U'B', 1.5f}, BevelCase{"WideB", "DejaVu Sans", 400, U'B', 8.0f},
        // Strokes drawn across each other and a stroke looping through itself.
        BevelCase{"ThinBrushShin", "KouzanBrushFont", 400, U'信', 1.5f},
        BevelCase{"WideBrushShin", "KouzanBrushFont", 400, U'信', 8.0f, 6.0f, 40.0f, BevelShape::kRound, 4, false},
        BevelCase{"ThinBrushWi", "KouzanBrushFont", 400, U'ゐ', 1.5f},
        BevelCase{"WideBrushWi", "KouzanBrushFont", 400, U'ゐ', 8.0f, 6.0f, 40.0f, BevelShape::kRound, 4, false},
        // Pixel squares meeting only at their corners.
        BevelCase{"ThinPixelMe", "MisakiGothic", 400, U'メ', 1.5f},
        BevelCase{"WidePixelMe", "MisakiGothic", 400, U'メ', 8.0f},
        BevelCase{"ThinPixelA", "MisakiGothic", 400, U'あ', 1.5f},
        BevelCase{"WidePixelA", "MisakiGothic", 400, U'あ', 8.0f},
        // Synthetic bold grows strokes into each other.
        BevelCase{"ThinSyntheticBold", "IPAexMincho", 700, U'永', 1.5f},
        BevelCase{"WideSyntheticBold", "IPAexMincho", 700, U'永', 8.0f},
        // Islands inside holes inside islands: each contour's side is its depth of nesting.
        BevelCase{"NestedSquares", "IPAGothic", 400, U'回', 1.5f},
        BevelCase{"NestedRings", "IPAGothic", 400, U'◎', 1.5f},
        // A straight chamfer of three steps, one step, and a slab that is all bevel (no walls).
        BevelCase{"ChamferO", "DejaVu Sans", 400, U'O', 3.0f, 6.0f, 40.0f, BevelShape::kChamfer, 3},
        BevelCase{"OneSegmentB", "DejaVu Sans", 400, U'B', 3.0f, 6.0f, 40.0f, BevelShape::kRound, 1},
        BevelCase{"NoWallsO", "DejaVu Sans", 400, U'O', 3.0f, 6.0f, 12.0f},
        BevelCase{"NoWallsBrush", "KouzanBrushFont", 400, U'信', 8.0f, 5.0f, 10.0f, BevelShape::kRound, 32}),
    [](const ::testing::TestParamInfo<BevelCase>& info) { return std::string(info.param.name); });

// The face limit is checked against the estimate before anything is made, bands included: a
// limit the flat text keeps below refuses the same text bevelled.
TEST(BevelledText, FaceEstimateCountsTheBands) {
  auto font = testing::InstalledFont("DejaVu Sans");
  if (!font) GTEST_SKIP() << "DejaVu Sans is not installed";
  TextParameters p;
  CModel flat;
  ASSERT_TRUE(BuildTextMesh(*font, U"BO", p, 0, flat));
  const int64_t limit = 3 * static_cast<int64_t>(flat.m_faces.size());
  CModel again;
  EXPECT_TRUE(BuildTextMesh(*font, U"BO", p, 0, again, nullptr, limit));
  p.bevel = {2.0f, 2.0f, 4, BevelShape::kRound};
  CModel bevelled;
  EXPECT_FALSE(BuildTextMesh(*font, U"BO", p, 0, bevelled, nullptr, limit));
  EXPECT_TRUE(bevelled.m_faces.empty());
  EXPECT_TRUE(BuildTextMesh(*font, U"BO", p, 0, bevelled));
  EXPECT_LT(static_cast<int64_t>(bevelled.m_faces.size()), 19 * static_cast<int64_t>(flat.m_faces.size()) / 3);
}

TEST(BevelledText, ParametersAreHeldToTheirRanges) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    BevelParameters given;
    float thickness;
    BevelParameters held;
  } cases[] = {
      {{-1.0f, 2.0f, 4, BevelShape::kRound}, 10.0f, {0.0f, 2.0f, 4, BevelShape::kRound}},
      {{nan, nan, 4, BevelShape::kChamfer}, 10.0f, {0.0f, 0.0f, 4, BevelShape::kChamfer}},
      {{1.0f, 8.0f, 0, BevelShape::kRound}, 10.0f, {1.0f, 5.0f, 1, BevelShape::kRound}},
      {{1.0f, -3.0f, 99, BevelShape::kRound}, 10.0f, {1.0f, 0.0f, kMaxBevelSegments, BevelShape::kRound}},
  };
  for (const Case& c : cases) {
    const BevelParameters held = ClampBevel(c.given, c.thickness);
    EXPECT_EQ(held.width, c.held.width);
    EXPECT_EQ(held.depth, c.held.depth);
    EXPECT_EQ(held.segments, c.held.segments);
    EXPECT_EQ(held.shape, c.held.shape);
  }
  EXPECT_FALSE(HasBevel({0.0f, 2.0f, 4, BevelShape::kRound}));
  EXPECT_FALSE(HasBevel({2.0f, 0.0f, 4, BevelShape::kRound}));
  EXPECT_TRUE(HasBevel({2.0f, 2.0f, 4, BevelShape::kRound}));
  // The profile ends exactly at the width and depth; one segment is a straight cut.
  const std::vector<BevelStep> round = BevelProfile({3.0f, 2.0f, 4, BevelShape::kRound});
  ASSERT_EQ(round.size(), 5u);
  EXPECT_EQ(round.front().inset, 0.0);
  EXPECT_EQ(round.back().inset, 3.0);
  EXPECT_EQ(round.back().rise, 2.0);
  EXPECT_NEAR(round[2].inset, 3.0 * (1 - std::sqrt(0.5)), 1e-12);
  EXPECT_NEAR(round[2].rise, 2.0 * std::sqrt(0.5), 1e-12);
  EXPECT_EQ(BevelProfile({3.0f, 2.0f, 1, BevelShape::kRound}).size(), 2u);
}

// A model made with the bevel on goes through CreateTextModel's clamping: a depth beyond half
// the thickness makes a slab with no walls rather than one deeper than it is thick.
TEST(BevelledText, CreateTextModelHoldsTheDepthToHalfTheThickness) {
  if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  Scene scene;
  TextParameters p;
  p.fontName = "DejaVu Sans";
  p.text = "O";
  p.thickness = 10.0f;
  p.bevel = {2.0f, 50.0f, 4, BevelShape::kRound};
  const int32_t index = CreateTextModel(scene, p);
  ASSERT_GE(index, 0);
  const CModel& model = scene.m_models[index];
  EXPECT_FLOAT_EQ(model.m_boundsMin.z, -5.0f);
  EXPECT_FLOAT_EQ(model.m_boundsMax.z, 5.0f);
  EXPECT_EQ(testing::EdgesNotSharedByTwo(model), 0);
  // A wall has edges straight along the thickness.
  for (const CFace& face : model.m_faces)
    for (size_t i = 0; i < face.m_indices.size(); ++i) {
      const CVector& a = model.m_vertices[face.m_indices[i]];
      const CVector& b = model.m_vertices[face.m_indices[(i + 1) % face.m_indices.size()]];
      EXPECT_FALSE(a.x == b.x && a.y == b.y) << "a wall where there is none";
    }
}

}  // namespace
}  // namespace qv
