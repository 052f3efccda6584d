#pragma once
// What the main frame shows besides the panes: its bars, each toggled by a command that carries a
// check mark while the bar is visible (document/command_table.h). Not stored; every start shows
// all three.
#include <cstdint>

namespace qv {

struct FrameState {
  bool mainToolbarVisible = true;
  bool controlToolbarVisible = true;
  bool statusBarVisible = true;
};

// Where a toolbar is: floating or docked at one side of the main window.
enum class BarDock { kFloating, kTop, kBottom, kLeft, kRight };

// The height of the viewport's row: the client height less 150 for the control bar, less one
// toolbar height when the two toolbars take a row each above and below, and plus one when
// neither takes a row across the top or bottom.
inline int32_t ViewportRowHeight(int32_t clientHeight, int32_t toolbarHeight, BarDock mainBar, BarDock controlBar) {
  const auto across = [](BarDock dock) { return dock == BarDock::kTop || dock == BarDock::kBottom; };
  const auto beside = [](BarDock dock) { return dock == BarDock::kLeft || dock == BarDock::kRight; };
  const int32_t c = clientHeight - 150;
  if (mainBar == BarDock::kFloating) return across(controlBar) ? c : c + toolbarHeight;
  if (controlBar == BarDock::kFloating) return beside(mainBar) ? c + toolbarHeight : c;
  if ((mainBar == BarDock::kTop && controlBar == BarDock::kBottom) ||
      (mainBar == BarDock::kBottom && controlBar == BarDock::kTop))
    return c - toolbarHeight;
  return c;
}

}  // namespace qv
