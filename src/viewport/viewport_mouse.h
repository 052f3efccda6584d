#pragma once
// The viewport's mouse: button, motion and wheel events in client pixels become selection,
// handle grabs, pose changes of the selected model at the current frame and camera moves.
// The window toolkit only forwards its events here; capture, redraw, the control bar fields and
// the document's mouse mode, change notices and modified flag are reached through ViewportHost.
#include <cstdint>

#include "scene/scene.h"
#include "scene/changes.h"
#include "scene/vector.h"
#include "viewport/scene_renderer.h"

namespace qv {

enum class MouseButton { kLeft, kMiddle, kRight };

// Buttons and modifier keys held during a motion event.
struct MouseKeys {
  bool left = false;
  bool middle = false;
  bool right = false;
  bool control = false;
};

class ViewportHost {
 public:
  virtual ~ViewportHost() = default;
  virtual void CaptureMouse() {}
  virtual void ReleaseMouse() {}
  // Invalidate the viewport without erasing; the next paint draws the new state.
  virtual void Redraw() {}
  // The control bar's X, Y, Z fields.
  virtual void ShowValues(const CVector& values) { (void)values; }
  virtual int32_t MouseMode() const = 0;
  virtual void SetMouseMode(int32_t mode) = 0;
  // Tells every view of the document what changed.
  virtual void NotifyViews(Change changes) { (void)changes; }
  virtual void SetModified() {}
};

// What the control bar shows for the selected model's pose, or for the camera without a
// selection.
enum class ShownKind { kPosition, kRotation, kScale };
CVector ShownValue(Scene& scene, ShownKind kind);

class ViewportMouse {
 public:
  ViewportMouse(SceneRenderer& renderer, ViewportHost& host) : m_renderer(renderer), m_host(host) {}

  void OnButtonDown(MouseButton button, int x, int y);
  void OnButtonUp(MouseButton button, int x, int y);
  void OnMouseMove(int x, int y, const MouseKeys& keys);
  // `delta` is the signed wheel distance, 120 per notch.
  void OnWheel(int delta);

  int32_t m_leftDown = 0;
  int32_t m_middleDown = 0;
  int32_t m_rightDown = 0;
  int32_t m_lastX = 0;
  int32_t m_lastY = 0;
  float m_dx = 0;
  float m_dy = 0;

 private:
  void Manipulate(Scene& scene);
  bool AnyButtonDown() const { return m_leftDown || m_middleDown || m_rightDown; }

  SceneRenderer& m_renderer;
  ViewportHost& m_host;
};

}  // namespace qv
