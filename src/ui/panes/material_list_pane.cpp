#include "ui/panes/material_list_pane.h"

#include <QAction>
#include <QColorDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "ui/command_actions.h"
#include "ui/panes/left_panes.h"
#include "ui/panes/material_dialog.h"
#include "ui/panes/material_swatch_delegate.h"

namespace qv::ui {

MaterialListPane::MaterialListPane(CMotionDoc& document, QWidget* parent)
    : QTreeWidget(parent), doc_(document), model_(document), delegate_(new MaterialSwatchDelegate(this)),
      menu_(new QMenu(tr("ﾏﾃﾘｱﾙ"), this)) {
  setColumnCount(2);
  setHeaderLabels({tr("ﾏﾃﾘｱﾙ名"), tr("色")});
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  setColumnWidth(0, 130);
  setColumnWidth(1, 50);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);  // rename only through the command
  setItemDelegate(delegate_);
  delegate_->commit = [this](const QString& text) { pendingName_ = text; };
  connect(delegate_, &QAbstractItemDelegate::closeEditor, this,
          [this] { QMetaObject::invokeMethod(this, [this] { FinishRename(); }, Qt::QueuedConnection); });
  // Whatever moves the row (mouse or keyboard) moves the scene's selected material with it.
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (!refilling_ && current) model_.Select(indexOfTopLevelItem(current));
  });

  auto* color = new QAction(tr("色(&C)"), this);
  auto* rename = new QAction(tr("名前変更(&R)"), this);
  auto* remove = new QAction(tr("削除(&D)"), this);
  color->setObjectName(QStringLiteral("materialColor"));
  rename->setObjectName(QStringLiteral("renameMaterial"));
  remove->setObjectName(QStringLiteral("deleteMaterial"));
  SetCommandTips(color, CommandId::kMaterialColor);
  SetCommandTips(rename, CommandId::kRenameMaterial);
  SetCommandTips(remove, CommandId::kDeleteMaterial);
  menu_->addAction(color);
  menu_->addAction(rename);
  menu_->addAction(remove);
  connect(color, &QAction::triggered, this, &MaterialListPane::ChooseColor);
  connect(rename, &QAction::triggered, this, &MaterialListPane::Rename);
  connect(remove, &QAction::triggered, this, &MaterialListPane::Delete);

  Refill();
  doc_.AddView(this);
}

MaterialListPane::~MaterialListPane() { doc_.RemoveView(this); }

void MaterialListPane::OnUpdate(CMotionDoc&, Change changes) {
  // The model has rebuilt its rows already (it was attached first); playback leaves them.
  if (!HasOtherThan(changes, kFrameSteps)) return;
  Refill();
}

int MaterialListPane::SelectedMaterial() const {
  const int d = doc_.scene().m_selectedMaterial;
  return d >= 0 && d < static_cast<int>(model_.Rows().size()) ? d : -1;
}

void MaterialListPane::Refill() {
  if (state() == QAbstractItemView::EditingState) {
    refillPending_ = true;  // shown again when the edit ends
    return;
  }
  refillPending_ = false;
  refilling_ = true;
  clear();
  for (const MaterialRow& row : model_.Rows()) {
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, QString::fromStdString(row.name));
    item->setData(1, MaterialSwatchDelegate::kSwatchRole, QColor(row.swatch.r, row.swatch.g, row.swatch.b));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  if (QTreeWidgetItem* selected = topLevelItem(SelectedMaterial())) setCurrentItem(selected);
  refilling_ = false;
}

void MaterialListPane::SelectRowUnderCursor(const QPoint& viewportPos) {
  QTreeWidgetItem* item = itemAt(viewportPos);
  model_.Select(item ? indexOfTopLevelItem(item) : -1);
  refilling_ = true;
  if (item) {
    setCurrentItem(item);
  } else {
    // No material is selected now: no row shows as selected either.
    clearSelection();
    setCurrentItem(nullptr);
  }
  refilling_ = false;
}

void MaterialListPane::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    SelectRowUnderCursor(pos);
    menu_->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() == Qt::LeftButton) {
    SelectRowUnderCursor(pos);
    if (!itemAt(pos)) return;
  }
  QTreeWidget::mousePressEvent(event);
}

void MaterialListPane::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SelectRowUnderCursor(event->position().toPoint());
  EditMaterial();
}

void MaterialListPane::ChooseColor() {
  const std::optional<SwatchColor> preset = model_.ColorDialogPreset();
  if (!preset) return;
  QColorDialog dialog(QColor(preset->r, preset->g, preset->b), this);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setWindowTitle(tr("色"));
  std::optional<SwatchColor> chosen;
  if (dialog.exec() == QDialog::Accepted) {
    const QColor color = dialog.selectedColor();
    chosen = SwatchColor{static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                         static_cast<uint8_t>(color.blue())};
  }
  model_.OnColorDialogClosed(chosen);  // a cancelled dialog marks the document modified too
}

void MaterialListPane::Rename() {
  const int d = SelectedMaterial();
  if (d < 0) return;
  model_.BeginRename();
  pendingName_.clear();
  editItem(topLevelItem(d), 0);
}

void MaterialListPane::FinishRename() {
  if (!model_.IsRenaming()) {
    if (refillPending_) Refill();
    return;
  }
  const QString text = pendingName_;
  pendingName_.clear();
  model_.EndRename(text.toStdString());  // a clash shows its message and keeps the old name
  Refill();
}

void MaterialListPane::Delete() { model_.DeleteSelected(); }

void MaterialListPane::EditMaterial() {
  const std::optional<MaterialDialogValues> preset = model_.DialogPreset();
  if (!preset) return;
  MaterialDialog dialog(*preset, doc_.m_programFolder, this);
  if (dialog.exec() == QDialog::Accepted) model_.ApplyDialog(dialog.values());
}

QWidget* CreateMaterialListPane(CMotionDoc& document, QWidget* parent) {
  return new MaterialListPane(document, parent);
}

}  // namespace qv::ui
