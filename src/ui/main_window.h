#pragma once
// The main window: the model tree and the material list on the left, the viewport above the
// control bar on the right, the menu bar, the main and control toolbars and the status bar over
// one document. Menus, toolbar buttons and accelerators all send command ids to RunCommand, which
// runs them from the document's command table; the window is that table's CommandHost.
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>

#include "document/command_layout.h"
#include "document/command_table.h"
#include "document/frame_state.h"
#include "scene/user_interaction.h"

class QAction;
class QLabel;
class QMenu;
class QShortcut;
class QSplitter;
class QToolBar;

namespace qv {
class CMotionDoc;
class SettingsStore;
}

namespace qv::ui {

class ControlBarWidget;
class ModelTreePane;
class DocumentWatcher;
class QtFileExport;
class QtInteraction;
class ViewportPane;
class ViewportWidget;

// "Quorvel Logo 0.2": the application's title, before " - " and the document's title.
inline constexpr const char* kApplicationTitle = "Quorvel Logo 0.2";

class MainWindow : public QMainWindow, private CommandHost {
  Q_OBJECT
 public:
  // Questions and messages go to `interaction` when given (tests), else to the program's dialogs.
  // `settings` (not owned, may be null) keeps the recent-file list.
  explicit MainWindow(QWidget* parent = nullptr, UserInteraction* interaction = nullptr,
                      SettingsStore* settings = nullptr);
  ~MainWindow() override;

  CMotionDoc& document() { return *document_; }
  UserInteraction& interaction() { return *interaction_; }
  // The program's own dialogs, or null when a test gave its interaction.
  QtInteraction* OwnInteraction() { return ownInteraction_.get(); }
  // Save-as to glTF and movies: options, progress, the offer to open what was written.
  QtFileExport& fileExport() { return *fileExport_; }

  // Runs a command of the menus, toolbars and accelerators; ids that nothing handles do
  // nothing, and disabled commands neither.
  void RunCommand(CommandId command);
  bool IsCommandEnabled(CommandId command) const;
  bool IsCommandChecked(CommandId command) const;
  // Enable and check marks of every item from the document's rules, and the title.
  void RefreshCommandStates();

  // The action of a command in the menus and toolbars (null for commands without one).
  QAction* action(CommandId command) const;
  QToolBar* mainToolbar() const { return mainToolbar_; }
  QToolBar* controlToolbar() const { return controlToolbar_; }
  QLabel* frameRatePane() const { return frameRatePane_; }
  QLabel* messagePane() const { return messagePane_; }
  ViewportPane* viewportPane() const { return viewportPane_; }
  ViewportWidget* viewport() const;
  ControlBarWidget* controlBar() const { return controlBar_; }
  ModelTreePane* modelTree() const { return treePane_; }
  QSplitter* leftSplitter() const { return left_; }
  QSplitter* rightSplitter() const { return right_; }
  int shortcutCount() const { return int(shortcuts_.size()); }
  // The viewport row's height by the layout rules for the current window and toolbars.
  int ViewportRowHeight() const;
  // Loads the recent-file list from the settings, and saves it back.
  void LoadSettings();
  void SaveSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildPanes();
  void BuildMenus();
  QToolBar* BuildToolbar(const QString& name, const std::vector<ToolbarButton>& buttons, CommandId toggle);
  void BuildAccelerators();
  void BuildStatusBar();
  QAction* ActionFor(CommandId command, const QString& text);
  void RebuildRecentFiles();
  void LayOutRightColumn();
  void WrapToolbars();
  void LayOutLeftColumn();

  // CommandHost: what the command table asks of the window.
  FrameState& frameState() override { return frameState_; }
  void ShowBars() override;
  void OpenCreateTextDialog() override;
  void OpenSettingsDialog() override;
  void ChooseBackgroundColor() override;
  void AddModel() override;
  void Exit() override;
  void ShowHelp() override;
  void ShowAbout() override;
  void Unregister() override;

  std::unique_ptr<QtInteraction> ownInteraction_;
  UserInteraction* interaction_;
  SettingsStore* settings_;
  std::unique_ptr<CMotionDoc> document_;
  std::unique_ptr<QtFileExport> fileExport_;
  std::unique_ptr<DocumentWatcher> watcher_;
  FrameState frameState_;
  std::map<CommandId, QAction*> actions_;
  std::vector<QShortcut*> shortcuts_;
  QMenu* fileMenu_ = nullptr;
  QAction* recentPlaceholder_ = nullptr;
  std::vector<QAction*> recentActions_;
  QToolBar* mainToolbar_ = nullptr;
  QToolBar* controlToolbar_ = nullptr;
  QLabel* frameRatePane_ = nullptr;
  QLabel* messagePane_ = nullptr;
  QSplitter* columns_ = nullptr;
  QSplitter* left_ = nullptr;
  QSplitter* right_ = nullptr;
  ViewportPane* viewportPane_ = nullptr;
  ControlBarWidget* controlBar_ = nullptr;
  ModelTreePane* treePane_ = nullptr;
  int toolbarHeight_ = 0;
  std::vector<std::string> savedRecentFiles_;
};

}  // namespace qv::ui
