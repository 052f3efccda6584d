#pragma once
// The main window's menus, toolbars and accelerators as data: which command each item sends.
// The texts are the interface's own (Japanese source texts, translated through Qt at use).
#include <QKeyCombination>
#include <cstdint>
#include <vector>

namespace qv::ui {

// Commands that the main window and the application handle themselves (the document's are in
// document/command_ids.h).
namespace appcmd {
enum : int32_t {
  kRecentFileFirst = 57616,  // 57616 ... 57619: the recent-file entries
  kExit = 57665,
  kHelp = 57669,
  kAbout = 57664,
  kUnregister = 32828,
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

}  // namespace qv::ui
