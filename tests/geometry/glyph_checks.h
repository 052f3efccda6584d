#pragma once
// Shared helpers of the text tests: installed fonts, outlines built by hand, areas and the
// shape checks of the real-font sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/glyph_outline.h"
#include "platform/platform_font.h"
#include "scene/model.h"

namespace qv::testing {

// An installed family, opened through the font services; null when it is missing.
inline std::unique_ptr<PlatformFont> InstalledFont(const char* family, int32_t weight = 400) {
  if (!IsFamilyInstalled(family)) return nullptr;
  return PlatformFont::Create(family, weight);
}

#define QV_REQUIRE_FONT(var, family)                                       \
  auto var = ::qv::testing::InstalledFont(family);                        \
  if (!var) GTEST_SKIP() << family << " is not installed (scripts/deps.sh)"

// A polygon from (x, y) pairs.
inline std::unique_ptr<OutlineContour> Polygon(std::initializer_list<PointF> points) {
  auto polygon = std::make_unique<OutlineContour>();
  for (const PointF& p : points) polygon->AddPoint(p.x, p.y);
  return polygon;
}

// An axis-aligned rectangle, counter-clockwise unless `clockwise`.
inline std::unique_ptr<OutlineContour> Rectangle(float x0, float y0, float x1, float y1, bool clockwise = false) {
  if (clockwise) return Polygon({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}});
  return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

inline double SignedArea(const std::vector<PointF>& points) {
  double area = 0;
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i) {
    const PointF& p = points[i];
    const PointF& q = points[(i + 1) % n];
    area += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
  }
  return area / 2;
}

// Area filled by an outline whose contours neither cross nor overlap: outer contours and holes
// run in opposite directions, so the signed areas add up to the filled area.
inline double FilledArea(const GlyphOutline& outline) {
  double area = 0;
  for (const auto& polygon : outline.m_polygons) area += SignedArea(polygon->m_points);
  return std::fabs(area);
}

// Area of a face seen with x right and y up, positive for the clockwise winding of text caps.
inline double CapFaceArea(const CModel& model, const CFace& face) {
  const CVector& a = model.m_vertices[face.m_indices[0]];
  const CVector& b = model.m_vertices[face.m_indices[1]];
  const CVector& c = model.m_vertices[face.m_indices[2]];
  return -((static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
           (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x)) /
         2;
}

struct CapAreas {
  double signedArea = 0;    // clockwise faces count positive, folded ones negative
  double coveredArea = 0;   // every face counts positive
};

inline CapAreas CapAreasOf(const CModel& model, size_t firstFace = 0, size_t endFace = SIZE_MAX) {
  CapAreas areas;
  for (size_t f = firstFace; f < std::min(endFace, model.m_faces.size()); ++f) {
    double a = CapFaceArea(model, model.m_faces[f]);
    areas.signedArea += a;
    areas.coveredArea += std::fabs(a);
  }
  return areas;
}

enum class OutlineShape { kSimple, kTouching, kCrossing };

// Whether the outline's contours cross (two edges properly intersect) or touch (a point lies on
// another edge or on a point that is not its neighbour): the cases where filled area and
// triangulation are not well defined.
OutlineShape ShapeOf(const GlyphOutline& outline);

// Area the contours fill under the nonzero winding rule, measured independently of the cap code
// by FreeType's anti-aliasing rasteriser at 1024 pixels per cell unit.
double RasterFilledArea(const std::vector<std::unique_ptr<OutlineContour>>& polygons);

// Copies of the contours (AddGlyphMesh rewrites them).
std::vector<std::unique_ptr<OutlineContour>> CopyContours(const GlyphOutline& outline);

// Edges of the solid, its vertices welded by position, that its faces do not run as often in one
// direction as in the other: 0 for a closed surface. Edges shared by four faces, two each way,
// pass this check; EdgesNotSharedByTwo below finds them.
int OpenEdges(const CModel& model);

// Edges of the solid, its vertices welded by position, that are not shared by exactly two faces
// running them in opposite directions: 0 for a closed surface without pinches, where no edge is
// the hinge of three or four faces and no face folds flat onto an edge of others.
int EdgesNotSharedByTwo(const CModel& model);

// Faces with three corners on one line (or fewer than three distinct corners).
int FlatFaces(const CModel& model);

// All face indices of the model are valid vertex indices.
inline bool IndicesValid(const CModel& model) {
  for (const CFace& face : model.m_faces)
    for (int32_t v : face.m_indices)
      if (v < 0 || v >= static_cast<int32_t>(model.m_vertices.size())) return false;
  return true;
}

}  // namespace qv::testing
