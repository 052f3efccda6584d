#pragma once
// The main window's menus, toolbars and accelerators as data: which command each item sends.
// The texts are the interface's own (Japanese source texts, translated through Qt at use).
#include <QKeyCombination>

class QAction;
#include <cstdint>
#include <vector>

#include "document/command_ids.h"

namespace qv::ui {

// Commands that the main window and the application handle themselves (the document's are in
// document/command_ids.h).
namespace appcmd {
enum : int32_t {
  kRecentFileFirst = cmd::kRecentFileFirst,
  kExit = cmd::kExit,
  kHelp = cmd::kHelp,
  kAbout = cmd::kAbout,
  kUnregister = cmd::kUnregister,
};
}  // namespace appcmd

struct MenuItem {
  int32_t command;   // 0: a separator
  const char* text;  // menu text; "\t" sets off the key shown on the right
};

struct Menu {
  const char* title;
  std::vector<MenuItem> items;
};

struct ToolbarButton {
  int32_t command;    // 0: a separator
  const char* label;  // shown under the image
  const char* icon;   // resource name of the image (":/icons/NAME.svg")
};

struct Accelerator {
  QKeyCombination key;
  int32_t command;
};

// The menu bar, popups left to right.
const std::vector<Menu>& MenuBar();
// The main and the control toolbar, buttons left to right.
const std::vector<ToolbarButton>& MainToolbar();
const std::vector<ToolbarButton>& ControlToolbar();
// The 55 accelerators. Some send ids that nothing handles: those keys do nothing.
const std::vector<Accelerator>& Accelerators();
// Commands whose menu item and button carry a check mark while they are in effect.
bool IsCheckableCommand(int32_t command);
// Gives `item` the command's prompt (shown in the status bar while the item or its button is
// under the pointer) and its name as the tool tip.
void SetCommandTips(QAction* item, int32_t command);

}  // namespace qv::ui
