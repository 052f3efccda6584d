#include "viewport/viewport_mouse.h"

#include "animation/undo.h"
#include "animation/pose_steps.h"
#include "scene/changes.h"
#include "viewport/camera.h"
#include "viewport/current_pose.h"
#include "viewport/picking.h"

namespace qv {

CVector ShownValue(Scene& scene, ShownKind kind) {
  const CAnimation* pose = nullptr;
  if (CModel* model = scene.SelectedModel()) pose = CurrentPoseOf(scene, *model);
  if (!scene.HasValidSelection()) pose = &CameraPose(scene);
  if (!pose) return {0, 0, 0};
  switch (kind) {
    case ShownKind::kPosition: return pose->m_position;
    case ShownKind::kRotation: return pose->m_rotation;
    case ShownKind::kScale: return pose->m_scale;
  }
  return {0, 0, 0};
}

void ViewportMouse::OnButtonDown(MouseButton button, int x, int y) {
  if (!AnyButtonDown()) m_host.CaptureMouse();
  Scene& scene = m_renderer.DrawnScene();
  switch (button) {
    case MouseButton::kLeft:
      m_leftDown = 1;
      m_lastX = x;
      m_lastY = y;
      RecordUndoSelected(scene);
      if (m_rightDown) return;
      if (PickAt(m_renderer, x, y)) {
        // A pick switches the mouse to manipulating models; the second entry describes the
        // model that is now selected.
        m_host.SetMouseMode(kMouseAnimation);
        m_host.NotifyViews(Change::kSelection);
        RecordUndoSelected(scene);
      }
      break;
    case MouseButton::kRight:
      m_rightDown = 1;
      m_lastX = x;
      m_lastY = y;
      RecordUndoSelected(scene);
      break;
    case MouseButton::kMiddle:
      m_middleDown = 1;
      m_lastX = x;
      m_lastY = y;
      break;
  }
}

void ViewportMouse::OnButtonUp(MouseButton button, int, int) {
  switch (button) {
    case MouseButton::kLeft:
      if (!m_rightDown && !m_middleDown) m_host.ReleaseMouse();
      m_leftDown = 0;
      break;
    case MouseButton::kRight:
      if (!m_leftDown && !m_middleDown) m_host.ReleaseMouse();
      m_rightDown = 0;
      break;
    case MouseButton::kMiddle:
      if (!m_leftDown && !m_rightDown) m_host.ReleaseMouse();
      m_middleDown = 0;
      break;
  }
}

void ViewportMouse::OnWheel(int delta) {
  Scene& scene = m_renderer.DrawnScene();
  ZoomCamera(scene, static_cast<float>(static_cast<int16_t>(delta)) / 500.0f);
  m_host.ShowValues(ShownValue(scene, ShownKind::kScale));
  m_host.Redraw();
}

void ViewportMouse::OnMouseMove(int x, int y, const MouseKeys& keys) {
  Scene& scene = m_renderer.DrawnScene();
  m_dx = static_cast<float>(x - m_lastX);
  m_dy = static_cast<float>(y - m_lastY);
  const int32_t mouseMode = m_host.MouseMode();
  if (keys.left && keys.right) {
    ZoomCamera(scene, (m_dx - m_dy) / 200.0f);
    m_host.ShowValues(ShownValue(scene, ShownKind::kPosition));
    m_host.Redraw();
  } else if (keys.control && keys.right) {
    m_dx = OrbitCamera(scene, m_dx, m_dy);
    m_host.ShowValues(CameraPose(scene).m_rotation);
    m_host.Redraw();
  } else if ((keys.control && keys.left) || keys.middle) {
    PanCamera(scene, m_dx, m_dy);
    m_host.ShowValues(ShownValue(scene, ShownKind::kPosition));
    m_host.Redraw();
  } else if (mouseMode == kMouseCamera && keys.left) {
    PanCamera(scene, m_dx, m_dy);
    m_host.ShowValues(ShownValue(scene, ShownKind::kPosition));
    m_host.Redraw();
  } else if (mouseMode == kMouseAnimation && keys.left) {
    Manipulate(scene);
    m_host.Redraw();
    m_host.SetModified();
  } else if (mouseMode == kMouseModel && keys.left) {
    m_host.Redraw();
    m_host.SetModified();
  } else if (keys.right) {
    m_dx = OrbitCamera(scene, m_dx, m_dy);
    m_host.ShowValues(CameraPose(scene).m_rotation);
    m_host.Redraw();
  }
  m_lastX = x;
  m_lastY = y;
}

// The pixel step becomes a change of the selected model's pose at the current frame (or of the
// camera without a selection), for the grabbed handle part and the enabled axes.
void ViewportMouse::Manipulate(Scene& scene) {
  const float dx = m_dx, dy = m_dy;
  const int mode = scene.m_transformMode;
  const int part = scene.m_axisLock;
  CVector delta{0, 0, 0};
  if (mode == 0) {
    if (part == 0) delta.x = dx - dy;
    if (part == 1) delta.y = dx - dy;
    if (part == 2) delta.z = dx + dy;
    if (part == 3) {
      // Along the screen plane: the view's first two columns are its right and up directions.
      const Matrix4& v = m_renderer.m_view;
      delta = {dx * v.m[0][0] - dy * v.m[0][1], dx * v.m[1][0] - dy * v.m[1][1], dx * v.m[2][0] - dy * v.m[2][1]};
    }
  } else if (mode == 1) {
    if (part == 0) delta.x = (dx + dy) * 0.5f;
    if (part == 1) delta.y = (dx - dy) * 0.5f;
    if (part == 2) delta.z = (dy - dx) * 0.5f;
    if (part == 3) delta = {dy * 0.5f, dx * 0.5f, 0};
  } else if (mode == 2) {
    const float step = (dx - dy) / 20.0f;
    if (part == 0) delta.x = step;
    if (part == 1) delta.y = step;
    if (part == 2) delta.z = step;
    if (part == 3) delta = {step, step, step};
  }
  if (!scene.m_axisEnabledX) delta.x = 0;
  if (!scene.m_axisEnabledY) delta.y = 0;
  if (!scene.m_axisEnabledZ) delta.z = 0;

  CAnimation* pose = nullptr;
  if (CModel* model = scene.SelectedModel()) {
    pose = CurrentPoseOf(scene, *model);
    if (!pose) return;  // no pose at this frame: nothing to change
  }
  if (pose) {
    if (mode == 0) {
      pose->m_position += delta;
      m_host.ShowValues(pose->m_position);
    } else if (mode == 1) {
      AddToRotation(*pose, delta.x, delta.y, delta.z);
      m_host.ShowValues(pose->m_rotation);
    } else if (mode == 2) {
      AddToScale(*pose, delta.x, delta.y, delta.z);
      m_host.ShowValues(pose->m_scale);
    }
    return;
  }
  CAnimation& camera = CameraPose(scene);
  if (mode == 0) {
    camera.m_position += delta;
    m_host.ShowValues(camera.m_position);
  } else if (mode == 1) {
    camera.m_rotation += delta;  // without the orbit's angle normalisation
    m_host.ShowValues(camera.m_rotation);
  } else if (mode == 2) {
    m_host.ShowValues({0, 0, 0});
  }
}

}  // namespace qv
