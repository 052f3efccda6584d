#pragma once
// The dialogs that the main window opens for document commands. Each shows its dialog modally
// over `parent` with the document's preset values and hands OK's (or Cancel) to the document.
class QWidget;

namespace qv {
class CMotionDoc;
class SettingsStore;
}

namespace qv::ui {

// "文字列の作成": the create-text dialog, then CMotionDoc::CreateText.
void RunCreateTextDialog(CMotionDoc& document, QWidget* parent);
// "設定": the settings dialog, then CMotionDoc::OnSettingsDialogClosed. The interface language is
// the program's setting, not the document's: read from and written to `settings` (none: the
// dialog shows "system" and OK keeps nothing), used from the next start.
void RunSettingsDialog(CMotionDoc& document, QWidget* parent, SettingsStore* settings = nullptr);

}  // namespace qv::ui
