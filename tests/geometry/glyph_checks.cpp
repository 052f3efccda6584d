#include "glyph_checks.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

namespace qv::testing {

namespace {

struct Segment {
  PointF a, b;
  int32_t contour, index;
};

int Orientation(const PointF& a, const PointF& b, const PointF& c) {
  double v = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
             (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
  return (v > 0) - (v < 0);
}

bool OnSegment(const PointF& p, const Segment& s) {
  return Orientation(s.a, s.b, p) == 0 && p.x >= std::min(s.a.x, s.b.x) && p.x <= std::max(s.a.x, s.b.x) &&
         p.y >= std::min(s.a.y, s.b.y) && p.y <= std::max(s.a.y, s.b.y);
}

}  // namespace

OutlineShape ShapeOf(const GlyphOutline& outline) {
  std::vector<Segment> segments;
  std::vector<int32_t> sizes;
  for (int32_t c = 0; c < outline.PolygonCount(); ++c) {
    const auto& points = outline.m_polygons[c]->m_points;
    const int32_t n = static_cast<int32_t>(points.size());
    sizes.push_back(n);
    for (int32_t i = 0; i < n; ++i) segments.push_back({points[i], points[(i + 1) % n], c, i});
  }
  // Sweep over x: only segments whose x ranges overlap are compared.
  auto minX = [](const Segment& s) { return std::min(s.a.x, s.b.x); };
  auto maxX = [](const Segment& s) { return std::max(s.a.x, s.b.x); };
  std::sort(segments.begin(), segments.end(), [&](const Segment& l, const Segment& r) { return minX(l) < minX(r); });
  bool touching = false;
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& s = segments[i];
    for (size_t j = i + 1; j < segments.size() && minX(segments[j]) <= maxX(s); ++j) {
      const Segment& t = segments[j];
      const bool sameContour = s.contour == t.contour;
      const int32_t n = sizes[s.contour];
      const bool adjacent = sameContour && ((s.index + 1) % n == t.index || (t.index + 1) % n == s.index);
      int o1 = Orientation(s.a, s.b, t.a), o2 = Orientation(s.a, s.b, t.b);
      int o3 = Orientation(t.a, t.b, s.a), o4 = Orientation(t.a, t.b, s.b);
      if (o1 * o2 < 0 && o3 * o4 < 0) return OutlineShape::kCrossing;
      if (adjacent) continue;
      // A point of one edge on the other edge: the outline touches itself there.
      if (OnSegment(t.a, s) || OnSegment(t.b, s) || OnSegment(s.a, t) || OnSegment(s.b, t)) touching = true;
    }
  }
  return touching ? OutlineShape::kTouching : OutlineShape::kSimple;
}

double RasterFilledArea(const std::vector<std::unique_ptr<OutlineContour>>& polygons) {
  static FT_Library library = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  constexpr double kScale = 1024.0;  // pixels per cell unit
  std::vector<FT_Vector> points;
  std::vector<char> tags;
  std::vector<short> ends;
  double minX = 1e30, minY = 1e30, maxX = -1e30, maxY = -1e30;
  for (const auto& polygon : polygons) {
    if (polygon->m_points.empty()) continue;
    for (const PointF& p : polygon->m_points) {
      minX = std::min(minX, double{p.x}), maxX = std::max(maxX, double{p.x});
      minY = std::min(minY, double{p.y}), maxY = std::max(maxY, double{p.y});
    }
  }
  if (minX > maxX) return 0;
  const double originX = std::floor(minX * kScale) - 1, originY = std::floor(minY * kScale) - 1;
  for (const auto& polygon : polygons) {
    if (polygon->m_points.empty()) continue;
    for (const PointF& p : polygon->m_points) {
      points.push_back({static_cast<FT_Pos>(std::llround((p.x * kScale - originX) * 64)),
                        static_cast<FT_Pos>(std::llround((p.y * kScale - originY) * 64))});
      tags.push_back(FT_CURVE_TAG_ON);
    }
    ends.push_back(static_cast<short>(points.size() - 1));
  }
  FT_Outline outline{};
  outline.n_points = static_cast<short>(points.size());
  outline.n_contours = static_cast<short>(ends.size());
  outline.points = points.data();
  outline.tags = tags.data();
  outline.contours = ends.data();
  outline.flags = FT_OUTLINE_NONE;  // nonzero winding
  const unsigned width = static_cast<unsigned>(std::ceil(maxX * kScale - originX)) + 2;
  const unsigned rows = static_cast<unsigned>(std::ceil(maxY * kScale - originY)) + 2;
  std::vector<unsigned char> pixels(size_t{width} * rows, 0);
  FT_Bitmap bitmap{};
  bitmap.width = width;
  bitmap.rows = rows;
  bitmap.pitch = static_cast<int>(width);
  bitmap.buffer = pixels.data();
  bitmap.num_grays = 256;
  bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
  if (FT_Outline_Get_Bitmap(library, &outline, &bitmap) != 0) return -1;
  double coverage = 0;
  for (unsigned char v : pixels) coverage += v;
  return coverage / 255.0 / (kScale * kScale);
}

std::vector<std::unique_ptr<OutlineContour>> CopyContours(const GlyphOutline& outline) {
  std::vector<std::unique_ptr<OutlineContour>> copy;
  for (const auto& polygon : outline.m_polygons) {
    copy.push_back(std::make_unique<OutlineContour>());
    copy.back()->m_points = polygon->m_points;
  }
  return copy;
}

int OpenEdges(const CModel& model) {
  std::map<std::tuple<float, float, float>, int32_t> ids;
  std::vector<int32_t> welded;
  for (const CVector& v : model.m_vertices)
    welded.push_back(ids.emplace(std::make_tuple(v.x, v.y, v.z), static_cast<int32_t>(ids.size())).first->second);
  // Runs from the lower to the higher vertex count +1, the other way -1.
  std::map<std::pair<int32_t, int32_t>, int> balance;
  for (const CFace& face : model.m_faces) {
    const size_t k = face.m_indices.size();
    for (size_t i = 0; i < k; ++i) {
      int32_t a = welded[face.m_indices[i]], b = welded[face.m_indices[(i + 1) % k]];
      if (a == b) continue;
      balance[{std::min(a, b), std::max(a, b)}] += a < b ? 1 : -1;
    }
  }
  int open = 0;
  for (const auto& [edge, surplus] : balance)
    if (surplus != 0) ++open;
  return open;
}

namespace {

std::vector<int32_t> Welded(const CModel& model) {
  std::map<std::tuple<float, float, float>, int32_t> ids;
  std::vector<int32_t> welded;
  welded.reserve(model.m_vertices.size());
  for (const CVector& v : model.m_vertices)
    welded.push_back(ids.emplace(std::make_tuple(v.x, v.y, v.z), static_cast<int32_t>(ids.size())).first->second);
  return welded;
}

}  // namespace

int EdgesNotSharedByTwo(const CModel& model) {
  const std::vector<int32_t> welded = Welded(model);
  struct Use {
    int faces = 0, balance = 0;
  };
  std::map<std::pair<int32_t, int32_t>, Use> uses;
  for (const CFace& face : model.m_faces) {
    const size_t k = face.m_indices.size();
    for (size_t i = 0; i < k; ++i) {
      int32_t a = welded[face.m_indices[i]], b = welded[face.m_indices[(i + 1) % k]];
      if (a == b) continue;
      Use& use = uses[{std::min(a, b), std::max(a, b)}];
      ++use.faces;
      use.balance += a < b ? 1 : -1;
    }
  }
  int bad = 0;
  for (const auto& [edge, use] : uses)
    if (use.faces != 2 || use.balance != 0) ++bad;
  return bad;
}

int FlatFaces(const CModel& model) {
  int flat = 0;
  for (const CFace& face : model.m_faces) {
    if (face.m_indices.size() != 3) continue;
    const CVector& a = model.m_vertices[face.m_indices[0]];
    const CVector& b = model.m_vertices[face.m_indices[1]];
    const CVector& c = model.m_vertices[face.m_indices[2]];
    const double ux = double{b.x} - a.x, uy = double{b.y} - a.y, uz = double{b.z} - a.z;
    const double wx = double{c.x} - a.x, wy = double{c.y} - a.y, wz = double{c.z} - a.z;
    const double nx = uy * wz - uz * wy, ny = uz * wx - ux * wz, nz = ux * wy - uy * wx;
    if (nx == 0 && ny == 0 && nz == 0) ++flat;
  }
  return flat;
}

}  // namespace qv::testing
