#pragma once
// Bounding box of a model and the outline drawn around the selected model.
#include <cstdint>

#include "scene/model.h"

namespace qv {

inline constexpr uint32_t kBoxOutlineColor = 0xFFFFFFFF;  // opaque white

// m_boundsMax / m_boundsMin: per-axis extremes of the vertices; ±100 without vertices.
void ComputeBounds(CModel& model);

// m_boxOutline: the twelve edges of the bounding box as 24 line vertices (normal (0, 0, 1),
// white), from the current m_boundsMax / m_boundsMin.
void BuildBoxOutline(CModel& model);

}  // namespace qv
