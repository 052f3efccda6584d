#pragma once
// The dialogs that the main window opens for document commands. Each shows its dialog modally
// over `parent` with the document's preset values and hands OK's (or Cancel) to the document.
class QWidget;

namespace qv {
class CMotionDoc;
}

namespace qv::ui {

// "文字列の作成": the create-text dialog, then CMotionDoc::CreateText.
void RunCreateTextDialog(CMotionDoc& document, QWidget* parent);
// "設定": the settings dialog, then CMotionDoc::OnSettingsDialogClosed.
void RunSettingsDialog(CMotionDoc& document, QWidget* parent);

}  // namespace qv::ui
