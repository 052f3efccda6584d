// The model tree without widgets: rows from parent links, clicks, drops, delete, rename,
// show/hide.
#include <gtest/gtest.h>

#include "animation/undo.h"
#include "document/model_tree.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

class ModelTreeTest : public ::testing::Test {
 protected:
  // Parent (0) with children Child (1) and Leaf (3, under Child); Other (2) top level.
  void SetUp() override {
    testing::MakeAnimatedScene(scene(), {"Parent", "Child", "Other", "Leaf"});
    scene().m_models[1].m_parent = 0;
    scene().m_models[3].m_parent = 1;
    scene().RefreshParentNames();
    doc_.UpdateAllViews(Change::kDocument | Change::kModels);
  }
  Scene& scene() { return doc_.scene(); }
  std::vector<std::string> Labels() const {
    std::vector<std::string> labels;
    for (const TreeRow& row : tree_.Rows()) labels.push_back(std::string(row.depth, ' ') + row.label);
    return labels;
  }
  SilentInteraction ui_;
  CMotionDoc doc_{ui_};
  ModelTreeModel tree_{doc_};
};

TEST_F(ModelTreeTest, RowsFollowParentLinksAndClicksSelect) {
  EXPECT_EQ(Labels(), (std::vector<std::string>{"無題", " Parent", "  Child", "   Leaf", " Other"}));
  EXPECT_EQ(scene().m_hierarchyWalk.front(), (WalkStep{kWalkStart, 0}));
  EXPECT_TRUE(scene().m_models[0].m_hasChild);
  EXPECT_TRUE(scene().m_models[0].m_hasNextSibling);
  EXPECT_FALSE(scene().m_models[3].m_hasNextSibling);

  tree_.Click(3);
  EXPECT_EQ(scene().m_selectedModel, 3);
  EXPECT_EQ(doc_.m_mouseMode, 2);
  tree_.Click(0);
  EXPECT_EQ(scene().m_selectedModel, kNoModel);
  EXPECT_EQ(doc_.m_mouseMode, 0);
}

TEST_F(ModelTreeTest, TheHighlightFollowsTheScenesSelectionAfterEveryChange) {
  // Changes that keep the selection: the tree shows the scene's, as the viewport does.
  const Change kept[] = {Change::kCameraView, Change::kCamera,         Change::kSettings,       Change::kUndo,
                         Change::kGeometry,   Change::kAppearance,     Change::kLastFrame,      Change::kTransformMode,
                         Change::kSelection,  Change::kPoses,          Change::kFrames,         Change::kCurrentFrame,
                         Change::kFollow,     Change::kPlaybackStarted, Change::kPlaybackStopped};
  for (const Change changes : kept) {
    tree_.Click(3);                // Leaf
    scene().m_selectedModel = 2;  // then Other, picked elsewhere
    doc_.UpdateAllViews(changes);
    EXPECT_EQ(tree_.SelectedRow(), tree_.RowOfModel(2)) << static_cast<uint32_t>(changes);
  }
  // Changes that let go of the selection leave nothing highlighted.
  for (const Change changes : {Change::kDocument | Change::kModels, Change::kModels, Change::kHierarchy}) {
    tree_.Click(3);
    doc_.UpdateAllViews(changes);
    EXPECT_EQ(tree_.SelectedRow(), -1) << static_cast<uint32_t>(changes);
  }
}

TEST_F(ModelTreeTest, UndoAndRedoKeepTheHighlight) {
  tree_.Click(4);  // Other
  ASSERT_EQ(scene().m_selectedModel, 2);
  RecordUndoSelected(scene());
  scene().m_models[2].m_tracks[0][0].m_position.x += 5;
  RecordUndoSelected(scene());
  doc_.OnUndo();
  EXPECT_EQ(scene().m_selectedModel, 2);
  EXPECT_EQ(tree_.SelectedRow(), 4);
  doc_.OnRedo();
  EXPECT_EQ(tree_.SelectedRow(), 4);
}

TEST_F(ModelTreeTest, DropRules) {
  struct Case { int32_t dragged, target; bool ctrl, accepted; int32_t parent; const char* parentName; };
  const Case cases[] = {
      {2, 2, false, false, 0, "Parent"},        // Child on itself
      {2, 3, false, false, 0, "Parent"},        // on its own child
      {2, 0, true, true, 0, "Parent"},          // Ctrl keeps the hierarchy
      {2, 0, false, true, kNoModel, "<NULL>"},  // the root makes it top level
  };
  for (const Case& c : cases) {
    const int32_t model = tree_.Rows()[c.dragged].model;
    tree_.Click(c.dragged);
    EXPECT_EQ(tree_.Drop(c.dragged, c.target, c.ctrl), c.accepted) << c.dragged << "->" << c.target;
    EXPECT_EQ(scene().m_models[model].m_parent, c.parent);
    EXPECT_EQ(scene().m_models[model].m_parentName, c.parentName);
  }
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(scene().m_undoStack.size(), 4u);  // two entries per accepted drop
  // Rebuilt with Child at the top level, Leaf still below it.
  EXPECT_EQ(Labels(), (std::vector<std::string>{"無題", " Parent", " Child", "  Leaf", " Other"}));
}

TEST_F(ModelTreeTest, DeletingAParentRelinksByNameAndFreesTheChildren) {
  scene().m_models[2].m_parent = 3;  // Other under Leaf: its index moves when Parent goes
  scene().RefreshParentNames();
  doc_.UpdateAllViews(Change::kUndo);
  tree_.Click(tree_.RowOfModel(0));
  tree_.DeleteSelected();
  ASSERT_EQ(scene().m_models.size(), 3u);
  EXPECT_EQ(scene().m_models[0].m_parent, kNoModel);  // Child, freed
  EXPECT_EQ(scene().m_models[0].m_parentName, "<NULL>");
  EXPECT_EQ(scene().m_models[1].m_parent, 2);  // Other, still under Leaf
  EXPECT_EQ(scene().m_models[2].m_parent, 0);  // Leaf, still under Child
  EXPECT_EQ(scene().m_selectedModel, kNoModel);
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(ModelTreeTest, RenameOnlyAfterTheCommandAndNeverToAnotherModelsName) {
  tree_.Click(tree_.RowOfModel(2));
  EXPECT_FALSE(tree_.EndRename("Fresh"));  // not started by the command
  tree_.BeginRename();
  EXPECT_FALSE(tree_.EndRename("pARENT"));
  EXPECT_EQ(ui_.messages, std::vector<std::string>{kSameNameMessage});
  EXPECT_FALSE(doc_.IsModified());
  tree_.BeginRename();
  EXPECT_TRUE(tree_.EndRename("ロゴ"));
  EXPECT_EQ(tree_.Rows()[tree_.RowOfModel(2)].label, "ロゴ");
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(ModelTreeTest, HiddenModelsStayHiddenAcrossRebuilds) {
  tree_.Click(tree_.RowOfModel(2));
  tree_.ToggleShown();
  EXPECT_EQ(scene().m_models[2].m_visible, 0);
  EXPECT_EQ(scene().m_selectedModel, kNoModel);
  doc_.UpdateAllViews(Change::kUndo);
  const int32_t row = tree_.RowOfModel(2);
  EXPECT_EQ(tree_.Rows()[row].Image(), 4);
  tree_.SetSelectedRow(row);  // the keyboard: the commands follow the row, not the scene
  EXPECT_EQ(scene().m_selectedModel, kNoModel);
  tree_.ToggleShown();
  EXPECT_EQ(scene().m_models[2].m_visible, 1);
  EXPECT_EQ(scene().m_selectedModel, 2);
  EXPECT_FALSE(doc_.IsModified());
}

}  // namespace
}  // namespace qv
