#include "export/export_camera.h"

#include "animation/pose_matrix.h"
#include "viewport/view_math.h"

namespace qv {

Matrix4 ExportInverseView(const Scene& scene) {
  if (scene.m_inverseViewValid) return scene.m_inverseView;
  const CAnimation camera = scene.m_cameras.empty() ? DefaultCameraPose() : scene.m_cameras[0];
  // The same product as the viewport's, the follow target being the origin.
  const CVector target{0, 0, 0};
  const CVector& r = camera.m_rotation;
  const Matrix4 view = TranslationMatrix(-target) * ScalingMatrix(camera.m_scale) *
                       RotationZMatrix(r.z * kDegreesToRadians) * RotationYMatrix(r.y * kDegreesToRadians) *
                       RotationXMatrix(r.x * kDegreesToRadians) * TranslationMatrix(camera.m_position);
  return vmath::InverseOrIdentity(view);
}

ExportCameraPoints CameraPointsFromInverseView(const Matrix4& inverseView) {
  const auto& m = inverseView.m;
  ExportCameraPoints points;
  points.eye = {m[3][0], m[3][1], m[3][2]};
  points.target = {points.eye.x + 100.0f * m[0][2], points.eye.y + 100.0f * m[1][2], points.eye.z - 100.0f * m[2][2]};
  return points;
}

}  // namespace qv
