#pragma once
// The export's per-animation, per-frame matrix cache of a model (m_exportMatrices).
// Each entry is an owned copy; entries not set yet are null.
#include <cstddef>

#include "scene/matrix4.h"
#include "scene/model.h"

namespace qv {

// Resizes the cache to `animations` lists (surplus lists and their matrices are freed).
void ResizeExportMatrixLists(CModel& model, size_t animations);
// Resizes list `animation` to `frames` entries; false when there is no such list.
bool ResizeExportMatrices(CModel& model, size_t animation, size_t frames);
// Stores a newly allocated copy of `matrix` at (animation, frame), replacing any previous one;
// false (nothing stored) when the entry does not exist.
bool SetExportMatrix(CModel& model, size_t animation, size_t frame, const Matrix4& matrix);
// The stored matrix, or null when the entry does not exist or has not been set.
const Matrix4* ExportMatrix(const CModel& model, size_t animation, size_t frame);
// Frees every matrix and empties the cache.
void FreeExportMatrices(CModel& model);

// Poses the model's track of `animation` holds (0 when it has no such track).
size_t TrackLength(const CModel& model, size_t animation);
// The pose a model shows at a frame: past the end of a short track its last pose holds; without a
// track it stands at the identity.
CAnimation PoseAt(const CModel& model, size_t animation, size_t frame);

}  // namespace qv
