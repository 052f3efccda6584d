#pragma once
// Picking in the viewport by ray casting, with the matrices the last drawn frame left: the
// camera's view and projection, the back-buffer size, the handle matrices and every drawn
// model's world matrix.
#include <optional>

#include "scene/model.h"
#include "viewport/scene_renderer.h"

namespace qv {

struct Ray {
  CVector origin;
  CVector direction;  // not normalised: distances along it compare across objects
};

// The ray through client pixel (x, y) in the local space of an object drawn with world matrix W.
Ray ScreenRay(const SceneRenderer& renderer, int x, int y, const Matrix4& world);

// The handle part under the pixel for the scene's transform mode: 0, 1, 2 for the X, Y, Z part,
// 3 for the centre cube, -1 for none.
int PickHandle(const SceneRenderer& renderer, int x, int y);

// The distance to the first face of the model (in face order) that the pixel's ray hits;
// nothing when no face is hit.
std::optional<float> PickModel(const SceneRenderer& renderer, const CModel& model, int x, int y);

// With a valid selection, a handle part under the pixel is grabbed (m_axisLock) and true is
// returned. Otherwise the nearest visible model under the pixel becomes the selection with the
// centre locked (3) and its box outline rebuilt. False when nothing was hit: the selection
// stays.
bool PickAt(SceneRenderer& renderer, int x, int y);

}  // namespace qv
