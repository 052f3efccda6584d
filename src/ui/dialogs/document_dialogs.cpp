#include "ui/dialogs/document_dialogs.h"

#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "ui/dialogs/create_text_dialog.h"
#include "ui/dialogs/settings_dialog.h"

namespace qv::ui {

void RunCreateTextDialog(CMotionDoc& document, QWidget* parent) {
  const TextParameters preset = document.TextDialogPreset();
  CreateTextDialog dialog(preset, ListOutlineFontFamilies(), parent);
  if (dialog.exec() == QDialog::Accepted) {
    document.CreateText(dialog.values());
  } else {
    // Cancel creates nothing (no text), but the model tree still refreshes.
    document.CreateText(preset);
  }
}

void RunSettingsDialog(CMotionDoc& document, QWidget* parent) {
  SettingsDialog dialog(PresetSettings(document.scene()), parent);
  if (dialog.exec() == QDialog::Accepted) {
    document.OnSettingsDialogClosed(dialog.values());
  } else {
    document.OnSettingsDialogClosed(std::nullopt);
  }
}

}  // namespace qv::ui
