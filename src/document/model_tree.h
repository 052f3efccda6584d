#pragma once
// The model tree without widgets: one root row titled after the document, the models below it by
// their parent links, and what clicks, drops, rename, delete, show/hide and add-model do. The
// desktop program shows Rows() in a tree widget (always expanded) and forwards the user's gestures
// here; the rows are rebuilt from the scene on the document's changes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/motion_doc.h"

namespace qv {

enum class TreeItemKind { kRoot, kShownModel, kHiddenModel };

struct TreeRow {
  TreeItemKind kind = TreeItemKind::kRoot;
  int32_t model = 0;       // model index; 0 for the root
  int32_t depth = 0;       // 0 for the root, 1 for top-level models
  int32_t parentRow = -1;  // -1 for the root
  std::string label;       // UTF-8: the document title or the model's name
  // The item's image pair (normal, selected): 0/1 root, 2/3 shown, 4/5 hidden model.
  int32_t Image() const { return kind == TreeItemKind::kRoot ? 0 : kind == TreeItemKind::kShownModel ? 2 : 4; }
};


class ModelTreeModel : public DocumentView {
 public:
  // Attaches itself to the document and shows the root alone.
  explicit ModelTreeModel(CMotionDoc& document);
  ~ModelTreeModel() override;
  ModelTreeModel(const ModelTreeModel&) = delete;
  ModelTreeModel& operator=(const ModelTreeModel&) = delete;

  void OnUpdate(CMotionDoc& document, Change changes) override;

  // The rows in visible order (every item expanded).
  const std::vector<TreeRow>& Rows() const { return rows_; }
  int32_t SelectedRow() const { return selectedRow_; }  // -1: none
  // The row showing model `index`, or -1.
  int32_t RowOfModel(int32_t index) const;

  // Left button on a row: the root lets go of the selection (camera mouse mode); a model becomes
  // the selection (animation mouse mode) with its box outline.
  void Click(int32_t row);
  // Right button on a row: selects it; a model becomes the selection. The widget then opens the
  // context menu of the three model commands.
  void RightClick(int32_t row);
  // The keyboard moved the tree's selection: the commands act on that row, the scene's selection
  // stays.
  void SetSelectedRow(int32_t row) {
    if (row >= -1 && row < static_cast<int32_t>(rows_.size())) selectedRow_ = row;
  }

  // Whether the dragged row may be dropped on `target`: not on itself or a descendant.
  bool CanDrop(int32_t dragged, int32_t target) const;
  // Drops `dragged` on `target`: the root makes it top level, a model its parent; with Ctrl held
  // the hierarchy stays. Undo entries around it, kHierarchy, modified. False when refused.
  bool Drop(int32_t dragged, int32_t target, bool ctrlHeld);

  // 50000: the chosen .mqo file is imported (kModels, modified). False when it could not be read.
  bool AddModel(const std::string& path);
  // 50001: deletes the selected model; the others re-link to their parents by name.
  void DeleteSelected();
  // 50002 and the end of label editing: only a rename started by the command is taken. A name
  // another model has (any letter case) shows kSameNameMessage and changes nothing. Returns
  // whether the name was taken.
  void BeginRename() { renaming_ = true; }
  bool IsRenaming() const { return renaming_; }
  bool EndRename(std::string_view utf8Text);
  // 50003 on the selected row: a shown model hides (and lets go of the selection), a hidden one
  // shows (and becomes the selection). Not marked modified.
  void ToggleShown();

 private:
  void ShowRootOnly();
  void Rebuild();
  void InsertChildren(int32_t key, int32_t parentRow, int32_t depth);

  CMotionDoc& doc_;
  std::vector<TreeRow> rows_;
  int32_t selectedRow_ = -1;
  bool renaming_ = false;
};

}  // namespace qv
