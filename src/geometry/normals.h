#pragma once
// Face normals, smoothing records and corner normals of a model.
//
// These decide which faces share a smooth normal, so they follow fixed single-precision rules:
// vectors are normalised with a double-precision length taken from the single-precision sum of
// squares, and two faces share a normal at a vertex when (float)acos(double(float dot)) is below
// the smoothing angle in radians (float). A zero vector normalises to (0, 1, 0).
#include "scene/face.h"
#include "scene/model.h"
#include "scene/vector.h"

namespace qv {

// Corners at a vertex used by more faces than this are shaded flat: smoothing them would take
// time and memory growing with the square of the count. Real meshes stay far below it.
inline constexpr size_t kMaxSmoothedFacesPerVertex = 256;


// v / |v| with the rule above; (0, 1, 0) when the length is 0 (or not a number).
CVector NormalizeOrUp(const CVector& v);

// (p0 - p1) x (p0 - p2), normalised, from the face's first three vertices (a face with fewer
// indices repeats its last one). (0, 1, 0) for a degenerate face, a face without indices or one
// with an index outside the model's vertices.
CVector FaceNormal(const CModel& model, const CFace& face);

// m_normal of every face.
void ComputeFaceNormals(CModel& model);

// Whether two faces with normals of dot product `dot` (float) meet at less than `angleRadians`:
// (float)acos(double(dot)) < angleRadians, with dot clamped to [-1, 1] first so that rounding
// just past 1 still counts as parallel. Reference form of the test the smoothing rebuild uses.
bool FacesShareNormal(float dot, float angleRadians);

// Decides FacesShareNormal for one angle by a single comparison with a precomputed threshold:
// the smallest float dot product that passes. Identical results, without an acos per pair.
class SmoothingThreshold {
 public:
  explicit SmoothingThreshold(float angleRadians);
  bool Shares(float dot) const { return dot >= m_minDot; }  // false for NaN
  float MinDot() const { return m_minDot; }

 private:
  float m_minDot;
};

// Vertex records (the faces using each vertex, ascending), face normals and every corner's face
// list: the corner's own face and the faces at its vertex whose normals make an angle below the
// model's m_smoothingAngle (degrees) with it. A model without faces only gets vertex records.
// Face indices outside the model's vertices are left out of the vertex records; such a corner
// lists only its own face. Corner normals are left for ComputeCornerNormals.
void RebuildSmoothingRecords(CModel& model);

// Every corner's normal: the normalised sum of the normals of the faces in its list, in order
// ((0, 1, 0) for a zero sum).
void ComputeCornerNormals(CModel& model);

}  // namespace qv
