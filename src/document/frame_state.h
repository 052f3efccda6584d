#pragma once
// What the main frame shows besides the panes: its bars, each toggled by a command that carries a
// check mark while the bar is visible. Not stored; every start shows all three.
#include <cstdint>

#include "document/command_ids.h"

namespace qv {

struct FrameState {
  bool mainToolbarVisible = true;
  bool controlToolbarVisible = true;
  bool statusBarVisible = true;

  // The flag a toggle command flips, or null for other commands.
  bool* FlagOf(int32_t command) {
    switch (command) {
      case cmd::kMainToolbar: return &mainToolbarVisible;
      case cmd::kControlToolbar: return &controlToolbarVisible;
      case cmd::kStatusBar: return &statusBarVisible;
      default: return nullptr;
    }
  }
  // Flips the bar of `command`; false for a command that is no bar toggle.
  bool Toggle(int32_t command) {
    bool* flag = FlagOf(command);
    if (!flag) return false;
    *flag = !*flag;
    return true;
  }
  bool IsChecked(int32_t command) {
    const bool* flag = FlagOf(command);
    return flag && *flag;
  }
};

}  // namespace qv
