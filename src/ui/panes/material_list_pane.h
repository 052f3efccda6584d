#pragma once
// The material list pane: the document's MaterialListModel as a two-column list (name 130 px,
// colour 50 px, the swatch painted by MaterialSwatchDelegate), one row selected in step with the
// scene's selected material, and the material commands: the context menu (colour, rename,
// delete), the colour dialog, in-place rename after the rename command only, and the material
// dialog on a double click.
#include <QString>
#include <QTreeWidget>

#include "document/material_list.h"

class QMenu;

namespace qv::ui {

class MaterialSwatchDelegate;

class MaterialListPane : public QTreeWidget, public DocumentView {
  Q_OBJECT
 public:
  MaterialListPane(CMotionDoc& document, QWidget* parent = nullptr);
  ~MaterialListPane() override;

  void OnUpdate(CMotionDoc& document, Change changes) override;

  MaterialListModel& listModel() { return model_; }
  QMenu* ContextMenu() const { return menu_; }

  // The material commands on the selected material.
  void ChooseColor();   // the colour dialog
  void Rename();        // starts editing the name
  void Delete();        // when there are two or more
  void EditMaterial();  // the material dialog

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Refill();
  void SelectRowUnderCursor(const QPoint& viewportPos);
  void FinishRename();
  int SelectedMaterial() const;

  CMotionDoc& doc_;
  MaterialListModel model_;
  MaterialSwatchDelegate* delegate_;
  QMenu* menu_;
  bool refilling_ = false;
  bool refillPending_ = false;
  QString pendingName_;
};

}  // namespace qv::ui
