#pragma once
// Three-float vector and texture coordinate pair of the scene.
#include <cmath>

namespace qv {

class CArchive;

struct CVector {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr CVector() = default;
  constexpr CVector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  void Serialize(CArchive& ar);

  constexpr CVector operator+(const CVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
  constexpr CVector operator-(const CVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
  constexpr CVector operator-() const { return {-x, -y, -z}; }
  constexpr CVector operator*(float s) const { return {x * s, y * s, z * s}; }
  CVector& operator+=(const CVector& o) { x += o.x; y += o.y; z += o.z; return *this; }
  CVector& operator-=(const CVector& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
  constexpr bool operator==(const CVector& o) const = default;
};
static_assert(sizeof(CVector) == 12, "CVector is read and written as three packed floats");

constexpr float Dot(const CVector& a, const CVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr CVector Cross(const CVector& a, const CVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct CUV {
  float u = 0.0f;
  float v = 0.0f;
  void Serialize(CArchive& ar);
  constexpr bool operator==(const CUV& o) const = default;
};
static_assert(sizeof(CUV) == 8);

// Degrees to radians, with the single-precision factor used everywhere in the scene.
constexpr float kDegreesToRadians = 0.017453292f;

}  // namespace qv
