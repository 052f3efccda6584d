#pragma once
// Where the commands sit: the main window's menus, toolbars and accelerators as data, each item
// naming the command it sends. The texts are the interface's own (Japanese source texts, which
// the desktop translates at use). What a command does, when it is enabled or checked, and its
// prompt are in document/command_table.h.
#include <vector>

#include "document/command_ids.h"

namespace qv {

struct MenuItem {
  CommandId command;  // kNone: a separator
  const char* text;  // menu text; "\t" sets off the key shown on the right
};

struct Menu {
  const char* title;
  std::vector<MenuItem> items;
};

struct ToolbarButton {
  CommandId command;  // kNone: a separator
  const char* label;  // shown under the image
  const char* icon;   // resource name of the image (":/icons/NAME.svg")
};

struct Accelerator {
  const char* key;  // "Ctrl+A", "Shift+F1", "Alt+Delete": modifiers, then the key
  CommandId command;
};

// The menu bar, popups left to right.
const std::vector<Menu>& MenuBar();
// The main and the control toolbar, buttons left to right.
const std::vector<ToolbarButton>& MainToolbar();
const std::vector<ToolbarButton>& ControlToolbar();
// The 55 accelerators. Some send ids that no command answers: those keys do nothing.
const std::vector<Accelerator>& Accelerators();

}  // namespace qv
