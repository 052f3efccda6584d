#pragma once
// Derived geometry of models: one include for the whole set of services.
//   normals.h          face normals, smoothing records, corner normals
//   vertex_array.h     the drawn-vertex array grouped by material
//   bounds.h           bounding box and selection outline
//   track_fit.h        tracks fitted to the animations and frame range
//   pose_steps.h       rotation and scale steps of a pose
//   export_matrices.h  the export's per-frame matrix cache
// Material lighting lives with the material (scene/material.h: UpdateLighting).
#include "geometry/bounds.h"
#include "geometry/export_matrices.h"
#include "geometry/normals.h"
#include "geometry/pose_steps.h"
#include "geometry/track_fit.h"
#include "geometry/vertex_array.h"

namespace qv {

// The full rebuild after a load, an import or a text creation: smoothing records, vertex array,
// bounds and box outline.
void RebuildModelGeometry(CModel& model, size_t materialCount);

}  // namespace qv
