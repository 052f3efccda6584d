#pragma once
// The per-frame matrices of an export: for every animation, model and frame, the model's local
// pose matrix followed by those of its parents up to the top level, gathered along the scene's
// hierarchy walk into each model's m_exportMatrices.
#include <cstddef>

#include "scene/matrix4.h"
#include "scene/scene.h"

namespace qv {

// Refills every model's m_exportMatrices: one list per animation of m_animationNames, as long as
// the model's track of that animation (empty when it has none). The walk runs once per frame
// and stores every model's matrix at its leave step. A parent whose track is shorter than the
// frame being computed holds its last pose (the identity pose when its track is empty); a model
// the walk does not reach keeps empty entries. The pivot of each model is `scale` times its
// m_origin.
void FillExportMatrices(Scene& scene, float scale);

// The matrix written for `model` at (animation, frame): the stored one; past the end of the
// model's list (a shorter track), the list's last; the identity when that one was never stored
// (a model the walk does not reach) or the list is empty. Never reads past a list.
Matrix4 WrittenExportMatrix(const CModel& model, size_t animation, size_t frame);

// The number of frames written for an animation: as many as the first model holds (0 without
// models or without that track).
size_t WrittenFrameCount(const Scene& scene, size_t animation);

}  // namespace qv
