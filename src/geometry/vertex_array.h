#pragma once
// The per-model array of drawn vertices (MeshVertex, 32 bytes), grouped by material.
#include <cstddef>

#include "scene/model.h"

namespace qv {

// Computes the corner normals, then fills model.m_meshVertices and m_trianglesPerMaterial:
// for each material index c in ascending order, the faces of material c in face order; a
// triangle writes corners 0, 1, 2, a quadrilateral 0, 1, 2 and 2, 3, 0. Each vertex has the
// position of its vertex, the corner normal and the corner's texture coordinates ((0, 0) when the
// face has fewer). m_trianglesPerMaterial gets `materialCount` entries, so the renderer draws
// m_trianglesPerMaterial[c] triangles per material from consecutive positions.
// Not written: faces of other sizes, faces whose material index is outside [0, materialCount),
// and faces with a vertex index outside the model's vertices. A corner without a corner record
// (smoothing records not rebuilt since the face changed) takes the face normal.
// Only the CPU array is built; uploading it is the viewport's job (m_vertexBuffer).
void BuildVertexArray(CModel& model, size_t materialCount);

// Number of vertices a face contributes: 3 for a triangle, 6 for a quadrilateral, else 0.
size_t DrawnVertexCount(const CFace& face);

}  // namespace qv
