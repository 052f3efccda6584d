#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/motion_doc.h"
#include "platform/program_folder.h"
#include "scene/bgr_color.h"
#include "ui/command_actions.h"
#include "ui/control_bar_widget.h"
#include "ui/dialogs/document_dialogs.h"
#include "ui/file_export_front_end.h"
#include "ui/file_type_registration.h"
#include "ui/interface_translation.h"
#include "ui/panes/left_panes.h"
#include "ui/panes/model_tree_pane.h"
#include "ui/qt_interaction.h"
#include "ui/qt_settings_store.h"
#include "ui/viewport_widget.h"
#include "viewport/camera.h"

// The icons are compiled into this static library: their registration must be asked for.
static void InitUiResources() { Q_INIT_RESOURCE(ui_resources); }

namespace qv::ui {

namespace {


constexpr int kSplitterBar = 5;

BarDock DockOf(const QMainWindow& window, QToolBar* bar) {
  if (bar->isFloating()) return BarDock::kFloating;
  switch (window.toolBarArea(bar)) {
    case Qt::BottomToolBarArea: return BarDock::kBottom;
    case Qt::LeftToolBarArea: return BarDock::kLeft;
    case Qt::RightToolBarArea: return BarDock::kRight;
    default: return BarDock::kTop;
  }
}

}  // namespace

// Follows the document's changes: command states and the title change with them.
class DocumentWatcher : public DocumentView {
 public:
  explicit DocumentWatcher(MainWindow& window) : window_(window) {}
  void OnUpdate(CMotionDoc&, Change) override { window_.RefreshCommandStates(); }

 private:
  MainWindow& window_;
};

MainWindow::MainWindow(QWidget* parent, UserInteraction* interaction, SettingsStore* settings)
    : QMainWindow(parent), interaction_(interaction), settings_(settings) {
  InitUiResources();
  if (!interaction_) {
    ownInteraction_ = std::make_unique<QtInteraction>(this);
    interaction_ = ownInteraction_.get();
  }
  document_ = std::make_unique<CMotionDoc>(*interaction_);
  fileExport_ = std::make_unique<QtFileExport>(this, settings_);
  fileExport_->Install(*document_);
  setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
  BuildPanes();
  BuildStatusBar();
  BuildMenus();
  mainToolbar_ = BuildToolbar(QCoreApplication::translate("MainWindow", "ﾒｲﾝ ﾂｰﾙ ﾊﾞｰ"), MainToolbar(), CommandId::kMainToolbar);
  controlToolbar_ = BuildToolbar(QCoreApplication::translate("MainWindow", "ｺﾝﾄﾛｰﾙ ﾂｰﾙ ﾊﾞｰ"), ControlToolbar(), CommandId::kControlToolbar);
  // Both on the top row, the control toolbar right of the main one.
  addToolBar(Qt::TopToolBarArea, mainToolbar_);
  addToolBar(Qt::TopToolBarArea, controlToolbar_);
  toolbarHeight_ = mainToolbar_->sizeHint().height();
  BuildAccelerators();
  setAcceptDrops(true);
  watcher_ = std::make_unique<DocumentWatcher>(*this);
  document_->AddView(watcher_.get());
  LoadSettings();
  RefreshCommandStates();
}

MainWindow::~MainWindow() {
  document_->RemoveView(watcher_.get());
  // The panes detach from the document as they go; they must go before it.
  delete takeCentralWidget();
}

void MainWindow::BuildPanes() {
  columns_ = new QSplitter(Qt::Horizontal, this);
  left_ = new QSplitter(Qt::Vertical, columns_);
  right_ = new QSplitter(Qt::Vertical, columns_);
  for (QSplitter* splitter : {columns_, left_, right_}) {
    splitter->setHandleWidth(kSplitterBar);
    splitter->setChildrenCollapsible(true);
  }
  treePane_ = new ModelTreePane(*document_, left_);
  left_->addWidget(treePane_);
  left_->addWidget(CreateMaterialListPane(*document_, left_));
  viewportPane_ = new ViewportPane(*document_, right_);
  controlBar_ = new ControlBarWidget(*document_, right_);
  right_->addWidget(viewportPane_);
  right_->addWidget(controlBar_);
  right_->setStretchFactor(0, 1);
  right_->setStretchFactor(1, 0);
  columns_->setStretchFactor(0, 0);
  columns_->setStretchFactor(1, 1);
  columns_->setSizes({200, 400});
  left_->installEventFilter(this);
  right_->installEventFilter(this);
  setCentralWidget(columns_);

  if (ViewportWidget* view = viewport()) {
    view->showValues = [this](const CVector& values) { controlBar_->ShowValues(values); };
    controlBar_->model().redrawViewport = [view] { view->update(); };
    connect(view, &ViewportWidget::frameDrawn, this, [this](const QString& rate) {
      if (!rate.isEmpty()) frameRatePane_->setText(rate);
      RefreshCommandStates();  // a drag may have filled the undo history
    });
  }
}

ViewportWidget* MainWindow::viewport() const { return viewportPane_ ? viewportPane_->viewport() : nullptr; }

QAction* MainWindow::ActionFor(CommandId command, const QString& text) {
  auto found = actions_.find(command);
  if (found != actions_.end()) return found->second;
  auto* item = new QAction(text, this);
  item->setCheckable(IsCommandCheckable(command));
  SetCommandTips(item, command);
  connect(item, &QAction::triggered, this, [this, command] { RunCommand(command); });
  actions_[command] = item;
  return item;
}

QAction* MainWindow::action(CommandId command) const {
  auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::BuildMenus() {
  for (const Menu& menu : MenuBar()) {
    QMenu* popup = menuBar()->addMenu(TranslatedText("Menus", menu.title));
    connect(popup, &QMenu::aboutToShow, this, &MainWindow::RefreshCommandStates);
    for (const MenuItem& item : menu.items) {
      if (item.command == CommandId::kNone) {
        popup->addSeparator();
      } else if (item.command == CommandId::kRecentFileFirst) {
        fileMenu_ = popup;
        recentPlaceholder_ = popup->addAction(TranslatedText("Menus", item.text));
        recentPlaceholder_->setEnabled(false);
      } else {
        popup->addAction(ActionFor(item.command, TranslatedText("Menus", item.text)));
      }
    }
  }
  connect(fileMenu_, &QMenu::aboutToShow, this, &MainWindow::RebuildRecentFiles);
}

QToolBar* MainWindow::BuildToolbar(const QString& name, const std::vector<ToolbarButton>& buttons, CommandId toggle) {
  auto* bar = new QToolBar(name, this);
  bar->setObjectName(QString::number(int32_t(toggle)));
  bar->setIconSize(QSize(16, 15));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->toggleViewAction()->setVisible(false);  // shown and hidden by the View menu only
  for (const ToolbarButton& button : buttons) {
    if (button.command == CommandId::kNone) {
      bar->addSeparator();
      continue;
    }
    QAction* item = ActionFor(button.command, TranslatedText("Toolbars", button.label));
    item->setIconText(TranslatedText("Toolbars", button.label));
    item->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(button.icon))));
    bar->addAction(item);
  }
  // The toolbars change the room left for the viewport.
  connect(bar, &QToolBar::topLevelChanged, this, [this] { QTimer::singleShot(0, this, &MainWindow::LayOutRightColumn); });
  return bar;
}

void MainWindow::BuildAccelerators() {
  for (const Accelerator& accelerator : Accelerators()) {
    auto* shortcut = new QShortcut(AcceleratorKey(accelerator), this);
    shortcut->setContext(Qt::WindowShortcut);
    const CommandId command = accelerator.command;
    connect(shortcut, &QShortcut::activated, this, [this, command] { RunCommand(command); });
    shortcuts_.push_back(shortcut);
  }
}

void MainWindow::BuildStatusBar() {
  // The message pane: what the program last told (a written page); a command's prompt covers it
  // while the pointer is on the command's menu item or button.
  messagePane_ = new QLabel(this);
  messagePane_->setObjectName(QStringLiteral("messagePane"));
  statusBar()->addWidget(messagePane_, 1);
  if (ownInteraction_) ownInteraction_->showStatus = [this](const QString& text) { messagePane_->setText(text); };
  frameRatePane_ = new QLabel(QStringLiteral("FPS 30.000000"), this);
  frameRatePane_->setMinimumWidth(frameRatePane_->sizeHint().width());
  statusBar()->addPermanentWidget(frameRatePane_);
}

bool MainWindow::IsCommandEnabled(CommandId command) const { return qv::IsCommandEnabled(command, *document_); }

bool MainWindow::IsCommandChecked(CommandId command) const {
  return qv::IsCommandChecked(command, *document_, frameState_);
}

void MainWindow::RefreshCommandStates() {
  for (const auto& [command, item] : actions_) {
    item->setEnabled(IsCommandEnabled(command));
    if (item->isCheckable()) item->setChecked(IsCommandChecked(command));
  }
  const QString title = QString::fromUtf8(kApplicationTitle) + QStringLiteral(" - ") +
                        TranslatedMessage(document_->Title());
  if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::RunCommand(CommandId command) {
  // A disabled command runs nothing and leaves the settings and the marks as they are.
  if (!qv::RunCommand(command, *document_, *this)) return;
  SaveSettings();
  RefreshCommandStates();
}

void MainWindow::ShowBars() {
  mainToolbar_->setVisible(frameState_.mainToolbarVisible);
  controlToolbar_->setVisible(frameState_.controlToolbarVisible);
  statusBar()->setVisible(frameState_.statusBarVisible);
  WrapToolbars();
}

void MainWindow::OpenCreateTextDialog() { RunCreateTextDialog(*document_, this); }

void MainWindow::OpenSettingsDialog() { RunSettingsDialog(*document_, this, settings_); }

// The tree's own command (its file dialog and import), from the menu or from anywhere.
void MainWindow::AddModel() { treePane_->AddModel(); }

void MainWindow::Exit() { close(); }

void MainWindow::RebuildRecentFiles() {
  for (QAction* item : recentActions_) {
    fileMenu_->removeAction(item);
    item->deleteLater();
  }
  recentActions_.clear();
  const std::vector<std::string>& entries = document_->m_recentFiles.Entries();
  recentPlaceholder_->setVisible(entries.empty());
  for (size_t i = 0; i < entries.size(); ++i) {
    auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromUtf8(entries[i])), fileMenu_);
    const CommandId command = RecentFileCommand(i);
    SetCommandTips(item, command);
    connect(item, &QAction::triggered, this, [this, command] { RunCommand(command); });
    fileMenu_->insertAction(recentPlaceholder_, item);
    recentActions_.push_back(item);
  }
}

void MainWindow::LoadSettings() {
  if (!settings_) return;
  document_->m_recentFiles.Load(*settings_);
  savedRecentFiles_ = document_->m_recentFiles.Entries();
  // The framework's print-preview setting is read and kept; nothing uses it.
  (void)settings_->Read("Settings", "PreviewPages");
}

void MainWindow::SaveSettings() {
  // Written when the list changed, and at once: a program that is killed keeps its list.
  if (!settings_ || savedRecentFiles_ == document_->m_recentFiles.Entries()) return;
  document_->m_recentFiles.Save(*settings_);
  savedRecentFiles_ = document_->m_recentFiles.Entries();
  if (auto* store = dynamic_cast<QtSettingsStore*>(settings_)) store->Sync();
}

void MainWindow::ShowHelp() {
  // The help page is one of the program's files (next to it in the build tree, in the share
  // folder when installed), in the interface's language; a missing page is not reported.
  const QString page = InstalledLanguage() == InterfaceLanguage::kEnglish ? QStringLiteral("Logo_en.html")
                                                                          : QStringLiteral("Logo.html");
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(ModuleFolder()) + page));
}

void MainWindow::ShowAbout() {
  QMessageBox::about(this, QCoreApplication::translate("MainWindow", "Quorvel Logoのﾊﾞｰｼﾞｮﾝ情報"),
                     QCoreApplication::translate("MainWindow", "Quorvel Logo Version 0.2\n\nアニメーションする 3D ロゴを作るツール"));
}

void MainWindow::Unregister() {
  UnregisterFileType();
  interaction_->ShowMessage(kUnregisteredMessage);
}

void MainWindow::ChooseBackgroundColor() {
  const Rgb8 rgb = RgbOfBgr(document_->scene().m_backgroundColor);
  const QColor chosen = QColorDialog::getColor(QColor(rgb.red, rgb.green, rgb.blue), this, QCoreApplication::translate("MainWindow", "背景色"));
  if (!chosen.isValid()) return;
  document_->SetBackgroundColor(BgrOfRgb({static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                                          static_cast<uint8_t>(chosen.blue())}));
}

int MainWindow::ViewportRowHeight() const {
  const int client = height() - (menuBar()->isVisible() ? menuBar()->height() : 0);
  // Two rows of toolbars at the top take the room of a toolbar at the top and one at the bottom.
  if (toolBarBreak(controlToolbar_) && DockOf(*this, mainToolbar_) == BarDock::kTop &&
      DockOf(*this, controlToolbar_) == BarDock::kTop)
    return qv::ViewportRowHeight(client, toolbarHeight_, BarDock::kTop, BarDock::kBottom);
  return qv::ViewportRowHeight(client, toolbarHeight_, DockOf(*this, mainToolbar_), DockOf(*this, controlToolbar_));
}

void MainWindow::WrapToolbars() {
  // Both toolbars share the top row. The English labels are longer: there the control toolbar
  // goes to a row of its own when both do not fit the window, rather than fold buttons away. The
  // Japanese interface keeps its one row.
  if (InstalledLanguage() == InterfaceLanguage::kJapanese) return;
  if (DockOf(*this, mainToolbar_) != BarDock::kTop || DockOf(*this, controlToolbar_) != BarDock::kTop) return;
  const int needed = mainToolbar_->sizeHint().width() + controlToolbar_->sizeHint().width() +
                     style()->pixelMetric(QStyle::PM_ToolBarHandleExtent) * 2 + 8;
  const bool wrap = !mainToolbar_->isHidden() && !controlToolbar_->isHidden() && width() < needed;
  if (wrap == toolBarBreak(controlToolbar_)) return;
  if (wrap) {
    insertToolBarBreak(controlToolbar_);
  } else {
    removeToolBarBreak(controlToolbar_);
  }
  QTimer::singleShot(0, this, &MainWindow::LayOutRightColumn);
}

void MainWindow::LayOutRightColumn() {
  const int available = right_->height() - right_->handleWidth();
  const int viewportRow = std::clamp(ViewportRowHeight(), 0, std::max(0, available));
  right_->setSizes({viewportRow, available - viewportRow});
}

void MainWindow::LayOutLeftColumn() {
  const int half = left_->height() / 2;
  left_->setSizes({half, half});
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // After the splitter has laid itself out for its new size.
  if (event->type() == QEvent::Resize) {
    if (watched == left_) QMetaObject::invokeMethod(this, &MainWindow::LayOutLeftColumn, Qt::QueuedConnection);
    if (watched == right_) QMetaObject::invokeMethod(this, &MainWindow::LayOutRightColumn, Qt::QueuedConnection);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  WrapToolbars();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!document_->SaveModified()) {
    event->ignore();
    return;
  }
  SaveSettings();
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  event->acceptProposedAction();
  document_->OnDropFiles(paths);
  SaveSettings();
  RefreshCommandStates();
  activateWindow();
  setFocus();
}

}  // namespace qv::ui
