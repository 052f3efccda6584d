#pragma once
// The document's questions and messages answered with the desktop program's dialogs.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "scene/user_interaction.h"

namespace qv::ui {

class QtInteraction : public UserInteraction {
 public:
  // Dialogs open over `parent` (the main window; may be set later).
  explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  // A message box titled with the application's name, OK button; kept for later while held.
  void ShowMessage(std::string_view text) override;
  // While the main window is being set up (a document opened from the command line), messages
  // wait: a box before the window would stand alone on the desktop. Release shows them.
  void HoldMessages() { holding_ = true; }
  void ReleaseMessages();
  // The frame dialogs ("ﾌﾚｰﾑの挿入", "ﾌﾚｰﾑの削除", "ﾓﾃﾞﾙのｷｰﾌﾚｰﾑの追加・削除").
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t afterFrame, int32_t count) override;
  std::optional<std::pair<int32_t, int32_t>> AskDeleteFrames(int32_t first, int32_t last) override;
  std::optional<KeyFrameChoice> AskKeyFrame(const KeyFrameChoice& initial) override;
  // "%1 への変更を保存しますか?" with Yes, No and Cancel.
  SaveChangesAnswer AskSaveChanges(std::string_view title) override;
  // File dialogs (Qt's own, not the desktop's: the same everywhere and drivable by tests);
  // paths come back in UTF-8.
  std::optional<std::string> AskOpenPath() override;
  std::optional<SavePathChoice> AskSavePath(bool documentTypeOnly) override;
  // The page's path through showStatus, then "既定のブラウザで開きますか?" with Yes (the default
  // browser opens it) and No.
  void PageWritten(std::string_view pagePath) override;

  // Shows a lasting message in the main window's status bar; may be empty.
  std::function<void(const QString&)> showStatus;

 private:
  QPointer<QWidget> parent_;
  bool holding_ = false;
  std::vector<std::string> held_;
};

// The file types of the save dialog, in their order (document, WebGL page, WebGPU page, then
// glTF binary, glTF, MP4, WebM, GIF, animated PNG, animated WebP: SaveType's order); the open
// dialog offers documents and Metasequoia files.
QStringList SaveTypeFilters();

}  // namespace qv::ui
