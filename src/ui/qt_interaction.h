#pragma once
// The document's questions and messages answered with the desktop program's dialogs.
#include <QPointer>
#include <QWidget>

#include "scene/user_interaction.h"

namespace qv::ui {

class QtInteraction : public UserInteraction {
 public:
  // Dialogs open over `parent` (the main window; may be set later).
  explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(std::string_view text) override;
  std::optional<std::pair<int32_t, int32_t>> AskInsertFrames(int32_t afterFrame, int32_t count) override;
  std::optional<std::pair<int32_t, int32_t>> AskDeleteFrames(int32_t first, int32_t last) override;
  std::optional<KeyFrameChoice> AskKeyFrame(const KeyFrameChoice& initial) override;
  SaveChangesAnswer AskSaveChanges(std::string_view title) override;
  std::optional<std::string> AskOpenPath() override;
  std::optional<SavePathChoice> AskSavePath(bool documentTypeOnly) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace qv::ui
