#pragma once
// One closed contour of a glyph outline and its triangulation. The contour is triangulated by
// repeatedly cutting off its sharpest corner; a point that lies inside the corner's triangle
// splits the polygon along the diagonal to it instead, so holes joined by bridge edges (whose
// point numbers repeat) need no special treatment.
#include <cstdint>
#include <memory>
#include <vector>

namespace qv {

struct PointF {
  float x = 0.0f;
  float y = 0.0f;
  bool operator==(const PointF&) const = default;
};

// Point numbers of a OutlineContour.
class Indices {
 public:
  Indices() = default;
  // 0, 1, ..., n - 1.
  explicit Indices(int32_t n);
  virtual ~Indices() = default;

  void Add(int32_t entry) { m_entries.push_back(entry); }
  int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
  int32_t operator[](int32_t i) const { return m_entries[i]; }

  std::vector<int32_t> m_entries;
};

// Three point numbers, counter-clockwise.
struct Triangle {
  int32_t a = 0, b = 0, c = 0;
  bool operator==(const Triangle&) const = default;
};

class OutlineContour {
 public:
  virtual ~OutlineContour() = default;

  void AddPoint(float x, float y) { m_points.push_back({x, y}); }
  int32_t PointCount() const { return static_cast<int32_t>(m_points.size()); }

  // Whether the points, in order, turn counter-clockwise (x right, y up).
  bool IsCounterClockwise() const;
  void Reverse();
  // Fills m_triangles from the index list (0 ... n - 1 when there is none yet) and returns the
  // number of triangles, each counter-clockwise. Lists of fewer than three entries give none.
  int32_t Triangulate();

  std::vector<PointF> m_points;
  std::unique_ptr<Indices> m_indices;
  std::vector<Triangle> m_triangles;  // held by value: a glyph makes thousands
};

// Angle of the corner at position i of `list` (radians, 0 to 2π; reflex corners above π).
float CornerAngle(const std::vector<PointF>& points, const std::vector<int32_t>& list, int32_t i);

}  // namespace qv
