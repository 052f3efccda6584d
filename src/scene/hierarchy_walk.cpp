#include "scene/hierarchy_walk.h"

#include <cstddef>

namespace qv {

namespace {

bool IsModelIndex(const std::vector<CModel>& models, int32_t i) {
  return i >= 0 && static_cast<size_t>(i) < models.size();
}

}  // namespace

std::vector<int32_t> HierarchyVisitOrder(const std::vector<CModel>& models) {
  const size_t n = models.size();
  // Children of every model in index order, as one flat list per parent (counting sort), so the
  // walk stays linear however the models are linked.
  std::vector<size_t> firstChild(n + 1, 0);
  std::vector<int32_t> topLevel;
  for (size_t i = 0; i < n; ++i) {
    const int32_t p = models[i].m_parent;
    if (p == kNoModel)
      topLevel.push_back(static_cast<int32_t>(i));
    else if (IsModelIndex(models, p))
      ++firstChild[p + 1];
  }
  for (size_t i = 0; i < n; ++i) firstChild[i + 1] += firstChild[i];
  std::vector<int32_t> children(firstChild[n]);
  std::vector<size_t> fill(firstChild.begin(), firstChild.end() - 1);
  for (size_t i = 0; i < n; ++i) {
    const int32_t p = models[i].m_parent;
    if (p != kNoModel && IsModelIndex(models, p)) children[fill[p]++] = static_cast<int32_t>(i);
  }

  // Depth-first pre-order with an explicit stack (deep chains must not exhaust the call stack).
  // Each stack entry is a range of sibling indices still to visit.
  struct Range {
    const int32_t* next;
    const int32_t* end;
  };
  std::vector<int32_t> order;
  order.reserve(n);
  std::vector<char> visited(n, 0);
  std::vector<Range> stack;
  stack.push_back({topLevel.data(), topLevel.data() + topLevel.size()});
  while (!stack.empty()) {
    Range& top = stack.back();
    if (top.next == top.end) {
      stack.pop_back();
      continue;
    }
    const int32_t i = *top.next++;
    if (visited[i]) continue;
    visited[i] = 1;
    order.push_back(i);
    stack.push_back({children.data() + firstChild[i], children.data() + firstChild[i + 1]});
  }
  return order;
}

std::vector<WalkStep> BuildHierarchyWalk(const std::vector<CModel>& models) {
  std::vector<WalkStep> walk;
  const std::vector<int32_t> order = HierarchyVisitOrder(models);
  if (order.empty()) return walk;
  walk.reserve(order.size() * 2 + 2);

  // Every visited model's parent chain consists of visited models and ends at kNoModel, so the
  // upward loops below always end.
  auto parentOf = [&](int32_t i) { return models[i].m_parent; };
  walk.push_back({kWalkStart, 0});
  int32_t c = 0;
  int32_t b = 0;
  for (size_t t = 0; t < order.size(); ++t) {
    c = order[t];
    b = parentOf(c);
    walk.push_back({kWalkEnter, c});
    if (t + 1 == order.size()) break;
    const int32_t p = parentOf(order[t + 1]);
    if (p == b) {
      walk.push_back({kWalkLeave, c});  // the next model is a sibling
    } else if (p != c) {
      // The next model belongs to an ancestor further up: leave c and the ancestors below it.
      walk.push_back({kWalkLeave, c});
      while (IsModelIndex(models, b)) {
        walk.push_back({kWalkLeave, b});
        b = parentOf(b);
        if (b == p) break;
      }
    }
    // p == c: the next model is c's first child; c stays entered.
  }
  walk.push_back({kWalkLeave, c});
  while (IsModelIndex(models, b)) {
    walk.push_back({kWalkLeave, b});
    b = parentOf(b);
  }
  walk.push_back({kWalkEnd, c});
  return walk;
}

void RebuildHierarchyWalk(Scene& scene) { scene.m_hierarchyWalk = BuildHierarchyWalk(scene.m_models); }

}  // namespace qv
