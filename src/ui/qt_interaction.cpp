#include "ui/qt_interaction.h"

#include <QApplication>
#include <QMessageBox>

namespace qv::ui {

void QtInteraction::ShowMessage(std::string_view text) {
  QMessageBox::information(parent_, QApplication::applicationDisplayName(),
                           QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<std::pair<int32_t, int32_t>> QtInteraction::AskInsertFrames(int32_t, int32_t) { return std::nullopt; }
std::optional<std::pair<int32_t, int32_t>> QtInteraction::AskDeleteFrames(int32_t, int32_t) { return std::nullopt; }
std::optional<KeyFrameChoice> QtInteraction::AskKeyFrame(const KeyFrameChoice&) { return std::nullopt; }
SaveChangesAnswer QtInteraction::AskSaveChanges(std::string_view) { return SaveChangesAnswer::kCancel; }
std::optional<std::string> QtInteraction::AskOpenPath() { return std::nullopt; }
std::optional<SavePathChoice> QtInteraction::AskSavePath(bool) { return std::nullopt; }

}  // namespace qv::ui
