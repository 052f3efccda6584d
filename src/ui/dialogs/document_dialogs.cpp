#include "ui/dialogs/document_dialogs.h"

#include "document/interface_language.h"
#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "ui/dialogs/create_text_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/qt_settings_store.h"

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

void RunSettingsDialog(CMotionDoc& document, QWidget* parent, SettingsStore* settings) {
  LanguageSetting language = LanguageSetting::kSystem;
  if (settings) language = ReadLanguageSetting(settings->Read(kLanguageSection, kLanguageName).value_or(""));
  SettingsDialog dialog(PresetSettings(document.scene()), language, parent);
  if (dialog.exec() == QDialog::Accepted) {
    if (settings && dialog.language() != language) {
      settings->Write(kLanguageSection, kLanguageName, std::string(StoredLanguageSetting(dialog.language())));
      if (auto* store = dynamic_cast<QtSettingsStore*>(settings)) store->Sync();
    }
    document.OnSettingsDialogClosed(dialog.values());
  } else {
    document.OnSettingsDialogClosed(std::nullopt);
  }
}

}  // namespace qv::ui
