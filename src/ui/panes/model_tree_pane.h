#pragma once
// The model tree pane: the document's ModelTreeModel shown in a tree widget, always expanded,
// with the item images, the context menu of the model commands and their accelerators (Alt+X
// add, Alt+Delete delete, Alt+Z rename, Alt+M show or hide), in-place rename after the rename
// command only, and re-parenting by dragging a model onto another item (Ctrl held: the hierarchy
// stays). The drag follows the mouse itself (no drag and drop session), so the cursor tells at
// every move whether the drop would be taken.
#include <QString>
#include <QTreeWidget>
#include <vector>

#include "document/model_tree.h"
#include "ui/panes/pane_images.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;

namespace qv::ui {

class LabelEditDelegate;

class ModelTreePane : public QTreeWidget, public DocumentView {
  Q_OBJECT
 public:
  ModelTreePane(CMotionDoc& document, QWidget* parent = nullptr);
  ~ModelTreePane() override;

  void OnUpdate(CMotionDoc& document, Change changes) override;

  ModelTreeModel& treeModel() { return model_; }
  // The widget item of a row of the model, or null.
  QTreeWidgetItem* ItemOfRow(int row) const;
  int RowOfItem(const QTreeWidgetItem* item) const;
  // The context menu of a model item (delete, rename, show or hide).
  QMenu* ContextMenu() const { return menu_; }
  bool IsDragging() const { return dragging_; }
  // The cursor shown over the tree while dragging.
  DropCursor ShownDropCursor() const { return shownCursor_; }

  // The model commands.
  void AddModel();      // the .mqo file dialog, then the import
  void DeleteModel();   // the selected model; children become top level
  void RenameModel();   // starts editing the selected model's label
  void ToggleShown();   // hides a shown model, shows a hidden one

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void Refill();
  int RowAt(const QPoint& viewportPos) const;
  void SetDropTarget(int row);
  void ShowDropCursor(const QPoint& viewportPos, bool ctrlHeld);
  void EndDrag();
  void FinishRename();
  QAction* CommandOfKey(const QKeyEvent* event) const;

  CMotionDoc& doc_;
  ModelTreeModel model_;
  LabelEditDelegate* delegate_;
  QMenu* menu_;
  std::vector<QAction*> commands_;  // add, delete, rename, show or hide
  bool refilling_ = false;
  bool refillPending_ = false;
  QString pendingName_;
  // Dragging
  int pressedRow_ = -1;
  QPoint pressPos_;
  bool dragging_ = false;
  int draggedRow_ = -1;
  int dropTargetRow_ = -1;
  DropCursor shownCursor_ = DropCursor::kRefused;
  QLabel* dragImage_;
};

}  // namespace qv::ui
