#pragma once
// Derived geometry of models: one include for the whole set of services.
//   normals.h          face normals, smoothing records, corner normals
//   vertex_array.h     the drawn-vertex array grouped by material
//   bounds.h           bounding box and selection outline
// Material lighting lives with the material (scene/material.h: UpdateLighting).
#include "geometry/bounds.h"
#include "geometry/normals.h"
#include "geometry/vertex_array.h"

namespace qv {

// The full rebuild after a load, an import or a text creation: smoothing records, vertex array,
// bounds and box outline.
void RebuildModelGeometry(CModel& model, size_t materialCount);

}  // namespace qv
