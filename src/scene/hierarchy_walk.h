#pragma once
// The hierarchy walk: the models' parent links flattened into enter/leave steps.
//
// Models are visited depth first, parents before children, children in model-index order,
// starting from the top-level models (m_parent == kNoModel). A model whose parent chain does not
// reach the top level (a parent index out of range, a cycle) is not visited and is absent from
// the walk. The walk is: (kWalkStart, 0), then for every visited model (kWalkEnter, i), with
// (kWalkLeave, i) once the model and its descendants are done, then (kWalkEnd, last visited).
#include <cstdint>
#include <vector>

#include "scene/model.h"
#include "scene/scene.h"

namespace qv {

// The visiting order: the order of the model tree's items.
std::vector<int32_t> HierarchyVisitOrder(const std::vector<CModel>& models);

// The walk of `models`; empty when no model is visited.
std::vector<WalkStep> BuildHierarchyWalk(const std::vector<CModel>& models);

// Rebuilds scene.m_hierarchyWalk from the scene's models.
void RebuildHierarchyWalk(Scene& scene);

}  // namespace qv
