#pragma once
// A pose as glTF node transforms. glTF nodes apply scale, then rotation, then translation to
// column vectors; our pose matrix T(-c) * S * R * T(position + c) (row vectors) therefore becomes
// an outer node with translation position + c, the rotation R and the scale, holding an inner node
// with the translation -c that carries the mesh and the child models.
#include <array>

#include "scene/matrix4.h"
#include "scene/pose.h"
#include "scene/vector.h"

namespace qv {

struct NodeTransform {
  std::array<float, 3> translation{0, 0, 0};
  std::array<float, 4> rotation{0, 0, 0, 1};  // unit quaternion x, y, z, w
  std::array<float, 3> scale{1, 1, 1};
};

// The unit quaternion of PoseRotationMatrix(degrees): z turned first, then x, then y.
std::array<float, 4> PoseQuaternion(const CVector& degrees);

// The outer node's transform for a pose about the pivot. Values that are not finite numbers
// (which glTF cannot hold) become 0 in the translation, 1 in the scale and no rotation.
NodeTransform OuterNodeTransform(const CAnimation& pose, const CVector& pivot);

// `q`, or its negation when that is nearer to `previous`: consecutive samples then never take
// the long way round between two frames.
std::array<float, 4> NearestQuaternion(const std::array<float, 4>& q, const std::array<float, 4>& previous);

// T * R * S as a row-vector matrix (the transpose of the glTF node matrix).
Matrix4 NodeMatrix(const NodeTransform& t);

}  // namespace qv
