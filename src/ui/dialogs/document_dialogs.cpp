#include "ui/dialogs/document_dialogs.h"

#include "document/motion_doc.h"

namespace qv::ui {

void RunCreateTextDialog(CMotionDoc&, QWidget*) {}
void RunSettingsDialog(CMotionDoc& document, QWidget*) { document.OnSettingsDialogClosed(std::nullopt); }

}  // namespace qv::ui
