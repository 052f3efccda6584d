#include "ui/panes/model_tree_pane.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

#include "document/command_ids.h"
#include "document/motion_doc.h"
#include "ui/command_actions.h"
#include "ui/interface_translation.h"
#include "platform/program_folder.h"
#include "ui/panes/label_edit_delegate.h"
#include "ui/panes/left_panes.h"

namespace qv::ui {

namespace {
constexpr int kRowRole = Qt::UserRole;        // the model row an item shows
constexpr int kImageRole = Qt::UserRole + 1;  // its image pair: 0 root, 2 shown, 4 hidden
}  // namespace

ModelTreePane::ModelTreePane(CMotionDoc& document, QWidget* parent)
    : QTreeWidget(parent), doc_(document), model_(document), delegate_(new LabelEditDelegate(this)),
      menu_(new QMenu(tr("ﾓﾃﾞﾙ"), this)), dragImage_(new QLabel(viewport())) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIconSize(QSize(13, 13));
  setRootIsDecorated(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);  // rename only through the command
  setDragEnabled(false);
  setItemDelegate(delegate_);
  delegate_->commit = [this](const QString& text) { pendingName_ = text; };
  // The edit has closed (taken or cancelled): the document decides once the editor is gone.
  connect(delegate_, &QAbstractItemDelegate::closeEditor, this,
          [this] { QMetaObject::invokeMethod(this, [this] { FinishRename(); }, Qt::QueuedConnection); });
  // The keyboard moves the tree's selection; the commands follow it, the scene's selection stays.
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (!refilling_) model_.SetSelectedRow(RowOfItem(current));
  });

  auto* add = new QAction(tr("ﾓﾃﾞﾙ追加(&A)"), this);
  auto* remove = new QAction(tr("ﾓﾃﾞﾙ削除(&D)"), this);
  auto* rename = new QAction(tr("名前変更(&C)"), this);
  auto* toggle = new QAction(tr("表示・非表示(&V)"), this);
  add->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
  remove->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Delete));
  rename->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Z));
  toggle->setShortcut(QKeySequence(Qt::ALT | Qt::Key_M));
  add->setObjectName(QStringLiteral("addModel"));
  remove->setObjectName(QStringLiteral("deleteModel"));
  rename->setObjectName(QStringLiteral("renameModel"));
  toggle->setObjectName(QStringLiteral("toggleShown"));
  SetCommandTips(add, CommandId::kAddModel);
  SetCommandTips(remove, CommandId::kDeleteModel);
  SetCommandTips(rename, CommandId::kRenameModel);
  SetCommandTips(toggle, CommandId::kShowHideModel);
  // The keys reach these commands while the tree has the focus (it is the active view); the main
  // window's accelerators for the same keys wait their turn (see event()).
  commands_ = {add, remove, rename, toggle};
  menu_->addAction(remove);
  menu_->addAction(rename);
  menu_->addAction(toggle);
  connect(add, &QAction::triggered, this, &ModelTreePane::AddModel);
  connect(remove, &QAction::triggered, this, &ModelTreePane::DeleteModel);
  connect(rename, &QAction::triggered, this, &ModelTreePane::RenameModel);
  connect(toggle, &QAction::triggered, this, &ModelTreePane::ToggleShown);

  dragImage_->hide();
  dragImage_->setAttribute(Qt::WA_TransparentForMouseEvents);
  dragImage_->setAutoFillBackground(true);
  dragImage_->setStyleSheet(QStringLiteral("border: 1px dotted palette(text); padding: 1px;"));

  Refill();
  doc_.AddView(this);
}

ModelTreePane::~ModelTreePane() { doc_.RemoveView(this); }

void ModelTreePane::OnUpdate(CMotionDoc&, Change changes) {
  constexpr Change kRefilledOn = Change::kDocument | Change::kModels | Change::kHierarchy | Change::kCamera |
                                 Change::kSettings | Change::kUndo | Change::kSelection;
  if (Has(changes, kRefilledOn)) {
    Refill();
    return;
  }
  // The rows stay; the highlight follows the scene's selection.
  if (!refilling_ && state() != QAbstractItemView::EditingState && !dragging_ &&
      RowOfItem(currentItem()) != model_.SelectedRow()) {
    const QSignalBlocker quiet(this);
    if (QTreeWidgetItem* selected = ItemOfRow(model_.SelectedRow())) setCurrentItem(selected);
  }
}

QAction* ModelTreePane::CommandOfKey(const QKeyEvent* event) const {
  const QKeySequence pressed(event->keyCombination());
  for (QAction* action : commands_)
    if (action->shortcut() == pressed) return action;
  return nullptr;
}

bool ModelTreePane::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && CommandOfKey(static_cast<QKeyEvent*>(event))) {
    event->accept();  // delivered as a key press here, not as the window's shortcut
    return true;
  }
  return QTreeWidget::event(event);
}

void ModelTreePane::keyPressEvent(QKeyEvent* event) {
  if (dragging_) {
    // Ctrl pressed or let go while the mouse rests: the cursor tells at once.
    if (event->key() == Qt::Key_Control) ShowDropCursor(viewport()->mapFromGlobal(QCursor::pos()), true);
    return;
  }
  if (QAction* action = CommandOfKey(event)) {
    action->trigger();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void ModelTreePane::Refill() {
  if (state() == QAbstractItemView::EditingState || dragging_) {
    refillPending_ = true;  // shown again when the edit or the drag ends
    return;
  }
  refillPending_ = false;
  refilling_ = true;
  clear();
  const std::vector<TreeRow>& rows = model_.Rows();
  std::vector<QTreeWidgetItem*> items(rows.size(), nullptr);
  for (size_t r = 0; r < rows.size(); ++r) {
    const TreeRow& row = rows[r];
    QTreeWidgetItem* item =
        row.parentRow < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(items[row.parentRow]);
    // The root is the document's title: "無題" until it has a file.
    item->setText(0, row.kind == TreeItemKind::kRoot ? TranslatedMessage(row.label) : QString::fromStdString(row.label));
    item->setIcon(0, TreeItemIcon(row.Image()));
    item->setData(0, kRowRole, static_cast<int>(r));
    item->setData(0, kImageRole, row.Image());
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    items[r] = item;
  }
  expandAll();
  if (QTreeWidgetItem* selected = ItemOfRow(model_.SelectedRow())) {
    setCurrentItem(selected);
  } else {
    clearSelection();
    setCurrentItem(nullptr);
  }
  refilling_ = false;
}

QTreeWidgetItem* ModelTreePane::ItemOfRow(int row) const {
  if (row < 0) return nullptr;
  for (QTreeWidgetItemIterator it(const_cast<ModelTreePane*>(this)); *it; ++it)
    if ((*it)->data(0, kRowRole).toInt() == row) return *it;
  return nullptr;
}

int ModelTreePane::RowOfItem(const QTreeWidgetItem* item) const {
  return item ? item->data(0, kRowRole).toInt() : -1;
}

int ModelTreePane::RowAt(const QPoint& viewportPos) const { return RowOfItem(itemAt(viewportPos)); }

void ModelTreePane::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const int row = RowAt(pos);
  if (event->button() == Qt::RightButton) {
    if (row < 0) return;
    model_.RightClick(row);
    if (model_.Rows()[row].kind != TreeItemKind::kRoot) menu_->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() == Qt::LeftButton) {
    pressedRow_ = row;
    pressPos_ = pos;
    if (row >= 0) model_.Click(row);
  }
  QTreeWidget::mousePressEvent(event);
}

void ModelTreePane::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click is two clicks to the tree; it never opens an editor.
  if (event->button() == Qt::LeftButton) {
    if (const int row = RowAt(event->position().toPoint()); row >= 0) model_.Click(row);
  }
}

void ModelTreePane::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!dragging_ && (event->buttons() & Qt::LeftButton) && pressedRow_ > 0 &&
      (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
    // Only a model is dragged; the root stays.
    dragging_ = true;
    draggedRow_ = pressedRow_;
    if (QTreeWidgetItem* item = ItemOfRow(draggedRow_)) {
      setCurrentItem(item);
      dragImage_->setText(item->text(0));
      dragImage_->adjustSize();
    }
    dragImage_->show();
    dragImage_->raise();
  }
  if (!dragging_) {
    QTreeWidget::mouseMoveEvent(event);
    return;
  }
  dragImage_->move(pos + QPoint(12, 4));
  ShowDropCursor(pos, event->modifiers() & Qt::ControlModifier);
}

void ModelTreePane::ShowDropCursor(const QPoint& viewportPos, bool ctrlHeld) {
  const int target = RowAt(viewportPos);
  const bool allowed = target >= 0 && model_.CanDrop(draggedRow_, target);
  SetDropTarget(allowed ? target : -1);
  shownCursor_ = !allowed ? DropCursor::kRefused : ctrlHeld ? DropCursor::kAllowedWithCtrl : DropCursor::kAllowed;
  viewport()->setCursor(DropCursorOf(shownCursor_));
}

void ModelTreePane::keyReleaseEvent(QKeyEvent* event) {
  if (dragging_ && event->key() == Qt::Key_Control)
    ShowDropCursor(viewport()->mapFromGlobal(QCursor::pos()), false);
  QTreeWidget::keyReleaseEvent(event);
}

void ModelTreePane::mouseReleaseEvent(QMouseEvent* event) {
  pressedRow_ = -1;
  if (!dragging_) {
    QTreeWidget::mouseReleaseEvent(event);
    return;
  }
  const int target = RowAt(event->position().toPoint());
  const int dragged = draggedRow_;
  EndDrag();
  if (target >= 0 && model_.CanDrop(dragged, target))
    model_.Drop(dragged, target, event->modifiers() & Qt::ControlModifier);  // kHierarchy shows the new tree
  else if (refillPending_)
    Refill();
}

void ModelTreePane::SetDropTarget(int row) {
  if (row == dropTargetRow_) return;
  if (QTreeWidgetItem* old = ItemOfRow(dropTargetRow_)) old->setData(0, Qt::BackgroundRole, QVariant());
  dropTargetRow_ = row;
  if (QTreeWidgetItem* item = ItemOfRow(row)) item->setBackground(0, palette().brush(QPalette::Highlight).color().lighter(160));
}

void ModelTreePane::EndDrag() {
  SetDropTarget(-1);
  dragging_ = false;
  draggedRow_ = -1;
  dragImage_->hide();
  viewport()->unsetCursor();
}

void ModelTreePane::AddModel() {
  const std::string folder = ProgramFolderOr(doc_.m_programFolder);
  QFileDialog dialog(this, tr("ﾓﾃﾞﾙ追加"), QString::fromStdString(folder), tr("Metasequoiaファイル (*.mqo)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(QStringLiteral("mqo"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  model_.AddModel(dialog.selectedFiles().front().toStdString());
}

void ModelTreePane::DeleteModel() { model_.DeleteSelected(); }

void ModelTreePane::RenameModel() {
  QTreeWidgetItem* item = ItemOfRow(model_.SelectedRow());
  if (!item || model_.Rows()[model_.SelectedRow()].kind == TreeItemKind::kRoot) return;
  model_.BeginRename();
  pendingName_.clear();
  editItem(item, 0);
}

void ModelTreePane::FinishRename() {
  if (!model_.IsRenaming()) {
    if (refillPending_) Refill();
    return;
  }
  const QString text = pendingName_;
  pendingName_.clear();
  model_.EndRename(text.toStdString());  // a clash shows its message and keeps the old name
  Refill();
}

void ModelTreePane::ToggleShown() { model_.ToggleShown(); }

QWidget* CreateModelTreePane(CMotionDoc& document, QWidget* parent) { return new ModelTreePane(document, parent); }

}  // namespace qv::ui
