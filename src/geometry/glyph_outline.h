#pragma once
// GlyphOutline: one character's outline as closed polygons, read from the font's native outline
// records with curves flattened, and turned into the flat front cap of a text model: contours
// oriented, holes bridged into their surrounding contour, every part triangulated.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/outline_contour.h"

namespace qv {

struct CModel;
class PlatformFont;

class GlyphOutline {
 public:
  GlyphOutline() = default;
  GlyphOutline(GlyphOutline&&) = default;
  GlyphOutline& operator=(GlyphOutline&&) = default;
  virtual ~GlyphOutline() = default;

  // The outline of a character (a Unicode code point) with every quadratic curve cut into
  // `subdivisions` straight steps. False, with no polygons, for a character the font lacks or
  // one without contours (a space).
  bool ReadGlyph(PlatformFont& font, uint32_t charCode, int32_t subdivisions);
  // The same for a glyph by its id in the font (as the shaper gives them).
  bool ReadGlyphById(PlatformFont& font, uint32_t glyph, int32_t subdivisions);
  // The same from a buffer of native outline records (platform/native_outline.h).
  bool ReadRecords(const uint8_t* records, size_t size, int32_t subdivisions);

  // Whether the first point of polygon j lies inside polygon k's boundary (its index list, so
  // holes joined to it count as boundary).
  bool Contains(int32_t k, int32_t j) const;
  // The number of the first polygon having an edge that meets the segment between position b
  // of polygon f's index list and position a of polygon e's, or -1 when the segment is free.
  int32_t FindBlockingEdge(int32_t f, int32_t b, int32_t e, int32_t a) const;
  // Appends the triangulated front cap to the model at z = 0, shifted by xOffset, its faces
  // wound clockwise (x right, y up) with the given material. Always true.
  bool AddGlyphMesh(CModel& model, float xOffset, int32_t material);
  // The two halves of AddGlyphMesh. PrepareMesh does the work (orientation, union of crossing
  // contours, holes joined, every part triangulated) and touches nothing but this outline, so
  // the outlines of a text can be prepared side by side; AppendMesh then adds the cap to the
  // model.
  void PrepareMesh();
  void AppendMesh(CModel& model, float xOffset, int32_t material) const;
  // PrepareMesh's first half, for an outline wanted as contours rather than a cap: repeated
  // points and empty contours dropped, crossing contours united, every contour counter-clockwise
  // and apart from the others.
  void PrepareContours();
  // After PrepareContours: contours inside an odd number of others (holes) turned clockwise, so
  // that every contour has the glyph's area on its left.
  void TurnHolesClockwise();
  // Appends the contours' points to the model at z = 0 (no faces) and each contour, as a ring of
  // their vertex numbers, to `contours`.
  void AppendContours(CModel& model, std::vector<std::vector<int32_t>>& contours) const;
  // PrepareMesh for contours already simple and apart (none crosses, touches or overlaps another,
  // as offset rings are): each is turned counter-clockwise by its area and no point is moved, so
  // the triangles' corners are exactly the points given.
  void PrepareSeparateContours();

  int32_t PolygonCount() const { return static_cast<int32_t>(m_polygons.size()); }

  std::vector<std::unique_ptr<OutlineContour>> m_polygons;

 private:
  void Join(int32_t j, int32_t b, int32_t d, int32_t a);
  bool JoinOneHole();
  void JoinHolesAndTriangulate();

  mutable std::vector<int8_t> m_marks;  // scratch of Contains
  // United contours (many holes in one part) join each hole by its shortest free bridge.
  bool m_shortBridges = false;
};

// How far the pen moves after a character: (A + B + C) / 2048; 0 for a character the font lacks.
float CharacterAdvance(PlatformFont& font, uint32_t charCode);

}  // namespace qv
