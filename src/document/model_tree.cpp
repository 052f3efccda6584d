#include "document/model_tree.h"

#include "animation/undo.h"
#include "geometry/bounds.h"
#include "geometry/import_mqo.h"
#include "platform/text_codec.h"
#include "scene/hierarchy_walk.h"

namespace qv {

ModelTreeModel::ModelTreeModel(CMotionDoc& document) : doc_(document) {
  ShowRootOnly();
  doc_.AddView(this);
}

ModelTreeModel::~ModelTreeModel() { doc_.RemoveView(this); }

void ModelTreeModel::ShowRootOnly() {
  rows_.assign(1, TreeRow{TreeItemKind::kRoot, 0, 0, -1, doc_.Title()});
  selectedRow_ = -1;
}

void ModelTreeModel::InsertChildren(int32_t key, int32_t parentRow, int32_t depth) {
  Scene& scene = doc_.scene();
  for (int32_t i = 0; i < static_cast<int32_t>(scene.m_models.size()); ++i) {
    CModel& model = scene.m_models[i];
    if (model.m_treeMark || model.m_parent != key) continue;
    model.m_treeMark = 1;
    const TreeItemKind kind = model.m_visible == 1 ? TreeItemKind::kShownModel : TreeItemKind::kHiddenModel;
    rows_.push_back(TreeRow{kind, i, depth, parentRow, Cp932ToUtf8(model.m_name)});
    InsertChildren(i, static_cast<int32_t>(rows_.size()) - 1, depth + 1);
  }
}

void ModelTreeModel::Rebuild() {
  Scene& scene = doc_.scene();
  ShowRootOnly();
  for (CModel& model : scene.m_models) model.m_treeMark = 0;
  InsertChildren(kNoModel, 0, 1);
  RebuildHierarchyWalk(scene);
  // Child and next-sibling flags, as the renderer's walk expects them.
  for (size_t r = 1; r < rows_.size(); ++r) {
    CModel& model = scene.m_models[rows_[r].model];
    model.m_hasChild = r + 1 < rows_.size() && rows_[r + 1].parentRow == static_cast<int32_t>(r);
    model.m_hasNextSibling = false;
    for (size_t next = r + 1; next < rows_.size() && rows_[next].depth >= rows_[r].depth; ++next)
      if (rows_[next].parentRow == rows_[r].parentRow) {
        model.m_hasNextSibling = true;
        break;
      }
  }
}

int32_t ModelTreeModel::RowOfModel(int32_t index) const {
  for (size_t r = 1; r < rows_.size(); ++r)
    if (rows_[r].model == index) return static_cast<int32_t>(r);
  return -1;
}

void ModelTreeModel::OnUpdate(CMotionDoc&, Change changes) {
  if (changes == Change::kDocument) {
    ShowRootOnly();  // a new document
  } else if (Has(changes, Change::kModels | Change::kHierarchy)) {
    doc_.scene().m_selectedModel = kNoModel;
    Rebuild();
  } else if (Has(changes, Change::kCamera | Change::kSettings | Change::kUndo)) {
    Rebuild();
  }
  // Whatever changed, the tree shows the scene's selection (after an undo too), as the
  // viewport does.
  if (doc_.scene().HasValidSelection())
    if (const int32_t row = RowOfModel(doc_.scene().m_selectedModel); row >= 0) selectedRow_ = row;
}

void ModelTreeModel::Click(int32_t row) {
  if (row < 0 || row >= static_cast<int32_t>(rows_.size())) return;
  selectedRow_ = row;
  Scene& scene = doc_.scene();
  if (rows_[row].kind == TreeItemKind::kRoot) {
    doc_.m_mouseMode = kMouseCamera;
    scene.m_selectedModel = kNoModel;
    doc_.UpdateAllViews(Change::kSelection);
    return;
  }
  doc_.m_mouseMode = kMouseAnimation;
  doc_.UpdateAllViews(Change::kSelection);
  scene.m_selectedModel = rows_[row].model;
  BuildBoxOutline(scene.m_models[rows_[row].model]);
  doc_.UpdateAllViews(Change::kSelection);
}

void ModelTreeModel::RightClick(int32_t row) {
  if (row < 0 || row >= static_cast<int32_t>(rows_.size())) return;
  selectedRow_ = row;
  if (rows_[row].kind != TreeItemKind::kRoot) doc_.scene().m_selectedModel = rows_[row].model;
  doc_.UpdateAllViews(Change::kSelection);
}

bool ModelTreeModel::CanDrop(int32_t dragged, int32_t target) const {
  const int32_t count = static_cast<int32_t>(rows_.size());
  if (dragged <= 0 || dragged >= count || target < 0 || target >= count) return false;
  for (int32_t row = target; row >= 0; row = rows_[row].parentRow)
    if (row == dragged) return false;  // itself or one of its descendants
  return true;
}

bool ModelTreeModel::Drop(int32_t dragged, int32_t target, bool ctrlHeld) {
  if (!CanDrop(dragged, target)) return false;
  Scene& scene = doc_.scene();
  RecordUndoSelected(scene);
  if (!ctrlHeld) {
    CModel& model = scene.m_models[rows_[dragged].model];
    if (rows_[target].kind == TreeItemKind::kRoot) {
      model.m_parent = kNoModel;
      model.m_parentName = kNoParentName;
    } else {
      model.m_parent = rows_[target].model;
      model.m_parentName = scene.m_models[rows_[target].model].m_name;
    }
  }
  RecordUndoSelected(scene);
  doc_.UpdateAllViews(Change::kHierarchy);
  doc_.SetModifiedFlag();
  return true;
}

bool ModelTreeModel::AddModel(const std::string& path) {
  Scene& scene = doc_.scene();
  MqoImportOptions options;
  options.showMessage = [this](const std::string& text) { doc_.ui().ShowMessage(text); };
  options.programFolder = doc_.m_programFolder;
  const MqoImportResult result = ImportMQO(scene, path, options);
  if (!result.opened) return false;
  ClearHistory(scene, true);
  scene.RefreshParentNames();
  scene.m_selectedModel = kNoModel;
  doc_.UpdateAllViews(Change::kModels);
  doc_.SetModifiedFlag();
  return true;
}

void ModelTreeModel::DeleteSelected() {
  Scene& scene = doc_.scene();
  if (!scene.HasValidSelection()) return;
  scene.RefreshParentNames();
  scene.m_models.erase(scene.m_models.begin() + scene.m_selectedModel);
  scene.m_selectedModel = kNoModel;
  // Indices moved: parents are found again by name.
  for (CModel& model : scene.m_models) {
    int32_t found = kNoModel;
    if (model.m_parent >= 0) {
      for (int32_t i = 0; i < static_cast<int32_t>(scene.m_models.size()); ++i)
        if (EqualsNoCase(scene.m_models[i].m_name, model.m_parentName)) {
          found = i;
          break;
        }
    }
    model.m_parent = found;
    model.m_parentName = found == kNoModel ? std::string(kNoParentName) : scene.m_models[found].m_name;
  }
  ClearHistory(scene, true);
  if (scene.m_models.empty()) scene.m_animationNames.assign(1, kDefaultAnimationName);
  doc_.UpdateAllViews(Change::kModels);
  doc_.SetModifiedFlag();
  selectedRow_ = -1;
}

bool ModelTreeModel::EndRename(std::string_view utf8Text) {
  const bool renaming = renaming_;
  renaming_ = false;
  Scene& scene = doc_.scene();
  if (!renaming || utf8Text.empty() || !scene.HasValidSelection()) return false;
  const std::string name = Utf8ToCp932(utf8Text);
  for (int32_t i = 0; i < static_cast<int32_t>(scene.m_models.size()); ++i)
    if (i != scene.m_selectedModel && EqualsNoCase(scene.m_models[i].m_name, name)) {
      doc_.ui().ShowMessage(kSameNameMessage);
      return false;
    }
  scene.m_models[scene.m_selectedModel].m_name = name;
  if (const int32_t row = RowOfModel(scene.m_selectedModel); row >= 0) rows_[row].label = Cp932ToUtf8(name);
  scene.RefreshParentNames();
  doc_.SetModifiedFlag();
  return true;
}

void ModelTreeModel::ToggleShown() {
  if (selectedRow_ <= 0 || selectedRow_ >= static_cast<int32_t>(rows_.size())) return;
  Scene& scene = doc_.scene();
  TreeRow& row = rows_[selectedRow_];
  CModel& model = scene.m_models[row.model];
  if (row.kind == TreeItemKind::kShownModel) {
    scene.m_selectedModel = kNoModel;
    model.m_visible = 0;
    row.kind = TreeItemKind::kHiddenModel;
  } else {
    scene.m_selectedModel = row.model;
    model.m_visible = 1;
    row.kind = TreeItemKind::kShownModel;
  }
  doc_.UpdateAllViews(Change::kSelection);
}

}  // namespace qv
