#pragma once
// The command table's commands on Qt's terms: the prompt and the name an action shows, the key
// an accelerator stands for.
#include <QKeySequence>

#include "document/command_ids.h"
#include "document/command_layout.h"

class QAction;

namespace qv::ui {

// Gives `item` the command's prompt (shown in the status bar while the item or its button is
// under the pointer) and its name as the tool tip.
void SetCommandTips(QAction* item, CommandId command);
// The key of an accelerator ("Shift+F1" read as Qt's portable key text).
QKeySequence AcceleratorKey(const Accelerator& accelerator);

}  // namespace qv::ui
