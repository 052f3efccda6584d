#include "scene/hierarchy_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

std::vector<CModel> ModelsWithParents(const std::vector<int32_t>& parents) {
  std::vector<CModel> models(parents.size());
  for (size_t i = 0; i < parents.size(); ++i) models[i].m_parent = parents[i];
  return models;
}

using Steps = std::vector<WalkStep>;

TEST(HierarchyWalk, Examples) {
  struct Case {
    const char* name;
    std::vector<int32_t> parents;
    Steps walk;
  };
  const int32_t top = kNoModel;
  const Case cases[] = {
      {"no models", {}, {}},
      {"one model", {top}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {"child of the first", {top, 0}, {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 0}, {3, 1}}},
      {"two top-level", {top, top}, {{0, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 1}, {3, 1}}},
      // 0 > 1 > 2, then 3 at the top: leaving 2 leaves 1 and 0 as well.
      {"back to the top", {top, 0, 1, top},
       {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {2, 2}, {2, 1}, {2, 0}, {1, 3}, {2, 3}, {3, 3}}},
      // 0 > 1 > 2 and 0 > 3: after 2 only 1 is left before entering its sibling 3.
      {"back to an ancestor", {top, 0, 1, 0},
       {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {2, 2}, {2, 1}, {1, 3}, {2, 3}, {2, 0}, {3, 3}}},
      // A child with a lower index than its parent is still visited after it.
      {"child before parent", {1, top}, {{0, 0}, {1, 1}, {1, 0}, {2, 0}, {2, 1}, {3, 0}}},
      // 2's parent does not exist; 3 hangs below 2; 4 and 5 form a cycle; 6 is its own parent.
      {"unreachable models", {top, 0, 99, 2, 5, 4, 6, -1}, {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 0}, {3, 1}}},
      {"nothing reachable", {1, 0}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildHierarchyWalk(ModelsWithParents(c.parents)), c.walk) << c.name;
}

TEST(HierarchyWalk, VisitOrderIsDepthFirstByIndex) {
  const int32_t top = kNoModel;
  EXPECT_EQ(HierarchyVisitOrder(ModelsWithParents({top, 3, 0, top, 0, 2})), (std::vector<int32_t>{0, 2, 5, 4, 3, 1}));
}

// Every enter has its leave, properly nested, and each reachable model is entered once.
TEST(HierarchyWalk, DeepChainIsBalanced) {
  std::vector<int32_t> parents(20000);
  parents[0] = kNoModel;
  for (size_t i = 1; i < parents.size(); ++i) parents[i] = static_cast<int32_t>(i - 1);
  const Steps walk = BuildHierarchyWalk(ModelsWithParents(parents));
  ASSERT_EQ(walk.size(), 2 * parents.size() + 2);
  std::vector<int32_t> open;
  for (size_t s = 1; s + 1 < walk.size(); ++s) {
    if (walk[s].kind == kWalkEnter) {
      open.push_back(walk[s].model);
    } else {
      ASSERT_EQ(walk[s].kind, kWalkLeave);
      ASSERT_FALSE(open.empty());
      ASSERT_EQ(open.back(), walk[s].model);
      open.pop_back();
    }
  }
  EXPECT_TRUE(open.empty());
  EXPECT_EQ(walk.back(), (WalkStep{kWalkEnd, 19999}));
}

TEST(HierarchyWalk, RebuildReplacesTheScenesWalk) {
  Scene scene;
  scene.m_hierarchyWalk = {{1, 7}};
  scene.m_models = ModelsWithParents({kNoModel});
  RebuildHierarchyWalk(scene);
  EXPECT_EQ(scene.m_hierarchyWalk, (Steps{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
  scene.m_models.clear();
  RebuildHierarchyWalk(scene);
  EXPECT_TRUE(scene.m_hierarchyWalk.empty());
}

}  // namespace
}  // namespace qv
