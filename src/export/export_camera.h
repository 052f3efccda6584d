#pragma once
// The camera of an exported page: eye and target points from the inverse viewing matrix.
#include "scene/matrix4.h"
#include "scene/scene.h"

namespace qv {

// The inverse viewing matrix the page starts from: the scene's m_inverseView as the viewport
// last drew it; when no viewport has drawn yet (command line), the inverse of the view the
// viewport would compose from the camera pose, with following off.
Matrix4 ExportInverseView(const Scene& scene);

struct ExportCameraPoints {
  CVector eye;
  CVector target;
};

// The eye is the fourth row (the camera position); the target lies 100 units along the third
// column, with its z term subtracted. Single precision, as the viewport computes.
ExportCameraPoints CameraPointsFromInverseView(const Matrix4& inverseView);

}  // namespace qv
