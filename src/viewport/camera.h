#pragma once
// The viewport camera: the scene's m_cameras[0] pose (position, rotation in degrees, scale as
// zoom), the mouse's camera steps, the follow target and the view and projection matrices.
#include <cstdint>
#include <functional>

#include "scene/matrix4.h"
#include "scene/scene.h"
#include "viewport/matrix_stack.h"
#include "viewport/shown_frame.h"

namespace qv {

inline constexpr float kCameraNear = 100.0f;
inline constexpr float kCameraFar = 10000.0f;
inline constexpr float kMinimumZoom = 0.01f;

// m_cameras[0], created with the reset pose if a scene has no camera at all.
CAnimation& CameraPose(Scene& scene);

// position += (dx, -dy, 0): screen right and up.
void PanCamera(Scene& scene, float dx, float dy);
// rotation += (dy, dx, 0), with dx mirrored while the camera is upside down (90 < |x| < 270),
// then the angles are brought into [-360, 360]. Returns the dx that was applied.
float OrbitCamera(Scene& scene, float dx, float dy);
// Every scale component += amount, then at least kMinimumZoom.
void ZoomCamera(Scene& scene, float amount);
void NormalizeCameraAngles(Scene& scene);

// The follow reset: while following, a selection other than the one the camera was last put in
// front of (no model counts too) puts the camera at x = 0, y = -100 and becomes that selection.
// Runs before the views are notified of a change, never while drawing. Returns whether it moved
// the camera.
bool ApplyFollowReset(Scene& scene);

// The view matrix for the camera pose and the follow state:
//   T(-target) · S(scale) · Rz · Ry · Rx · T(position)
// Following runs the follow walk that finds the shown selection's pivot (m_followTarget) at the
// shown frame. The camera pose itself is only read.
Matrix4 ComposeViewMatrix(Scene& scene, const ShownFrame& shown);
// As the editor shows the scene now.
inline Matrix4 ComposeViewMatrix(Scene& scene) { return ComposeViewMatrix(scene, EditorShownFrame(scene)); }

// Right-handed perspective of the scene's field of view (degrees) for a viewport of that size,
// near 100, far 10000, depth 0..1.
Matrix4 ProjectionMatrix(float fieldOfView, float viewportWidth, float viewportHeight);

// The follow walk over m_hierarchyWalk with scale-free matrices, the models posed at the shown
// frame. At the leave step of the shown selection, when it is visible, the top becomes T(pivot + position) · ancestors ·
// S(1 / camera scale); its fourth row goes to m_followTarget, `atSelected` (if any) runs with
// the stack and the model, and the walk ends. Returns whether the selected model was reached.
using FollowVisitor = std::function<void(MatrixStack& stack, CModel& model)>;
bool RunFollowWalk(Scene& scene, const ShownFrame& shown, MatrixStack& stack, const FollowVisitor& atSelected = {});

// The six fixed views of the main frame's camera commands. They keep the other position
// components and the scale.
enum class CameraView { kLeft, kTop, kFront, kRight, kBottom, kBack };
void ApplyCameraView(Scene& scene, CameraView view);

}  // namespace qv
